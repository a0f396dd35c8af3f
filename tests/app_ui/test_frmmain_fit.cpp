// What the user sees fits: captions inside their buttons, the start instructions
// inside the bar-graph picture, in the faces the window was designed with.

#include <QFontInfo>
#include <QImage>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>

#include "app/ui/frmMain.h"
#include "frmmain_fixture.h"
#include "platform/ui/PictureBox.h"

namespace {

// The box around the dark pixels (text) of an image; empty when there are none.
QRect InkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 96) box |= QRect(x, y, 1, 1);
    return box;
}

// The box around what a button's caption draws: the button drawn with its
// caption, against the same button drawn without it.
QRect CaptionBox(QPushButton* button) {
    const QImage with = button->grab().toImage();
    const QString caption = button->text();
    button->setText(QString());
    const QImage without = button->grab().toImage();
    button->setText(caption);
    QRect box;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y)) box |= QRect(x, y, 1, 1);
    return box;
}

using MainWindowFit = MainWindowTest;

TEST_F(MainWindowFit, CaptionsAndStartInstructionsStayInsideTheirControls) {
    WriteSettings(GoodSettings());
    frmMain w;
    w.Form_Load();
    w.Timer1->stop();
    w.mnuDebug_Click();  // the debug display shows Save_picture
    ASSERT_TRUE(w.ShowDebug);

    // Metric-compatible faces stand in for Arial and Times New Roman.
    EXPECT_EQ(QFontInfo(w.Command3->font()).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(w.Text1->font()).family(), "Liberation Serif");

    // Every caption, wrapped at its blanks where it must be, is drawn whole
    // inside its button's contents: "Save Pics" is not clipped to "ave Pic".
    for (QPushButton* button :
         {w.Chk_trak, w.Command3, w.abort, w.Command5, w.Command1, w.cmdpause, w.Save_picture}) {
        SCOPED_TRACE(button->objectName().toStdString());
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect room =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const QRect ink = CaptionBox(button);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_TRUE(room.contains(ink)) << "text at x " << ink.left() << " to " << ink.right()
                                        << ", room " << room.left() << " to " << room.right();
    }
    // "Save Pics" takes two lines in its 41-pixel box.
    EXPECT_GT(CaptionBox(w.Save_picture).height(), 1.5 * w.Save_picture->fontMetrics().height());

    // The start instructions end before the right edge of the bar-graph picture.
    const PictureCanvas& bars = w.Picture2->canvas();
    const QImage& image = bars.Image();
    const QRect ink = InkBox(image);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LT(ink.right(), image.width() - 2)
        << "the instructions run to x " << ink.right() << " of " << image.width();
}

}  // namespace
