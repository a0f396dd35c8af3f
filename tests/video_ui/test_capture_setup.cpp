// The driver list, the capture set-up at start-up, the driver-choice window and
// the video menus, through the real main window.

#include <QAction>
#include <QComboBox>
#include <QPointer>
#include <QPushButton>

#include "live/ui/frmSelect.h"
#include "platform/ui/PictureBox.h"
#include "video_fixture.h"

namespace {

QStringList Listed(const frmSelect& window) {
    QStringList names;
    for (int i = 0; i < window.cmboSource->count(); ++i) names << window.cmboSource->itemText(i);
    return names;
}

// "S&ource", "&Format", "&Display" enabled, as three letters.
QString Menus(const frmMain& w) {
    return QString("%1%2%3")
        .arg(w.mnuSource->isEnabled() ? 'S' : '-')
        .arg(w.mnuFormat->isEnabled() ? 'F' : '-')
        .arg(w.mnuDisplay->isEnabled() ? 'D' : '-');
}

// Opens the driver-choice window from the menu.
QPointer<frmSelect> OpenSelect(frmMain& w) {
    w.mnuSelect_Click();
    EXPECT_FALSE(w.Manual);
    return w.findChild<frmSelect*>();
}

}  // namespace

using CaptureSetUpTest = VideoTest;

TEST_F(CaptureSetUpTest, DriverListIsTheCamerasInOrderThenTheSimulator) {
    frmMain w;  // not started: no driver is connected
    frmSelect alone(w, &w);
    alone.Form_Load();
    EXPECT_EQ(Listed(alone), QStringList({"Simulated Foucault tester"}));
    EXPECT_EQ(alone.cmboSource->currentIndex(), -1);

    AddCamera("Front camera");
    AddCamera("USB microscope");
    frmSelect withCameras(w, &w);
    withCameras.Form_Load();
    EXPECT_EQ(Listed(withCameras),
              QStringList({"Front camera", "USB microscope", "Simulated Foucault tester"}));
    EXPECT_EQ(withCameras.cmboSource->currentIndex(), -1);
}

TEST_F(CaptureSetUpTest, StartUpConnectsVidSourceAndOnlyDisablesMenus) {
    AddCamera("Front camera", true, true, true);
    auto microscope = AddCamera("USB microscope", false, true, false);
    frmMain w;
    StartWithDriver(w, 1);

    ASSERT_NE(w.CapWnd, nullptr);
    EXPECT_EQ(w.CapWnd->driver, microscope);
    EXPECT_TRUE(microscope->connected);
    EXPECT_EQ(w.CapWnd->title, "USB microscope");
    EXPECT_EQ(QSize(w.CapWnd->width, w.CapWnd->height), QSize(0, 0));
    EXPECT_FALSE(w.CapWnd->preview || w.CapWnd->overlay || w.CapWnd->scale);
    EXPECT_EQ(Menus(w), "-F-");
    EXPECT_TRUE(Messages().isEmpty());

    microscope->frame = FakeCamera::Grey(77);
    w.GrabFrame();
    EXPECT_EQ(w.Picture1->canvas().GetPixel(10, 10), 0x4D4D4Du);
}

