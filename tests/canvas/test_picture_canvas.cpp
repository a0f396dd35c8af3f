#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <chrono>

#include "platform/PictureCanvas.h"

namespace {

constexpr OleColor kWhite = 0xFFFFFF;

QImage Filled(int width, int height, QRgb rgb) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(rgb);
    return image;
}

// Pixels in the rectangle that differ from the colour.
int CountOther(const PictureCanvas& canvas, int x0, int y0, int x1, int y1, OleColor colour) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (canvas.GetPixel(x, y) != colour) ++count;
    return count;
}

}  // namespace

TEST(PictureCanvasTest, ColoursAreBgrAndOutsideReadsZero) {
    EXPECT_EQ(ToQColor(kRed), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(0x123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(FromQColor(QColor(0x56, 0x34, 0x12)), 0x123456u);

    PictureCanvas canvas(40, 30);
    canvas.SetPicture(Filled(40, 30, qRgb(10, 20, 30)));
    EXPECT_EQ(canvas.GetPixel(0, 0), 0x1E140Au);
    EXPECT_EQ(canvas.GetPixel(39, 29), 0x1E140Au);
    EXPECT_EQ(canvas.GetPixel(-1, 0), 0u);
    EXPECT_EQ(canvas.GetPixel(0, -1), 0u);
    EXPECT_EQ(canvas.GetPixel(40, 0), 0u);
    EXPECT_EQ(canvas.GetPixel(0, 30), 0u);
}

TEST(PictureCanvasTest, LinesIncludeBothEndsAndClip) {
    PictureCanvas canvas(50, 50);
    canvas.Line(5, 10, 15, 10, kMagenta);
    for (int x = 5; x <= 15; ++x) EXPECT_EQ(canvas.GetPixel(x, 10), kMagenta) << x;
    EXPECT_EQ(canvas.GetPixel(4, 10), kWhite);
    EXPECT_EQ(canvas.GetPixel(16, 10), kWhite);

    // Drawn bottom to top, as the zone ticks are; fractional ends round to pixels.
    canvas.Line(20.4, 30, 20.4, 20, kRed);
    for (int y = 20; y <= 30; ++y) EXPECT_EQ(canvas.GetPixel(20, y), kRed) << y;
    EXPECT_EQ(canvas.GetPixel(21, 25), kWhite);

    canvas.Line(0, 0, 49, 49, kGreen);
    EXPECT_EQ(canvas.GetPixel(25, 25), kGreen);
    EXPECT_EQ(canvas.GetPixel(49, 49), kGreen);

    // A line running far outside draws only its visible part, and at once.
    const auto start = std::chrono::steady_clock::now();
    canvas.Line(-1e9, 40, 1e9, 40, kCyan);
    canvas.Line(-1e12, -1e12, -5e11, -5e11, kCyan);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    EXPECT_EQ(CountOther(canvas, 0, 40, 50, 41, kCyan), 0);
}

TEST(PictureCanvasTest, CircleOutline) {
    PictureCanvas canvas(100, 100);
    canvas.Circle(50, 50, 20, kMagenta);
    EXPECT_EQ(canvas.GetPixel(70, 50), kMagenta);
    EXPECT_EQ(canvas.GetPixel(30, 50), kMagenta);
    EXPECT_EQ(canvas.GetPixel(50, 30), kMagenta);
    EXPECT_EQ(canvas.GetPixel(50, 70), kMagenta);
    EXPECT_EQ(canvas.GetPixel(50, 50), kWhite);  // an outline, not a disc
    EXPECT_EQ(canvas.GetPixel(60, 50), kWhite);
    EXPECT_EQ(canvas.GetPixel(71, 50), kWhite);

    // A fractional radius rounds to whole pixels; a negative one draws nothing.
    canvas.Circle(50, 50, 23.25, kCyan);
    EXPECT_EQ(canvas.GetPixel(73, 50), kCyan);
    PictureCanvas blank(40, 40);
    blank.Circle(20, 20, -5, kCyan);
    blank.Circle(20, 20, 1e12, kCyan);  // the whole picture inside it
    EXPECT_EQ(CountOther(blank, 0, 0, 40, 40, kWhite), 0);
}

TEST(PictureCanvasTest, PrintMovesToNextLineWithBreaksAndTabs) {
    PictureCanvas canvas(400, 200);
    canvas.FontSize = 12;
    const double line = canvas.TextHeight();
    ASSERT_GT(line, 10);
    canvas.CurrentX = 20;
    canvas.CurrentY = 10;
    canvas.Print(QStringLiteral("HHHH"));
    EXPECT_EQ(canvas.CurrentX, 0);
    EXPECT_DOUBLE_EQ(canvas.CurrentY, 10 + line);
    // The text stands right of x 20 and within its line.
    EXPECT_EQ(CountOther(canvas, 0, 0, 20, 200, kWhite), 0);
    EXPECT_GT(CountOther(canvas, 20, 10, 400, int(10 + line), kWhite), 0);
    EXPECT_EQ(CountOther(canvas, 0, int(10 + line) + 1, 400, 200, kWhite), 0);

    // CR LF starts a new line at the left edge; the text ends with one more break.
    canvas.Cls();
    canvas.CurrentX = 200;
    canvas.Print(QStringLiteral("\r\nHH\r\n\tHH"));
    EXPECT_DOUBLE_EQ(canvas.CurrentY, 3 * line);
    EXPECT_EQ(CountOther(canvas, 0, 0, 400, int(line), kWhite), 0);  // first line empty
    EXPECT_GT(CountOther(canvas, 0, int(line), 30, int(2 * line), kWhite), 0);
    // The TAB keeps the third line's text off the left edge.
    EXPECT_EQ(CountOther(canvas, 0, int(2 * line) + 1, 30, int(3 * line), kWhite), 0);
    EXPECT_GT(CountOther(canvas, 30, int(2 * line) + 1, 400, int(3 * line), kWhite), 0);

    // Larger and bold type is taller and wider; the colour is ForeColor.
    canvas.Cls();
    canvas.FontSize = 8;
    const double small = canvas.TextHeight();
    const double narrow = canvas.TextWidth(QStringLiteral("OFF!"));
    canvas.FontSize = 16;
    canvas.FontBold = true;
    EXPECT_GT(canvas.TextHeight(), small * 1.5);
    EXPECT_GT(canvas.TextWidth(QStringLiteral("OFF!")), narrow * 1.5);
    canvas.ForeColor = kGreen;
    canvas.Print(QStringLiteral("\u2588"));  // a full block shows the pure colour
    bool green = false;
    for (int y = 0; y < 30 && !green; ++y)
        for (int x = 0; x < 30 && !green; ++x) green = canvas.GetPixel(x, y) == kGreen;
    EXPECT_TRUE(green);
}

TEST(PictureCanvasTest, ClsAndNewPictureDropDrawings) {
    PictureCanvas canvas(60, 40);
    const QImage frame = Filled(60, 40, qRgb(0, 0, 200));
    canvas.SetPicture(frame);
    canvas.Line(0, 5, 59, 5, kMagenta);
    canvas.CurrentX = 7;
    canvas.CurrentY = 9;
    EXPECT_EQ(canvas.GetPixel(10, 5), kMagenta);
    canvas.Cls();
    EXPECT_EQ(canvas.GetPixel(10, 5), 0xC80000u);
    EXPECT_EQ(canvas.CurrentX, 0);
    EXPECT_EQ(canvas.CurrentY, 0);
    EXPECT_TRUE(canvas.HasPicture());

    canvas.Line(0, 5, 59, 5, kMagenta);
    canvas.SetPicture(Filled(60, 40, qRgb(0, 200, 0)));
    EXPECT_EQ(canvas.GetPixel(10, 5), 0x00C800u);

    // A smaller picture sits at the top left; the rest is the back colour.
    canvas.SetPicture(Filled(20, 10, qRgb(255, 0, 0)));
    EXPECT_EQ(canvas.GetPixel(19, 9), kRed);
    EXPECT_EQ(canvas.GetPixel(20, 9), kWhite);
    EXPECT_EQ(canvas.ScaleWidth(), 60);

    canvas.ClearPicture();
    EXPECT_FALSE(canvas.HasPicture());
    EXPECT_EQ(CountOther(canvas, 0, 0, 60, 40, kWhite), 0);

    // A copy of the image taken earlier keeps what it showed.
    canvas.Line(0, 0, 59, 0, kRed);
    const QImage earlier = canvas.Image();
    canvas.Cls();
    EXPECT_EQ(FromQColor(QColor(earlier.pixel(3, 0))), kRed);
}

TEST(PictureCanvasTest, ResizeKeepsPictureAndOverlappingDrawings) {
    PictureCanvas canvas(30, 30);
    canvas.SetPicture(Filled(50, 50, qRgb(0, 0, 100)));
    canvas.Line(0, 10, 29, 10, kMagenta);
    canvas.Resize(50, 20);
    EXPECT_EQ(canvas.ScaleWidth(), 50);
    EXPECT_EQ(canvas.ScaleHeight(), 20);
    EXPECT_EQ(canvas.GetPixel(5, 10), kMagenta);
    EXPECT_EQ(canvas.GetPixel(40, 10), 0x640000u);  // newly shown part of the picture
    canvas.Resize(-5, 10);
    EXPECT_EQ(canvas.ScaleWidth(), 0);
    EXPECT_EQ(canvas.GetPixel(0, 0), 0u);
    canvas.Line(0, 0, 10, 10, kRed);  // nothing to draw on, and no harm
    canvas.CurrentX = 0;
    canvas.Print(QStringLiteral("x"));
}

TEST(PictureCanvasTest, StretchBltScalesMirrorsAndClips) {
    // A 2 x 2 source: red, green / blue, white.
    QImage source(2, 2, QImage::Format_RGB32);
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
    EXPECT_EQ(CountOther(canvas, 0, 0, 40, 10, 0), 0);
    EXPECT_EQ(CountOther(canvas, 20, 0, 40, 40, 0), 0);

    // A negative width mirrors left and right: the rectangle runs from x 30 leftwards.
    canvas.Cls();
    canvas.StretchBlt(30, 0, -10, 4, source, 0, 0, 2, 2);
    EXPECT_EQ(canvas.GetPixel(21, 0), kGreen);
    EXPECT_EQ(canvas.GetPixel(29, 0), kRed);
    EXPECT_EQ(canvas.GetPixel(30, 0), 0u);

    // Off the edges: only the inside part is drawn; a source part outside the
    // source image leaves the destination as it was.
    canvas.Cls();
    canvas.StretchBlt(35, 35, 20, 20, source, 0, 0, 2, 2);
    EXPECT_EQ(canvas.GetPixel(39, 39), kRed);
    canvas.Cls();
    canvas.StretchBlt(0, 0, 4, 2, source, 1, 0, 2, 1);
    EXPECT_EQ(canvas.GetPixel(0, 0), kGreen);
    EXPECT_EQ(canvas.GetPixel(3, 1), 0u);
    canvas.StretchBlt(0, 10, 0, 5, source, 0, 0, 2, 2);
    canvas.StretchBlt(0, 10, 5, 5, QImage(), 0, 0, 2, 2);
    EXPECT_EQ(CountOther(canvas, 0, 10, 40, 20, 0), 0);
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

    QFile file(image);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(2), QByteArray("BM"));
    file.close();

    QImage back;
    ASSERT_TRUE(back.load(image, "BMP"));
    EXPECT_EQ(back.size(), QSize(32, 24));
    EXPECT_EQ(FromQColor(QColor(back.pixel(5, 0))), kMagenta);
    EXPECT_EQ(FromQColor(QColor(back.pixel(5, 5))), 0x030201u);
    ASSERT_TRUE(back.load(raw, "BMP"));
    EXPECT_EQ(FromQColor(QColor(back.pixel(5, 0))), 0x030201u);

    // No picture, or a folder that does not exist: refused, nothing left behind.
    PictureCanvas empty(10, 10);
    EXPECT_FALSE(empty.SavePictureBitmap(folder.filePath(QStringLiteral("none.bmp"))));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("none.bmp"))));
    EXPECT_FALSE(canvas.SaveImageBitmap(folder.filePath(QStringLiteral("missing/a.bmp"))));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);
}
