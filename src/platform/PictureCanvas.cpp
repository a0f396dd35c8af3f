#include "platform/PictureCanvas.h"

#include <QBuffer>
#include <QColor>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/TextFile.h"

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

// 0x00BBGGRR as the 0xAARRGGBB of a 32-bit image pixel.
uint32_t ToRgb(OleColor colour) {
    return kOpaque | ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}

OleColor FromRgb(uint32_t rgb) {
    return ((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16);
}

// Pixel coordinates are rounded to the nearest whole pixel, halves to even
// (the default rounding mode of the floating-point unit).
int ToPixel(double value) {
    constexpr double kLimit = 1e9;
    return static_cast<int>(std::nearbyint(std::clamp(value, -kLimit, kLimit)));
}

// Clips the segment to the rectangle [xmin, xmax] x [ymin, ymax] (Liang-Barsky).
// Returns false when nothing of it lies inside.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double xmin, double ymin,
                 double xmax, double ymax) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double t0 = 0;
    double t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - xmin, xmax - x1, y1 - ymin, ymax - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
    }
    const double sx = x1;
    const double sy = y1;
    x1 = sx + t0 * dx;
    y1 = sy + t0 * dy;
    x2 = sx + t1 * dx;
    y2 = sy + t1 * dy;
    return true;
}

// A TAB moves to the next multiple of eight average characters.
constexpr int kTabColumns = 8;

// Font sizes are points at 96 dots per inch, whatever resolution a grabbed frame
// carries: 8 points are 10.7 pixels, as on the screens the layout was made for.
constexpr int kDotsPerMeter = 3780;

void SetScreenResolution(QImage& image) {
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
}

// Direct writes into a 32-bit image, clipped to it.
class Surface {
  public:
    explicit Surface(QImage& image)
        : bits_(reinterpret_cast<uint32_t*>(image.bits())),
          stride_(image.bytesPerLine() / 4),
          width_(image.width()),
          height_(image.height()) {}
    void Plot(int x, int y, uint32_t rgb) {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
        bits_[static_cast<qsizetype>(y) * stride_ + x] = rgb;
    }
    uint32_t* Row(int y) { return bits_ + static_cast<qsizetype>(y) * stride_; }

  private:
    uint32_t* bits_;
    qsizetype stride_;
    int width_;
    int height_;
};

}  // namespace

QColor ToQColor(OleColor colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

OleColor FromQColor(const QColor& colour) {
    return static_cast<OleColor>(colour.red()) | (static_cast<OleColor>(colour.green()) << 8) |
           (static_cast<OleColor>(colour.blue()) << 16);
}

PictureCanvas::PictureCanvas(int width, int height) {
    image_ = QImage(std::max(0, width), std::max(0, height), QImage::Format_RGB32);
    Compose();
}

void PictureCanvas::Compose() {
    const QSize size = image_.size();
    // The image's own buffer is reused when nobody else holds it: this runs for
    // every frame and every Cls.
    if (!image_.isDetached() || image_.format() != QImage::Format_RGB32) {
        image_ = QImage(size, QImage::Format_RGB32);
        SetScreenResolution(image_);
    }
    if (image_.isNull()) return;
    Touch();
    if (picture_.size() == size && picture_.format() == QImage::Format_RGB32) {
        const qsizetype bytes = static_cast<qsizetype>(size.width()) * 4;
        for (int y = 0; y < size.height(); ++y)
            std::memcpy(image_.scanLine(y), picture_.constScanLine(y), bytes);
        return;
    }
    image_.fill(ToQColor(BackColor));
    if (!picture_.isNull()) {
        QPainter painter(&image_);
        painter.drawImage(0, 0, picture_);
    }
}

void PictureCanvas::Resize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == image_.width() && height == image_.height()) return;
    const QImage old = image_;
    image_ = QImage(width, height, QImage::Format_RGB32);
    Compose();
    if (!image_.isNull() && !old.isNull()) {
        QPainter painter(&image_);
        painter.drawImage(0, 0, old);
    }
}

void PictureCanvas::SetPicture(const QImage& picture) {
    picture_ = picture.isNull() || picture.format() == QImage::Format_RGB32
                   ? picture
                   : picture.convertToFormat(QImage::Format_RGB32);
    if (!picture_.isNull()) SetScreenResolution(picture_);
    Compose();
}

void PictureCanvas::ClearPicture() {
    picture_ = QImage();
    Compose();
}

void PictureCanvas::Cls() {
    Compose();
    CurrentX = 0;
    CurrentY = 0;
}

