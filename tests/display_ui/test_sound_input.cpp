// The waiting sound player over a real audio device, with the user's clicks and
// keys coming from the X server while a sound plays.

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include "DisplayAndSound.h"
#include "platform/Sound.h"

namespace {

TEST(WaitingSound, UserInputWaitsUntilTheSoundHasEndedWhileTimersRun) {
    REQUIRE_DISPLAY();
    REQUIRE_AUDIO_DEVICE();
    QTemporaryDir dir;
    const QString sound = dir.filePath(QStringLiteral("transpec.wav"));
    ASSERT_TRUE(display::WriteWave(sound, 1500));
    SetSoundOutputEnabled(true);

    QWidget window;
    auto* column = new QVBoxLayout(&window);
    auto* button = new QPushButton(QStringLiteral(" Do the Magic"));
    auto* box = new QLineEdit;
    column->addWidget(button);
    column->addWidget(box);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    box->activateWindow();
    box->setFocus();
    QTest::qWait(200);

    QElapsedTimer clock;
    qint64 clickedAt = -1;
    QObject::connect(button, &QPushButton::clicked, button, [&] { clickedAt = clock.elapsed(); });
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, &ticker, [&] { ++ticks; });
    ticker.start(50);
    // The user clicks and types while the sound plays.
    bool sent = false;
    QTimer::singleShot(300, button,
                       [&] { sent = display::XKey(box, "k") && display::XClick(button); });

    clock.start();
    PlaySoundSync(sound);
    const qint64 played = clock.elapsed();

    EXPECT_TRUE(sent) << "xdotool could not send the click and the key";
    // The audio system reports the end once it has taken the last samples, a
    // little before they are heard; a sound that did not play returns at once.
    EXPECT_GE(played, 1200) << "the sound did not play to its end";
    EXPECT_LT(played, 1500 + 2500);
    EXPECT_GE(ticks, 15) << "timers must run while the sound plays";
    EXPECT_EQ(clickedAt, -1) << "the click ran inside the sound";
    EXPECT_EQ(box->text(), QString());

    // Afterwards the input arrives, none of it lost.
    EXPECT_TRUE(QTest::qWaitFor([&] { return clickedAt >= 0 && !box->text().isEmpty(); }, 3000));
    EXPECT_GE(clickedAt, played);
    EXPECT_EQ(box->text(), QStringLiteral("k"));
}

}  // namespace
