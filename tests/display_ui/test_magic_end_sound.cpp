// "Do the Magic" clicked by the X server while the end-of-test sound plays on a
// real audio device: the click waits until the test has ended and saved.

#include <QDir>
#include <QEventLoop>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <chrono>

#include "DisplayAndSound.h"
#include "autotest_ui/MagicRig.h"

namespace {

TEST(MagicEndSound, ClickDuringTheEndSoundWaitsUntilTheTestHasSaved) {
    REQUIRE_DISPLAY();
    REQUIRE_AUDIO_DEVICE();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    SetAppPath(folder.path());
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Sound")));
    ASSERT_TRUE(display::WriteWave(folder.filePath(QStringLiteral("Sound/transpec.wav")), 1500));

    magic::RigOptions options;
    options.zones = 1;
    options.reps = 0;
    magic::Rig rig(options);
    frmMain& w = rig.Start();
    w.SetBusyCountStep(std::chrono::nanoseconds(0));
    SetSoundOutputEnabled(true);
    ClearSoundRequests();
    rig.port->sim().setPositions(0, 0);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

    // The test number each press of the button finds: the first test saves as
    // test 1 and raises it to 2.
    QList<int32_t> pressedAt;
    QObject::connect(w.Command3, &QPushButton::pressed, &w, [&] { pressedAt << w.WorkNum; });

    // Both clicks come from the X server while the live loop runs, as a user's
    // do: the first starts the test once the loop shows frames, the second comes
    // during the test's end sound.
    const int64_t grabsBefore = rig.driver->grabs;
    QEventLoop waiting;
    bool startClicked = false;
    bool clickedDuringEndSound = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, &w, [&] {
        if (!startClicked) {
            if (rig.driver->grabs > grabsBefore + 2) startClicked = display::XClick(w.Command3);
        } else if (!clickedDuringEndSound && !SoundRequests().isEmpty() &&
                   SoundRequests().last().endsWith(QLatin1String("transpec.wav"))) {
            clickedDuringEndSound = display::XClick(w.Command3);
        } else if (w.WorkNum >= 3 && w.Manual) {
            w.Manual = false;  // the live loop ends after its pass
            waiting.quit();
        }
    });
    QTimer::singleShot(40000, &waiting, [&] {
        w.Manual = false;
        waiting.quit();
    });
    watcher.start(20);
    w.Timer1->start();
    waiting.exec();
    watcher.stop();
    w.Timer1->stop();

    EXPECT_TRUE(clickedDuringEndSound);
    ASSERT_EQ(pressedAt.size(), 2);
    EXPECT_EQ(pressedAt[0], 1);
    EXPECT_EQ(pressedAt[1], 2) << "the click ran inside the first test, before it had saved";
    // The click was not lost: it ran a second whole test afterwards.
    EXPECT_EQ(w.WorkNum, 3);
    EXPECT_EQ(SoundRequests().filter(QStringLiteral("transpec.wav")).size(), 2);
}

}  // namespace