const QFont& PictureCanvas::CurrentFont() const {
    if (!metrics_ || fontName_ != FontName || fontSize_ != FontSize || fontBold_ != FontBold) {
        if (!metrics_ || fontName_ != FontName) {
            font_ = QFont(FontName);
            font_.setStyleHint(QFont::SansSerif);
            fontName_ = FontName;
        }
        fontSize_ = FontSize;
        fontBold_ = FontBold;
        font_.setPointSizeF(FontSize > 0 ? FontSize : 1);
        font_.setBold(FontBold);
        QImage reference(1, 1, QImage::Format_RGB32);
        SetScreenResolution(reference);
        metrics_.emplace(font_, &reference);
    }
    return font_;
}

double PictureCanvas::TextHeight() const {
    CurrentFont();
    return metrics_->height();
}

double PictureCanvas::TextWidth(const QString& text) const {
    CurrentFont();
    return metrics_->horizontalAdvance(text);
}

void PictureCanvas::Print(const QString& text) {
    const QFont& font = CurrentFont();
    if (laidOutName_ != fontName_ || laidOutSize_ != fontSize_ || laidOutBold_ != fontBold_ ||
        laidOut_.size() > 1024) {
        laidOut_.clear();
        laidOutName_ = fontName_;
        laidOutSize_ = fontSize_;
        laidOutBold_ = fontBold_;
    }
    const double lineHeight = metrics_->height();
    const double tabWidth = std::max(1.0, kTabColumns * metrics_->averageCharWidth());

    QPainter painter;
    const bool drawing = !image_.isNull() && !text.isEmpty();
    if (drawing) {
        Touch();
        painter.begin(&image_);
        painter.setFont(font);
        painter.setPen(ToQColor(ForeColor));
    }

    // Lines end at CR LF (a lone CR or LF counts as well); a TAB moves to the next
    // tab column, counted from the left edge.
    qsizetype start = 0;
    const qsizetype length = text.size();
    while (start <= length) {
        qsizetype end = start;
        while (end < length && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        double x = CurrentX;
        qsizetype piece = start;
        while (piece < end) {
            qsizetype pieceEnd = piece;
            while (pieceEnd < end && text[pieceEnd] != QLatin1Char('\t')) ++pieceEnd;
            if (pieceEnd > piece) {
                const QString part = start == 0 && pieceEnd == length && piece == 0
                                         ? text
                                         : text.mid(piece, pieceEnd - piece);
                if (drawing) {
                    auto found = laidOut_.find(part);
                    if (found == laidOut_.end()) {
                        QStaticText laid(part);
                        laid.setTextFormat(Qt::PlainText);
                        laid.prepare(QTransform(), font);
                        found = laidOut_.insert(part, laid);
                    }
                    painter.drawStaticText(QPointF(x, CurrentY), *found);
                }
                // The width matters only where a TAB follows on the same line.
                if (pieceEnd < end) x += metrics_->horizontalAdvance(part);
            }
            if (pieceEnd < end) x = (std::floor(x / tabWidth) + 1) * tabWidth;
            piece = pieceEnd + 1;
        }
        if (end >= length) break;
        // One line break: CR LF, CR or LF.
        start = end + 1;
        if (text[end] == QLatin1Char('\r') && start < length && text[start] == QLatin1Char('\n'))
            ++start;
        CurrentX = 0;
        CurrentY += lineHeight;
    }
    CurrentX = 0;
    CurrentY += lineHeight;
}

void PictureCanvas::Line(double x1, double y1, double x2, double y2, OleColor colour) {
    if (image_.isNull()) return;
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return;
    // Only the part that can touch the image is walked, so far-off end points
    // cost nothing.
    if (!ClipSegment(x1, y1, x2, y2, -1, -1, image_.width(), image_.height())) return;
    Touch();
    Surface surface(image_);
    const uint32_t rgb = ToRgb(colour);
    int x = ToPixel(x1);
    int y = ToPixel(y1);
    const int xe = ToPixel(x2);
    const int ye = ToPixel(y2);
    const int dx = std::abs(xe - x);
    const int dy = -std::abs(ye - y);
    const int sx = x < xe ? 1 : -1;
    const int sy = y < ye ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        surface.Plot(x, y, rgb);
        if (x == xe && y == ye) break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

void PictureCanvas::Circle(double x, double y, double radius, OleColor colour) {
    if (image_.isNull() || !std::isfinite(x) || !std::isfinite(y) || !std::isfinite(radius) ||
        radius < 0)
        return;
    const int r = ToPixel(radius);
    const int cx = ToPixel(x);
    const int cy = ToPixel(y);
    const int w = image_.width();
    const int h = image_.height();
    // Nothing to draw when the outline misses the image: it lies wholly beside
    // it, or the image lies wholly inside the circle.
    if (static_cast<double>(cx) + r < 0 || static_cast<double>(cx) - r >= w ||
        static_cast<double>(cy) + r < 0 || static_cast<double>(cy) - r >= h)
        return;
    const double farX = std::max(std::abs(static_cast<double>(cx)), std::abs(cx - (w - 1.0)));
    const double farY = std::max(std::abs(static_cast<double>(cy)), std::abs(cy - (h - 1.0)));
    if (farX * farX + farY * farY < (r - 1.0) * (r - 1.0)) return;
    Touch();
    Surface surface(image_);
    const uint32_t rgb = ToRgb(colour);
    // Midpoint circle: one octant, mirrored eight ways.
    int px = r;
    int py = 0;
    int error = 1 - r;
    while (px >= py) {
        surface.Plot(cx + px, cy + py, rgb);
        surface.Plot(cx + py, cy + px, rgb);
        surface.Plot(cx - py, cy + px, rgb);
        surface.Plot(cx - px, cy + py, rgb);
        surface.Plot(cx - px, cy - py, rgb);
        surface.Plot(cx - py, cy - px, rgb);
        surface.Plot(cx + py, cy - px, rgb);
        surface.Plot(cx + px, cy - py, rgb);
        ++py;
        if (error < 0) {
            error += 2 * py + 1;
        } else {
            --px;
            error += 2 * (py - px) + 1;
        }
    }
}

void PictureCanvas::StretchBlt(int x, int y, int width, int height, const QImage& source, int sx,
                               int sy, int sw, int sh) {
    if (image_.isNull() || source.isNull() || width == 0 || height == 0 || sw == 0 || sh == 0)
        return;
    const QImage src =
        source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
            ? source
            : source.convertToFormat(QImage::Format_RGB32);
    // A negative width or height mirrors, as the destination or source rectangle
    // then runs the other way.
    const int aw = std::abs(width);
    const int ah = std::abs(height);
    const int64_t asw = std::abs(sw);
    const int64_t ash = std::abs(sh);
    const int left = width > 0 ? x : x + width;
    const int top = height > 0 ? y : y + height;
    const int x0 = std::max(0, left);
    const int x1 = std::min(image_.width(), left + aw);
    const int y0 = std::max(0, top);
    const int y1 = std::min(image_.height(), top + ah);
    if (x0 >= x1 || y0 >= y1) return;
    Touch();
    Surface surface(image_);
    // The source column of every destination column, found once (-1: outside).
    std::vector<int> columns(x1 - x0);
    for (int dx = x0; dx < x1; ++dx) {
        const int64_t i = width > 0 ? dx - left : left + aw - 1 - dx;
        const int64_t u = (2 * i + 1) * asw / (2 * aw);
        const int64_t scol = sw > 0 ? sx + u : sx - 1 - u;
        columns[dx - x0] = scol >= 0 && scol < src.width() ? static_cast<int>(scol) : -1;
    }
    const bool wholeRows = std::find(columns.begin(), columns.end(), -1) == columns.end();
    const int sourceRows = src.height();
    const int count = x1 - x0;
    const uint32_t* previous = nullptr;  // the last row written, and its source row
    int64_t previousRow = -1;
    for (int dy = y0; dy < y1; ++dy) {
        const int64_t j = height > 0 ? dy - top : top + ah - 1 - dy;
        const int64_t v = (2 * j + 1) * ash / (2 * ah);
        const int64_t srow = sh > 0 ? sy + v : sy - 1 - v;
        if (srow < 0 || srow >= sourceRows) continue;
        uint32_t* out = surface.Row(dy) + x0;
        if (wholeRows && previous && srow == previousRow) {
            // A stretched row repeats the row above it.
            std::memcpy(out, previous, sizeof(uint32_t) * count);
            continue;
        }
        const auto* in = reinterpret_cast<const uint32_t*>(src.constScanLine(int(srow)));
        for (int c = 0; c < count; ++c)
            if (columns[c] >= 0) out[c] = kOpaque | in[columns[c]];
        previous = out;
        previousRow = srow;
    }
}

OleColor PictureCanvas::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return 0;
    return FromRgb(reinterpret_cast<const uint32_t*>(image_.constScanLine(y))[x]);
}

namespace {

// Written whole: an existing file is replaced only by a complete bitmap.
bool SaveBitmap(const QImage& image, const QString& path) {
    if (image.isNull()) return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) ||
        !image.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP"))
        return false;
    return WriteFileWhole(path, bytes);
}

}  // namespace

bool PictureCanvas::SaveImageBitmap(const QString& path) const {
    return SaveBitmap(image_, path);
}

bool PictureCanvas::SavePictureBitmap(const QString& path) const {
    return SaveBitmap(picture_, path);
}
