// The menu bar of the main window: six menus, their items, access keys,
// shortcuts and help context numbers.

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include "app/ui/frmMain.h"
#include "platform/Help.h"

QMenu* frmMain::AddTopMenu(QAction*& action, const char* name, const QString& caption, int helpId) {
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->setProperty("HelpContextID", helpId);
    menu->installEventFilter(this);  // F1 while the menu is open shows its help topic
    action = menu->menuAction();
    action->setObjectName(QLatin1String(name));
    return menu;
}

QAction* frmMain::AddItem(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

void frmMain::CreateMenus() {
    QMenu* file = AddTopMenu(mnuFile, "mnuFile", QStringLiteral("&File"), 210);
    mnuExit = AddItem(file, "mnuExit", QStringLiteral("E&xit"));

    QMenu* video = AddTopMenu(mnuControl, "mnuControl", QStringLiteral("&Video Control"), 220);
    mnuDisplay = AddItem(video, "mnuDisplay", QStringLiteral("&Display"));
    mnuFormat = AddItem(video, "mnuFormat", QStringLiteral("&Format"));
    mnuFormat->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    mnuSource = AddItem(video, "mnuSource", QStringLiteral("S&ource"));
    mnuLine1 = video->addSeparator();
    mnuLine1->setObjectName(QStringLiteral("mnuLine1"));
    mnuSelect = AddItem(video, "mnuSelect", QStringLiteral("&Select"));
    mnuSelect->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));

    QMenu* platform =
        AddTopMenu(mnuWizard2, "mnuWizard2", QStringLiteral("&Platform Settings"), 230);
    mnuWizard = AddItem(platform, "mnuWizard", QStringLiteral("&Platform and Foucault Setup..."));
    MnuAuto = AddItem(platform, "MnuAuto", QStringLiteral("&Auto Test Variables..."));
    // Setting holders: created hidden, never shown, so they can't be chosen.
    auto setting = [this, platform](const char* name, const QString& caption) {
        QAction* action = AddItem(platform, name, caption);
        action->setCheckable(true);
        action->setVisible(false);
        return action;
    };
    mnuinvert = setting("mnuinvert", QStringLiteral("&Invert Output"));
    mnuLRswap = setting("mnuLRswap", QStringLiteral("&Reverse L/R Motor"));
    mnuTFswap = setting("mnuTFswap", QStringLiteral("Reverse &To/From Mirror Motor"));
    mnuSwapMotors = setting("mnuSwapMotors", QStringLiteral("Swap &Motors"));
    MnuFixed = setting("MnuFixed", QStringLiteral("&Fixed Source Light?"));

    QMenu* recent = AddTopMenu(mnuRecent, "mnuRecent", QStringLiteral("&Mirror Database"), 240);
    mnuEditMirror =
        AddItem(recent, "mnuEditMirror", QStringLiteral("&Add or Edit Mirror Specifications"));
    mnuspace = recent->addSeparator();
    mnuspace->setObjectName(QStringLiteral("mnuspace"));
    for (int i = 1; i <= kRecentMirrors; ++i) {
        Mnu[i] = AddItem(recent, "Mnu", QLatin1String(kUnusedMirrorCaption));
        Mnu[i]->setProperty("Index", i);
        Mnu[i]->setVisible(MirrorEntryVisible(Mnu[i]->text()));
    }

    QMenu* test = AddTopMenu(mnutest, "mnutest", QStringLiteral("&Test Options"), 250);
    mnuReps = AddItem(test, "mnuReps", QStringLiteral("&Repetition Options"));
    mnuSave = AddItem(test, "mnuSave", QStringLiteral("&Save Data Options"));

    QMenu* window = AddTopMenu(mnuWindow, "mnuWindow", QStringLiteral("&Windows"), 260);
    mnuText = AddItem(window, "mnuText", QStringLiteral("&Show Floating Text Data Window"));
    mnuDebug = AddItem(window, "mnuDebug", QStringLiteral("Toggle &Debug Display"));
    MnuMoreText = AddItem(window, "MnuMoreText", QStringLiteral("Toggle &More Text"));
    MnuBars = AddItem(window, "MnuBars", QStringLiteral("Toggle &Bar Graphics"));
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) {
        Form_Resize();
        return false;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        const QVariant helpId = watched->property("HelpContextID");
        if (qobject_cast<QMenu*>(watched) && helpId.isValid()) {
            ShowHelp(helpId.toInt());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        ShowHelp(property("HelpContextID").toInt());
        return;
    }
    QMainWindow::keyPressEvent(event);
}
