// The driver list, the capture set-up at start-up, the driver-choice window and
// the video menus, through the real main window.

#include <QAction>
#include <QComboBox>
#include <QLabel>
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

struct MenuState {
    bool source, format, display;
    bool operator==(const MenuState&) const = default;
};

MenuState Menus(const frmMain& w) {
    return {w.mnuSource->isEnabled(), w.mnuFormat->isEnabled(), w.mnuDisplay->isEnabled()};
}

}  // namespace

using CaptureSetUpTest = VideoTest;

TEST_F(CaptureSetUpTest, DriverListIsTheCamerasInOrderThenTheSimulator) {
    frmMain w;
    {
        // No camera: the simulator is index 0 and the list ends there.
        auto* select = new frmSelect(w);
        select->Form_Load();
        EXPECT_EQ(Listed(*select), QStringList({"Simulated Foucault tester"}));
        EXPECT_EQ(select->cmboSource->currentIndex(), -1);  // nothing connected
        EXPECT_EQ(select->windowTitle(), "Video Source");
        EXPECT_EQ(select->Label1->text(), "Installed Drivers:");
        EXPECT_EQ(select->cmdSelect->text(), "Select");
        EXPECT_EQ(select->cmdCancel->text(), "Cancel");
        delete select;
    }
    AddCamera("Front camera");
    AddCamera("USB microscope");
    auto* select = new frmSelect(w);
    select->Form_Load();
    EXPECT_EQ(Listed(*select),
              QStringList({"Front camera", "USB microscope", "Simulated Foucault tester"}));
    // The list is taken afresh at every load.
    cameras.erase(cameras.begin());
    select->Form_Load();
    EXPECT_EQ(Listed(*select), QStringList({"USB microscope", "Simulated Foucault tester"}));
    delete select;
}

TEST_F(CaptureSetUpTest, StartUpConnectsVidSourceAndOnlyDisablesMenus) {
    AddCamera("Front camera", true, true, true);
    auto microscope = AddCamera("USB microscope", false, true, false);
    WriteSettingsWithDriver(1);
    frmMain w;
    LoadQuiet(w);

    ASSERT_NE(w.CapWnd, nullptr);
    EXPECT_EQ(w.CapWnd->parent(), &w);
    EXPECT_EQ(w.CapWnd->driver, microscope);
    EXPECT_TRUE(microscope->connected);
    EXPECT_EQ(w.CapWnd->title, "USB microscope");
    EXPECT_EQ(w.CapWnd->style, 0x50000000);
    EXPECT_EQ(w.CapWnd->width, 0);
    EXPECT_EQ(w.CapWnd->height, 0);
    EXPECT_FALSE(w.CapWnd->preview);
    EXPECT_FALSE(w.CapWnd->overlay);
    EXPECT_FALSE(w.CapWnd->scale);
    EXPECT_EQ(w.CapWnd->previewRate, 0);
    EXPECT_TRUE(w.CapWnd->onFrame != nullptr);
    EXPECT_EQ(Menus(w), (MenuState{false, true, false}));
    EXPECT_TRUE(Messages().isEmpty());

    // A grab puts the camera's frame into Picture1.
    microscope->frame = FakeCamera::Grey(77);
    w.GrabFrame();
    EXPECT_EQ(w.Picture1->canvas().GetPixel(10, 10), 0x4D4D4Du);
}

