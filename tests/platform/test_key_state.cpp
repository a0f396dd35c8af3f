#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QObject>

#include "platform/KeyState.h"

namespace {

TEST(KeyState, FirstQueryStartsWatchingTheKeyboard) {
    ResetKeyState();
    EXPECT_EQ(GetAsyncKeyState(VK_K), 0);
    QObject receiver;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_K, Qt::NoModifier);
    QCoreApplication::sendEvent(&receiver, &press);
    EXPECT_NE(GetAsyncKeyState(VK_K), 0);
    ResetKeyState();
}

class KeyStateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InstallKeyStateFilter(*QCoreApplication::instance());
        ResetKeyState();
    }
    void TearDown() override { ResetKeyState(); }

    // Sends a key event to an ordinary object, as the application delivers it.
    void Key(QEvent::Type type, int qtKey, bool autoRepeat = false) {
        QKeyEvent event(type, qtKey, Qt::NoModifier, QString(), autoRepeat);
        QCoreApplication::sendEvent(&receiver_, &event);
    }
    void Press(int qtKey, bool autoRepeat = false) { Key(QEvent::KeyPress, qtKey, autoRepeat); }
    void Release(int qtKey, bool autoRepeat = false) { Key(QEvent::KeyRelease, qtKey, autoRepeat); }

    QObject receiver_;
};

TEST_F(KeyStateTest, HeldKeyCountsUntilReleased) {
    Press(Qt::Key_K);
    EXPECT_NE(GetAsyncKeyState(VK_K), 0);
    EXPECT_NE(GetAsyncKeyState(VK_K), 0);  // still down
    EXPECT_EQ(GetAsyncKeyState(VK_J), 0);
    Release(Qt::Key_K);
    EXPECT_EQ(GetAsyncKeyState(VK_K), 0);
}

TEST_F(KeyStateTest, ShortTapBetweenQueriesCountsOnce) {
    Press(Qt::Key_I);
    Release(Qt::Key_I);
    EXPECT_NE(GetAsyncKeyState(VK_I), 0);
    EXPECT_EQ(GetAsyncKeyState(VK_I), 0);
    // Each key keeps its own mark: querying one does not clear another.
    Press(Qt::Key_M);
    Release(Qt::Key_M);
    Press(Qt::Key_J);
    Release(Qt::Key_J);
    EXPECT_NE(GetAsyncKeyState(VK_J), 0);
    EXPECT_NE(GetAsyncKeyState(VK_M), 0);
    EXPECT_EQ(GetAsyncKeyState(VK_M), 0);
}

TEST_F(KeyStateTest, AutoRepeatNeitherReleasesNorCountsAsANewPress) {
    Press(Qt::Key_M);
    EXPECT_NE(GetAsyncKeyState(VK_M), 0);
    // Held keys repeat as release/press pairs marked auto-repeat.
    Release(Qt::Key_M, true);
    Press(Qt::Key_M, true);
    EXPECT_EQ(GetAsyncKeyState(VK_M) & 1, 0);
    EXPECT_NE(GetAsyncKeyState(VK_M), 0);
    Release(Qt::Key_M);
    EXPECT_EQ(GetAsyncKeyState(VK_M), 0);
}

TEST_F(KeyStateTest, LosingActivationReleasesEveryKey) {
    Press(Qt::Key_J);
    Press(Qt::Key_I);
    Release(Qt::Key_I);  // pressed since the last query, not yet seen
    QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &inactive);
    EXPECT_EQ(GetAsyncKeyState(VK_J), 0);
    EXPECT_EQ(GetAsyncKeyState(VK_I), 0);

    QApplicationStateChangeEvent active(Qt::ApplicationActive);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &active);
    Press(Qt::Key_J);
    EXPECT_NE(GetAsyncKeyState(VK_J), 0);
}

TEST_F(KeyStateTest, OtherKeysAndCodesAreNotTracked) {
    Press(Qt::Key_A);
    EXPECT_EQ(GetAsyncKeyState(0x41), 0);
    EXPECT_EQ(GetAsyncKeyState(-1), 0);
    EXPECT_EQ(GetAsyncKeyState(100000), 0);
}

TEST_F(KeyStateTest, InstallingTwiceSeesEachPressOnce) {
    InstallKeyStateFilter(*QCoreApplication::instance());
    Press(Qt::Key_K);
    Release(Qt::Key_K);
    EXPECT_NE(GetAsyncKeyState(VK_K), 0);
    EXPECT_EQ(GetAsyncKeyState(VK_K), 0);
}

}  // namespace
