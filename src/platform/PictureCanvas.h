#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QStaticText>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

// Colours as the program writes them: &H00BBGGRR (red is &HFF, magenta &HFF00FF).
using OleColor = uint32_t;
constexpr OleColor kMagenta = 0xFF00FF;
constexpr OleColor kCyan = 0xFFFF00;
constexpr OleColor kGreen = 0x00FF00;
constexpr OleColor kYellow = 0x00FFFF;
constexpr OleColor kRed = 0x0000FF;
QColor ToQColor(OleColor colour);
OleColor FromQColor(const QColor& colour);

// A picture box's drawing surface, without a widget. It holds a picture (the
// grabbed frame, or none) and an image: the picture with everything drawn on it
// since the last Cls or new picture. Reads (GetPixel) see the image; a point
// outside reads 0. Coordinates are pixels.
class PictureCanvas {
  public:
    PictureCanvas(int width = 320, int height = 240);

    int ScaleWidth() const { return image_.width(); }
    int ScaleHeight() const { return image_.height(); }
    // Keeps the picture and, where the old and new sizes overlap, what was drawn.
    void Resize(int width, int height);

    // The picture: setting one replaces the image with it (scaled to nothing:
    // the image takes the picture's size only when the canvas is that size).
    void SetPicture(const QImage& picture);
    void ClearPicture();  // no picture; the image becomes the back colour
    bool HasPicture() const { return !picture_.isNull(); }
    const QImage& Picture() const { return picture_; }
    const QImage& Image() const { return image_; }
    QImage& MutableImage() {
        Touch();
        return image_;
    }

    // Cls: image = picture (or the back colour), print position 0, 0.
    void Cls();

    double CurrentX = 0;
    double CurrentY = 0;
    // The face printed texts use; a face that is not installed falls back to the
    // default sans-serif face.
    QString FontName = QStringLiteral("DejaVu Sans");
    double FontSize = 8;
    bool FontBold = false;
    OleColor ForeColor = 0x000000;
    OleColor BackColor = 0xFFFFFF;

    // Prints the text at CurrentX, CurrentY (top of the text line) and moves to
    // the start of the next line (CurrentX = 0, CurrentY += line height). CR LF
    // inside the text starts new lines; TAB advances to the next tab column.
    void Print(const QString& text);
    void Line(double x1, double y1, double x2, double y2, OleColor colour);
    void Circle(double x, double y, double radius, OleColor colour);
    // Stretches the source rectangle of another image into a rectangle here.
    void StretchBlt(int x, int y, int width, int height, const QImage& source, int sx, int sy,
                    int sw, int sh);
    // &H00BBGGRR of the image's pixel; 0 outside.
    OleColor GetPixel(int x, int y) const;

    // Windows bitmap (.bmp) of the image, or of the picture alone.
    bool SaveImageBitmap(const QString& path) const;
    bool SavePictureBitmap(const QString& path) const;

    // Height of one printed line, and width of a text, in the current font.
    double TextHeight() const;
    double TextWidth(const QString& text) const;

    // Called once when the image changes after it was last shown (the widget
    // schedules a repaint); MarkShown() arms it again.
    void SetChangedHandler(std::function<void()> handler) { changed_ = std::move(handler); }
    void MarkShown() { dirty_ = false; }

  private:
    void Compose();  // image = back colour with the picture at the top left
    void Touch() {
        if (dirty_) return;
        dirty_ = true;
        if (changed_) changed_();
    }
    const QFont& CurrentFont() const;

    QImage picture_;
    QImage image_;
    std::function<void()> changed_;
    bool dirty_ = false;
    // The font of the last print, rebuilt when FontName, FontSize or FontBold
    // change.
    mutable QFont font_;
    mutable std::optional<QFontMetricsF> metrics_;
    mutable QString fontName_;
    mutable double fontSize_ = -1;
    mutable bool fontBold_ = false;
    // Laid-out texts of the current font: the same labels are printed every frame.
    QHash<QString, QStaticText> laidOut_;
    QString laidOutName_;
    double laidOutSize_ = -1;
    bool laidOutBold_ = false;
};
