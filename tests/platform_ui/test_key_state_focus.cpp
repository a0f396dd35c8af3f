// The jog keys against the focus and the modifier keys, with key events that come
// through the window system to whatever has the focus, as typed keys do.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>

#include "platform/KeyState.h"

namespace {

class JogKeysAndFocus : public ::testing::Test {
  protected:
    void SetUp() override {
        InstallKeyStateFilter(*QCoreApplication::instance());
        auto* client = new QWidget(&window);
        auto* column = new QVBoxLayout(client);
        for (QWidget* w : std::initializer_list<QWidget*>{line, text, readOnly, spin, editableCombo,
                                                          combo, button})
            column->addWidget(w);
        readOnly->setReadOnly(true);
        editableCombo->setEditable(true);
        combo->addItems({"Jim", "Kim"});
        window.setCentralWidget(client);
        mirrorMenu = window.menuBar()->addMenu("&Mirror Database");
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        ResetKeyState();
    }
    void TearDown() override { ResetKeyState(); }

    void Focus(QWidget* w) {
        w->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), w);
    }
    QWindow* Handle() { return window.windowHandle(); }
    void Type(const char* letters) {
        for (const char* c = letters; *c; ++c) QTest::keyClick(Handle(), *c);
    }
    // The jog keys that count now, as the live loop asks for them.
    QString Counting() {
        QString keys;
        for (const auto& [vk, name] : {std::pair{VK_I, 'I'}, {VK_M, 'M'}, {VK_J, 'J'}, {VK_K, 'K'}})
            if (GetAsyncKeyState(vk) != 0) keys += QLatin1Char(name);
        return keys;
    }

    QMainWindow window;
    QLineEdit* line = new QLineEdit;
    QPlainTextEdit* text = new QPlainTextEdit;
    QPlainTextEdit* readOnly = new QPlainTextEdit;
    QSpinBox* spin = new QSpinBox;
    QComboBox* editableCombo = new QComboBox;
    QComboBox* combo = new QComboBox;
    QPushButton* button = new QPushButton("Track");
    QMenu* mirrorMenu = nullptr;
};

TEST_F(JogKeysAndFocus, LettersTypedIntoTextControlsAreNoJogKeys) {
    for (QWidget* w : std::initializer_list<QWidget*>{line, text, spin, editableCombo}) {
        Focus(w);
        Type("Jim");
        QTest::keyClick(Handle(), Qt::Key_K);
        QTest::keyPress(Handle(), Qt::Key_M);  // held while the loop asks
        EXPECT_EQ(Counting(), "") << w->metaObject()->className();
        QTest::keyRelease(Handle(), Qt::Key_M);
    }
    // The typing itself reaches the controls.
    EXPECT_EQ(line->text(), "Jimkm");
    EXPECT_EQ(text->toPlainText(), "Jimkm");
    EXPECT_EQ(editableCombo->currentText(), "Jimkm");
}

TEST_F(JogKeysAndFocus, ControlsThatTakeNoTextLeaveTheJogKeys) {
    for (QWidget* w : std::initializer_list<QWidget*>{button, combo, readOnly}) {
        Focus(w);
        QTest::keyClick(Handle(), Qt::Key_J);
        QTest::keyPress(Handle(), Qt::Key_I);
        EXPECT_EQ(Counting(), "IJ") << w->metaObject()->className();
        EXPECT_EQ(Counting(), "I");  // the tap once, the held key while held
        QTest::keyRelease(Handle(), Qt::Key_I);
        EXPECT_EQ(Counting(), "");
    }
}

TEST_F(JogKeysAndFocus, LettersWithAltOrCtrlAreMenuAndShortcutKeys) {
    Focus(button);
    // Alt+M opens the Mirror Database menu and does not step the platform.
    QTest::keyClick(Handle(), Qt::Key_M, Qt::AltModifier);
    EXPECT_EQ(Counting(), "");
    EXPECT_TRUE(mirrorMenu->isVisible());
    mirrorMenu->close();
    QTest::keyClick(Handle(), Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(Counting(), "");

    // A held key stops counting when Alt or Ctrl goes down, and when the focus
    // moves to a text control.
    Focus(button);
    QTest::keyPress(Handle(), Qt::Key_K);
    EXPECT_EQ(Counting(), "K");
    QTest::keyPress(Handle(), Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(Counting(), "");
    QTest::keyRelease(Handle(), Qt::Key_Control);
    QTest::keyRelease(Handle(), Qt::Key_K);
    QTest::keyPress(Handle(), Qt::Key_J);
    Focus(line);
    EXPECT_EQ(Counting(), "");
    QTest::keyRelease(Handle(), Qt::Key_J);
}

}  // namespace
