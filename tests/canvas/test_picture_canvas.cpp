#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "platform/PictureCanvas.h"

namespace {

constexpr OleColor kWhite = 0xFFFFFF;

QImage Filled(int width, int height, QRgb rgb) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(rgb);
    return image;
}

// Pixels in the rectangle [x0, x1) x [y0, y1) that differ from the colour.
int CountOther(const PictureCanvas& canvas, int x0, int y0, int x1, int y1, OleColor colour) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) count += canvas.GetPixel(x, y) != colour;
    return count;
}

}  // namespace

TEST(PictureCanvasTest, LinesAndCirclesInBgrColours) {
    PictureCanvas canvas(100, 100);
    canvas.SetPicture(Filled(100, 100, qRgb(10, 20, 30)));
    EXPECT_EQ(canvas.GetPixel(0, 0), 0x1E140Au);
    EXPECT_EQ(canvas.GetPixel(-1, 0), 0u);  // outside reads 0
    EXPECT_EQ(canvas.GetPixel(0, 100), 0u);

    // Both ends are drawn; fractional ends round to pixels.
    canvas.Line(20.4, 30, 20.4, 20, kRed);
    EXPECT_EQ(CountOther(canvas, 20, 20, 21, 31, kRed), 0);
    EXPECT_EQ(canvas.GetPixel(20, 31), 0x1E140Au);
    EXPECT_EQ(ToQColor(kRed), QColor(255, 0, 0));

    // Far-off ends: only the visible part is walked.
    canvas.Line(-1e12, 40, 1e12, 40, kCyan);
    EXPECT_EQ(CountOther(canvas, 0, 40, 100, 41, kCyan), 0);

    canvas.Circle(50, 50, 23.25, kMagenta);
    EXPECT_EQ(canvas.GetPixel(73, 50), kMagenta);
    EXPECT_EQ(canvas.GetPixel(50, 27), kMagenta);
    EXPECT_EQ(canvas.GetPixel(60, 60), 0x1E140Au);  // an outline, not a disc
    PictureCanvas blank(40, 40);
    blank.Circle(20, 20, -5, kCyan);
    blank.Circle(20, 20, 1e12, kCyan);
    EXPECT_EQ(CountOther(blank, 0, 0, 40, 40, kWhite), 0);
}

TEST(PictureCanvasTest, PrintMovesToNextLineWithBreaksAndTabs) {
    PictureCanvas canvas(400, 200);
    canvas.FontSize = 12;
    const double line = canvas.TextHeight();
    canvas.CurrentX = 20;
    canvas.CurrentY = 10;
    canvas.Print(QStringLiteral("HHHH"));
    EXPECT_EQ(canvas.CurrentX, 0);
    EXPECT_DOUBLE_EQ(canvas.CurrentY, 10 + line);
    EXPECT_EQ(CountOther(canvas, 0, 0, 20, 200, kWhite), 0);
    EXPECT_GT(CountOther(canvas, 20, 10, 400, int(10 + line), kWhite), 0);

    // CR LF starts a line at the left edge; a TAB moves the text off it.
    canvas.Cls();
    canvas.CurrentX = 200;
    canvas.Print(QStringLiteral("\r\nHH\r\n\tHH"));
    EXPECT_DOUBLE_EQ(canvas.CurrentY, 3 * line);
    EXPECT_EQ(CountOther(canvas, 0, 0, 400, int(line), kWhite), 0);
    EXPECT_GT(CountOther(canvas, 0, int(line), 30, int(2 * line), kWhite), 0);
    EXPECT_EQ(CountOther(canvas, 0, int(2 * line) + 1, 30, int(3 * line), kWhite), 0);
    EXPECT_GT(CountOther(canvas, 30, int(2 * line) + 1, 400, int(3 * line), kWhite), 0);

    canvas.FontSize = 8;
    const double small = canvas.TextHeight();
    canvas.FontSize = 16;
    canvas.FontBold = true;
    EXPECT_GT(canvas.TextHeight(), small * 1.5);
    canvas.ForeColor = kGreen;
    canvas.Print(QStringLiteral("\u2588"));  // a full block shows the pure colour
    EXPECT_GT(CountOther(canvas, 0, int(3 * line), 40, 200, kWhite), 0);
    EXPECT_LT(CountOther(canvas, 0, int(3 * line), 40, 200, kGreen), 40 * (200 - int(3 * line)));
}

TEST(PictureCanvasTest, FontNameChoosesTheFaceOfWidthsAndPrints) {
    PictureCanvas canvas(300, 40);
    canvas.FontSize = 12;
    const QString text = QStringLiteral("Null for Zone #1");
    const double wide = canvas.TextWidth(text);
    canvas.Print(text);
    const QImage before = canvas.Image();
    canvas.FontName = QStringLiteral("Liberation Serif");
    EXPECT_LT(canvas.TextWidth(text), wide * 0.95);
    canvas.Cls();
    canvas.Print(text);
    EXPECT_NE(canvas.Image(), before);  // the laid-out text follows the face
    canvas.FontName = QStringLiteral("DejaVu Sans");
    EXPECT_DOUBLE_EQ(canvas.TextWidth(text), wide);
    canvas.Cls();
    canvas.Print(text);
    EXPECT_EQ(canvas.Image(), before);
}

