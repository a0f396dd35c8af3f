#include "live/ui/frmSelect.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "live/Capture.h"
#include "live/MemCap.h"
#include "platform/ui/Named.h"

namespace {

constexpr int kWidth = 281;
constexpr int kHeight = 113;

}  // namespace

frmSelect::frmSelect(CaptureSelectHost& main, QWidget* owner) : QDialog(owner), main_(main) {
    setObjectName(QStringLiteral("frmSelect"));
    setWindowTitle(QStringLiteral("Video Source"));
    setProperty("HelpContextID", 270);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kWidth, kHeight);

    Label1 = Named(new QLabel(QStringLiteral("Installed Drivers:"), this), "Label1");
    Label1->setGeometry(12, 10, 257, 17);
    cmboSource = Named(new QComboBox(this), "cmboSource");
    cmboSource->setGeometry(12, 32, 257, 25);
    cmdSelect = Named(new QPushButton(QStringLiteral("Select"), this), "cmdSelect");
    cmdSelect->setGeometry(60, 72, 89, 29);
    cmdSelect->setDefault(true);
    cmdCancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "cmdCancel");
    cmdCancel->setGeometry(168, 72, 89, 29);

    connect(cmdSelect, &QPushButton::clicked, this, &frmSelect::cmdSelect_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSelect::cmdCancel_Click);
}

void frmSelect::Form_Load() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - width()) / 2,
             area.top() + (area.height() - height()) / 2);
    }

    // Every driver from index 0 until the first that isn't there.
    cmboSource->clear();
    QString name;
    QString version;
    for (int i = 0; capGetDriverDescriptionA(i, name, version); ++i) cmboSource->addItem(name);
    // No entry is chosen unless a driver is connected.
    cmboSource->setCurrentIndex(-1);

    CaptureCaps caps;
    if (capDriverGetCaps(main_.CaptureWnd(), caps)) {
        // A connected driver no longer listed leaves the list without a selection.
        const int index = caps.deviceIndex;
        cmboSource->setCurrentIndex(index >= 0 && index < cmboSource->count() ? index : -1);
    }
}

void frmSelect::cmdSelect_Click() {
    const int index = cmboSource->currentIndex();
    if (index != -1 && capDriverConnect(main_.CaptureWnd(), index)) {
        main_.State().VidSource = index;
        CaptureCaps caps;
        capDriverGetCaps(main_.CaptureWnd(), caps);
        main_.EnableDriverDialogs(caps);
        SetWindowTextA(main_.CaptureWnd(), cmboSource->currentText());
        ResizeCaptureWindow(main_.CaptureWnd());
    }
    main_.State().Manual = true;
    Unload();
}

void frmSelect::cmdCancel_Click() {
    main_.State().Manual = true;
    Unload();
}

void frmSelect::reject() {
    cmdCancel_Click();
}

void frmSelect::closeEvent(QCloseEvent* event) {
    // Closed by its close box: as "Cancel", or the live video would stay stopped.
    if (!unloading_) {
        unloading_ = true;
        main_.State().Manual = true;
    }
    event->accept();
}

void frmSelect::Unload() {
    if (unloading_) return;
    unloading_ = true;
    // Deleted once the events of this click are done with it.
    close();
}
