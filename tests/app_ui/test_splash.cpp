#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

#include "app/ui/frmMain.h"
#include "app/ui/frmSplash.h"
#include "frmmain_fixture.h"

namespace {

void Click(QWidget* widget) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

// The splash that shows now, if any.
frmSplash* ShownSplash(frmMain& w) {
    for (frmSplash* splash : w.findChildren<frmSplash*>())
        if (!splash->Unloaded() && !splash->lblWarning->text().isEmpty()) return splash;
    return nullptr;
}

}  // namespace

using Splash = MainWindowTest;

TEST_F(Splash, ShowsNameVersionAndPlatform) {
    QWidget main;
    main.show();
    auto* splash = new frmSplash(&main);
    splash->Form_Load();
    EXPECT_FALSE(main.isVisible());
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->lblVersion->text(), QStringLiteral("Version %1.%2.%3")
                                              .arg(DRELMONT_VERSION_MAJOR)
                                              .arg(DRELMONT_VERSION_MINOR)
                                              .arg(DRELMONT_VERSION_PATCH));
    EXPECT_EQ(splash->lblProductName->text(), "Drelmont");
    EXPECT_EQ(splash->lblPlatform->text(), "Win9x - WinXP");
    EXPECT_EQ(splash->Label1->text(), "(Drelmont)");
    EXPECT_EQ(splash->imgLogo->pixmap().size(), QSize(93, 70));
}

TEST_F(Splash, ClickOrKeyShowsTheMainWindowAndUnloads) {
    QWidget main;
    auto* first = new frmSplash(&main);
    first->Form_Load();
    Click(first->imgLogo);
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(first->Unloaded());
    EXPECT_FALSE(first->isVisible());

    auto* second = new frmSplash(&main);
    second->Form_Load();
    EXPECT_FALSE(main.isVisible());
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QCoreApplication::sendEvent(second, &key);
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(second->Unloaded());

    auto* third = new frmSplash(&main);
    third->Form_Load();
    Click(third->lblCredit2);  // a click anywhere inside the frame
    EXPECT_TRUE(third->Unloaded());
}

TEST_F(Splash, ClickDuringStartUpShowsTheMainWindowEarlyAndStartUpCompletes) {
    WriteSettings(GoodSettings());
    frmMain w;
    bool shownEarly = false;
    bool clicked = false;
    bool cameBack = false;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        frmSplash* splash = ShownSplash(w);
        if (clicked && splash) cameBack = true;
        if (!clicked && splash && splash->lblWarning->text().endsWith("...")) {
            Click(splash);
            clicked = true;
            shownEarly = w.isVisible();
        }
    });
    poll.start();
    w.Form_Load();
    EXPECT_TRUE(clicked);
    EXPECT_TRUE(shownEarly);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_EQ(ShownSplash(w), nullptr);
    EXPECT_TRUE(cameBack);  // the next progress line loaded the splash again
}

TEST_F(Splash, ClosingDuringTheSplashLeavesTheSettingsFileAlone) {
    QStringList lines = GoodSettings();
    lines[18] = "4444";
    WriteSettings(lines);
    QFile file(SettingsPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    frmMain w;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        if (!w.ClosingDown && ShownSplash(w)) w.Unload();
    });
    poll.start();
    w.Form_Load();
    poll.stop();
    EXPECT_TRUE(w.ClosingDown);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(ShownSplash(w), nullptr);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}
