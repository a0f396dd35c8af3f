// The floating text window opened from the Windows menu.

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QTimer>

#include "app/ui/frmMain.h"
#include "app/ui/frmText.h"
#include "frmmain_fixture.h"

namespace {

void RunFor(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

}  // namespace

using FloatingTextWindow = MainWindowTest;

TEST_F(FloatingTextWindow, MenuTwiceShowsOneWindowThatCopiesBothBoxes) {
    frmMain w;
    w.Text1->setPlainText("Found Zone 1 @ 10:00:00");
    w.Text2->clear();
    w.mnuText->trigger();
    QPointer<frmText> first = w.TextWindow;
    ASSERT_TRUE(first);
    EXPECT_EQ(first->windowTitle(), "QUENZ Text Output");
    EXPECT_EQ(first->parentWidget(), &w);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->Timer1->interval(), 50);
    EXPECT_EQ(first->Text2->toPlainText(), "Text2");

    w.mnuText->trigger();
    EXPECT_EQ(w.TextWindow, first);
    EXPECT_EQ(w.findChildren<frmText*>().size(), 1);

    // The first tick replaces the design texts; later ticks follow the main window.
    RunFor(120);
    EXPECT_EQ(first->Text1->toPlainText(), "Found Zone 1 @ 10:00:00");
    EXPECT_EQ(first->Text2->toPlainText(), "");
    w.Text2->setPlainText("Zone 1\t0");
    RunFor(120);
    EXPECT_EQ(first->Text2->toPlainText(), "Zone 1\t0");
    // Nothing goes back.
    first->Text1->setPlainText("typed here");
    RunFor(120);
    EXPECT_EQ(w.Text1->toPlainText(), "Found Zone 1 @ 10:00:00");

    // Closed, it is gone; the menu makes a new one.
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first);
    w.mnuText->trigger();
    EXPECT_TRUE(w.TextWindow);
}

TEST_F(FloatingTextWindow, ResizingFollowsTheWindowsOuterSize) {
    frmMain w;
    w.mnuText->trigger();
    frmText& t = *w.TextWindow;
    t.resize(500, 400);
    const QRect frame1 = t.Frame1->geometry();
    const QRect text2 = t.Text2->geometry();
    t.resize(600, 500);
    EXPECT_EQ(t.Frame1->width() - frame1.width(), 100);
    EXPECT_EQ(t.Frame1->height(), frame1.height());
    EXPECT_EQ(t.Text2->width() - text2.width(), 100);
    EXPECT_EQ(t.Text2->height() - text2.height(), 100);
}