TEST_F(CaptureSetUpTest, DriverIndexThatNamesNoDriverIsSilent) {
    WriteSettingsWithDriver(7);
    frmMain w;
    const QImage start = w.Picture1->canvas().Picture();
    LoadQuiet(w);

    EXPECT_EQ(w.VidSource, 7);
    ASSERT_NE(w.CapWnd, nullptr);
    EXPECT_EQ(w.CapWnd->driver, nullptr);
    EXPECT_TRUE(w.CapWnd->title.isEmpty());
    EXPECT_EQ(w.CapWnd->width, 0);
    EXPECT_EQ(Menus(w), (MenuState{true, true, true}));
    EXPECT_TRUE(Messages().isEmpty());

    // Grabs deliver nothing; the live loop goes on over the start picture.
    EXPECT_TRUE(RunLive(w, [&] { return w.Picture1->canvas().GetPixel(160, 2) == kMagenta; }));
    EXPECT_EQ(w.Picture1->canvas().Picture(), start);
    EXPECT_EQ(simulator->tester().framesRendered(), 0u);
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(CaptureSetUpTest, SelectConnectsUpdatesVidSourceAndMenusBothWaysAndSetsManual) {
    auto camera = AddCamera("Front camera", true, true, false);
    WriteSettingsWithDriver(1);  // the simulator: a source dialog only
    frmMain w;
    LoadQuiet(w);
    ASSERT_EQ(w.CapWnd->driver, simulator);
    ASSERT_EQ(Menus(w), (MenuState{true, false, false}));

    // The menu stops the live loop and opens the window, the connected driver
    // selected; opening it again shows the same window.
    w.mnuSelect_Click();
    EXPECT_FALSE(w.Manual);
    QPointer<frmSelect> select = w.findChild<frmSelect*>();
    ASSERT_TRUE(select);
    EXPECT_TRUE(select->isVisible());
    EXPECT_FALSE(select->isModal());
    EXPECT_EQ(select->cmboSource->currentIndex(), 1);
    w.mnuSelect_Click();
    EXPECT_EQ(w.findChildren<frmSelect*>().size(), 1);

    select->cmboSource->setCurrentIndex(0);
    select->cmdSelect->click();
    EXPECT_TRUE(w.Manual);
    EXPECT_EQ(w.VidSource, 0);
    EXPECT_EQ(w.CapWnd->driver, camera);
    EXPECT_FALSE(simulator->isConnected());
    EXPECT_EQ(w.CapWnd->title, "Front camera");
    EXPECT_EQ(Menus(w), (MenuState{true, true, false}));  // "&Format" enabled again
    DeleteUnloaded();
    EXPECT_TRUE(select.isNull());  // unloaded

    // And back: the simulator has no format dialog.
    w.mnuSelect_Click();
    select = w.findChild<frmSelect*>();
    ASSERT_TRUE(select);
    EXPECT_EQ(select->cmboSource->currentIndex(), 0);
    select->cmboSource->setCurrentIndex(1);
    select->cmdSelect_Click();
    EXPECT_EQ(w.VidSource, 1);
    EXPECT_EQ(w.CapWnd->driver, simulator);
    EXPECT_EQ(w.CapWnd->title, "Simulated Foucault tester");
    EXPECT_EQ(Menus(w), (MenuState{true, false, false}));
    EXPECT_TRUE(w.Manual);
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(CaptureSetUpTest, FailedConnectionChangesNothingButClosesAndResumes) {
    auto broken = AddCamera("Unplugged camera", true, true, true);
    broken->connectable = false;
    WriteSettingsWithDriver(1);
    frmMain w;
    LoadQuiet(w);
    ASSERT_EQ(w.CapWnd->driver, simulator);
    const MenuState before = Menus(w);

    w.mnuSelect_Click();
    QPointer<frmSelect> select = w.findChild<frmSelect*>();
    ASSERT_TRUE(select);
    select->cmboSource->setCurrentIndex(0);
    select->cmdSelect_Click();
    EXPECT_EQ(w.VidSource, 1);
    EXPECT_EQ(w.CapWnd->driver, simulator);
    EXPECT_TRUE(simulator->isConnected());
    EXPECT_EQ(w.CapWnd->title, "Simulated Foucault tester");
    EXPECT_EQ(Menus(w), before);
    EXPECT_TRUE(w.Manual);
    DeleteUnloaded();
    EXPECT_TRUE(select.isNull());
    EXPECT_TRUE(Messages().isEmpty());

    // No entry chosen: "Select" only sets Manual and closes.
    w.mnuSelect_Click();
    select = w.findChild<frmSelect*>();
    ASSERT_TRUE(select);
    select->cmboSource->setCurrentIndex(-1);
    select->cmdSelect_Click();
    EXPECT_TRUE(w.Manual);
    EXPECT_EQ(w.CapWnd->driver, simulator);
    DeleteUnloaded();
    EXPECT_TRUE(select.isNull());

    // The loop resumes at the next tick.
    const uint64_t frames = tester->framesRendered();
    EXPECT_TRUE(RunLive(w, [&] { return tester->framesRendered() > frames + 3; }));
}

TEST_F(CaptureSetUpTest, CancelEscapeAndTheCloseBoxAllResumeTheLiveVideo) {
    WriteSettingsWithDriver(0);
    frmMain w;
    LoadQuiet(w);
    const auto closeWays = std::vector<std::function<void(frmSelect&)>>{
        [](frmSelect& s) { s.cmdCancel->click(); },
        [](frmSelect& s) { s.reject(); },
        [](frmSelect& s) { s.close(); },
    };
    for (const auto& closeIt : closeWays) {
        w.mnuSelect_Click();
        QPointer<frmSelect> select = w.findChild<frmSelect*>();
        ASSERT_TRUE(select);
        ASSERT_FALSE(w.Manual);
        closeIt(*select);
        EXPECT_TRUE(w.Manual);
        EXPECT_EQ(w.VidSource, 0);
        DeleteUnloaded();
        EXPECT_TRUE(select.isNull());
    }
}

TEST_F(CaptureSetUpTest, VideoMenusOpenTheDriverDialogsWhileTheLoopIsHeld) {
    auto camera = AddCamera("Front camera", true, true, true);
    WriteSettingsWithDriver(0);
    frmMain w;
    LoadQuiet(w);
    QStringList opened;
    camera->dialog = [&](const char* which) {
        opened << QString::fromLatin1(which) + (w.Manual ? " with Manual" : "");
        if (QByteArray(which) == "format") w.CapWnd->width = 640;  // a new format's size
        return true;
    };
    int grabsDuringDialogs = -1;
    bool done = false;
    QTimer::singleShot(20, &w, [&] {
        const int grabs = camera->grabs;
        w.mnuFormat_Click();
        w.mnuSource_Click();
        w.mnuDisplay_Click();
        grabsDuringDialogs = camera->grabs - grabs;
        done = true;
    });
    EXPECT_TRUE(RunLive(w, [&] { return done; }));
    EXPECT_EQ(opened, QStringList({"format", "source", "display with Manual"}));
    EXPECT_EQ(grabsDuringDialogs, 0);  // the loop below waited
    EXPECT_EQ(w.CapWnd->width, 0);     // the format dialog's window size was undone
    EXPECT_TRUE(Messages().isEmpty());
}