TEST(PictureCanvasTest, ClsNewPictureAndResize) {
    PictureCanvas canvas(60, 40);
    canvas.SetPicture(Filled(60, 40, qRgb(0, 0, 200)));
    canvas.Line(0, 5, 59, 5, kMagenta);
    canvas.CurrentY = 9;
    const QImage earlier = canvas.Image();
    canvas.Cls();
    EXPECT_EQ(canvas.GetPixel(10, 5), 0xC80000u);
    EXPECT_EQ(canvas.CurrentY, 0);
    EXPECT_EQ(FromQColor(QColor(earlier.pixel(10, 5))), kMagenta);  // a copy keeps its pixels

    canvas.Line(0, 5, 59, 5, kMagenta);
    canvas.SetPicture(Filled(20, 10, qRgb(255, 0, 0)));  // smaller: at the top left
    EXPECT_EQ(canvas.GetPixel(10, 5), kRed);
    EXPECT_EQ(canvas.GetPixel(20, 5), kWhite);
    canvas.ClearPicture();
    EXPECT_EQ(CountOther(canvas, 0, 0, 60, 40, kWhite), 0);

    // Resizing keeps the picture and what was drawn where the sizes overlap.
    canvas.SetPicture(Filled(80, 80, qRgb(0, 0, 100)));
    canvas.Line(0, 10, 59, 10, kMagenta);
    canvas.Resize(80, 20);
    EXPECT_EQ(canvas.GetPixel(5, 10), kMagenta);
    EXPECT_EQ(canvas.GetPixel(70, 10), 0x640000u);
    canvas.Resize(-5, 10);
    EXPECT_EQ(canvas.GetPixel(0, 0), 0u);
    canvas.Line(0, 0, 10, 10, kRed);  // nothing to draw on, no harm
    canvas.Print(QStringLiteral("x"));
}

TEST(PictureCanvasTest, StretchBltScalesMirrorsAndClips) {
    QImage source(2, 2, QImage::Format_RGB32);  // red green / blue white
    source.setPixel(0, 0, qRgb(255, 0, 0));
    source.setPixel(1, 0, qRgb(0, 255, 0));
    source.setPixel(0, 1, qRgb(0, 0, 255));
    source.setPixel(1, 1, qRgb(255, 255, 255));
    PictureCanvas canvas(40, 40);
    canvas.BackColor = 0;
    canvas.Cls();
    canvas.StretchBlt(10, 10, 10, 10, source, 0, 0, 2, 2);
    EXPECT_EQ(CountOther(canvas, 10, 10, 15, 15, kRed), 0);
    EXPECT_EQ(CountOther(canvas, 15, 10, 20, 15, kGreen), 0);
    EXPECT_EQ(CountOther(canvas, 10, 15, 15, 20, 0xFF0000), 0);
    EXPECT_EQ(CountOther(canvas, 15, 15, 20, 20, kWhite), 0);
    EXPECT_EQ(CountOther(canvas, 0, 0, 40, 10, 0) + CountOther(canvas, 20, 0, 40, 40, 0), 0);

    canvas.Cls();
    canvas.StretchBlt(30, 0, -10, 4, source, 0, 0, 2, 2);  // mirrored, from x 30 leftwards
    EXPECT_EQ(canvas.GetPixel(21, 0), kGreen);
    EXPECT_EQ(canvas.GetPixel(29, 0), kRed);
    EXPECT_EQ(canvas.GetPixel(30, 0), 0u);

    canvas.Cls();
    canvas.StretchBlt(35, 35, 20, 20, source, 0, 0, 2, 2);  // clipped at the edges
    EXPECT_EQ(canvas.GetPixel(39, 39), kRed);
    canvas.StretchBlt(0, 0, 4, 2, source, 1, 0, 2, 1);  // half the source lies outside it
    EXPECT_EQ(canvas.GetPixel(0, 0), kGreen);
    EXPECT_EQ(canvas.GetPixel(3, 1), 0u);
}

TEST(PictureCanvasTest, SavesWindowsBitmapsWhole) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    PictureCanvas canvas(32, 24);
    canvas.SetPicture(Filled(32, 24, qRgb(1, 2, 3)));
    canvas.Line(0, 0, 31, 0, kMagenta);
    const QString image = folder.filePath(QStringLiteral("Zone1rep0.bmp"));
    const QString raw = folder.filePath(QStringLiteral("Raw_Zone1rep0.bmp"));
    ASSERT_TRUE(canvas.SaveImageBitmap(image));
    ASSERT_TRUE(canvas.SavePictureBitmap(raw));

    QImage back;
    ASSERT_TRUE(back.load(image, "BMP"));
    EXPECT_EQ(back.size(), QSize(32, 24));
    EXPECT_EQ(FromQColor(QColor(back.pixel(5, 0))), kMagenta);
    EXPECT_EQ(FromQColor(QColor(back.pixel(5, 5))), 0x030201u);
    ASSERT_TRUE(back.load(raw, "BMP"));
    EXPECT_EQ(FromQColor(QColor(back.pixel(5, 0))), 0x030201u);

    // No picture, or no such folder: refused, and nothing is left behind.
    EXPECT_FALSE(PictureCanvas(10, 10).SavePictureBitmap(folder.filePath(QStringLiteral("n.bmp"))));
    EXPECT_FALSE(canvas.SaveImageBitmap(folder.filePath(QStringLiteral("missing/a.bmp"))));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);
}