TEST_F(CaptureSetUpTest, DriverIndexThatNamesNoDriverIsSilent) {
    frmMain w;
    const QImage start = w.Picture1->canvas().Picture();
    StartWithDriver(w, 7);

    EXPECT_EQ(w.VidSource, 7);
    EXPECT_EQ(w.CapWnd->driver, nullptr);
    EXPECT_EQ(Menus(w), "SFD");
    // Grabs deliver nothing; the live loop goes on over the start picture.
    EXPECT_TRUE(RunLive(w, [&] { return w.Picture1->canvas().GetPixel(160, 2) == kMagenta; }));
    EXPECT_EQ(w.Picture1->canvas().Picture(), start);
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(CaptureSetUpTest, SelectConnectsUpdatesVidSourceAndMenusBothWays) {
    auto camera = AddCamera("Front camera", true, true, false);
    frmMain w;
    StartWithDriver(w, 1);  // the simulator: a source dialog only
    ASSERT_EQ(w.CapWnd->driver, simulator);
    ASSERT_EQ(Menus(w), "S--");

    QPointer<frmSelect> select = OpenSelect(w);
    ASSERT_TRUE(select);
    EXPECT_TRUE(select->isVisible() && !select->isModal());
    EXPECT_EQ(select->cmboSource->currentIndex(), 1);  // the connected driver
    EXPECT_EQ(OpenSelect(w), select);                  // one instance

    select->cmboSource->setCurrentIndex(0);
    select->cmdSelect->click();
    EXPECT_TRUE(w.Manual);
    EXPECT_EQ(w.VidSource, 0);
    EXPECT_EQ(w.CapWnd->driver, camera);
    EXPECT_FALSE(simulator->isConnected());
    EXPECT_EQ(w.CapWnd->title, "Front camera");
    EXPECT_EQ(Menus(w), "SF-");  // "&Format" enabled again
    DeleteUnloaded();
    EXPECT_TRUE(select.isNull());

    select = OpenSelect(w);
    ASSERT_TRUE(select);
    select->cmboSource->setCurrentIndex(1);
    select->cmdSelect_Click();
    EXPECT_EQ(w.VidSource, 1);
    EXPECT_EQ(w.CapWnd->driver, simulator);
    EXPECT_EQ(Menus(w), "S--");
    EXPECT_TRUE(w.Manual);
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(CaptureSetUpTest, EveryOtherWayOutChangesNothingButResumesTheLiveVideo) {
    auto broken = AddCamera("Unplugged camera", true, true, true);
    broken->connectable = false;
    frmMain w;
    StartWithDriver(w, 1);
    const QString menus = Menus(w);

    const std::vector<std::function<void(frmSelect&)>> ways = {
        [](frmSelect& s) {  // a connection that fails
            s.cmboSource->setCurrentIndex(0);
            s.cmdSelect_Click();
        },
        [](frmSelect& s) {  // no entry chosen
            s.cmboSource->setCurrentIndex(-1);
            s.cmdSelect_Click();
        },
        [](frmSelect& s) { s.cmdCancel->click(); },
        [](frmSelect& s) { s.reject(); },  // Escape
        [](frmSelect& s) { s.close(); },   // the close box
    };
    for (const auto& way : ways) {
        QPointer<frmSelect> select = OpenSelect(w);
        ASSERT_TRUE(select);
        way(*select);
        EXPECT_TRUE(w.Manual);
        EXPECT_EQ(w.VidSource, 1);
        EXPECT_EQ(w.CapWnd->driver, simulator);
        EXPECT_TRUE(simulator->isConnected());
        EXPECT_EQ(w.CapWnd->title, "Simulated Foucault tester");
        EXPECT_EQ(Menus(w), menus);
        DeleteUnloaded();
        EXPECT_TRUE(select.isNull());
    }
    EXPECT_TRUE(Messages().isEmpty());
    // The next tick starts the loop again.
    const uint64_t frames = tester->framesRendered();
    EXPECT_TRUE(RunLive(w, [&] { return tester->framesRendered() > frames + 3; }));
}

TEST_F(CaptureSetUpTest, VideoMenusOpenTheDriverDialogsWhileTheLoopIsHeld) {
    auto camera = AddCamera("Front camera", true, true, true);
    frmMain w;
    StartWithDriver(w, 0);
    QStringList opened;
    camera->dialog = [&](const char* which) {
        opened << QString::fromLatin1(which) + (w.Manual ? " with Manual" : "");
        if (QByteArray(which) == "format") w.CapWnd->width = 640;  // a new format's size
        return true;
    };
    int grabsDuringDialogs = -1;
    QTimer::singleShot(20, &w, [&] {
        const int grabs = camera->grabs;
        w.mnuFormat_Click();
        w.mnuSource_Click();
        w.mnuDisplay_Click();
        grabsDuringDialogs = camera->grabs - grabs;
    });
    EXPECT_TRUE(RunLive(w, [&] { return grabsDuringDialogs >= 0; }));
    EXPECT_EQ(opened, QStringList({"format", "source", "display with Manual"}));
    EXPECT_EQ(grabsDuringDialogs, 0);  // the loop below waited
    EXPECT_EQ(w.CapWnd->width, 0);     // the capture window shrunk again
}
