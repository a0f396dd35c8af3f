// Time per frame of the zone measurement: 16 zones on a 320 x 240 frame, with
// the bar graphs, labels and overlays drawn, as the live loop runs it.
#include <QApplication>
#include <QImage>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "live/ZoneMeasure.h"
#include "platform/PictureCanvas.h"

namespace {

QImage TestFrame() {
    QImage frame(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            const int dx = x - 160;
            const int dy = y - 120;
            const int level = dx * dx + dy * dy < 110 * 110 ? 120 + (x % 100) : 10;
            frame.setPixel(x, y, qRgb(level, level, level));
        }
    return frame;
}

QImage Swatch(QRgb colour) {
    QImage swatch(14, 14, QImage::Format_RGB32);
    swatch.fill(colour);
    return swatch;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5000;

    TestState state;
    state.NZ = 16;
    state.AvgFrames = 10;
    state.Manual = true;
    state.MirDiam = 8;
    state.Obst = 1.5;
    state.StepSize = 0.000125;
    state.units = UnitMark(false);
    state.WorkFile = QStringLiteral("Mirror8");
    state.WorkNum = 3;
    state.QpcFrequency = 1000000000;
    for (int i = 1; i <= state.NZ; ++i) state.ZoneRadius[i] = (i - 0.5) / state.NZ;

    PictureCanvas picture1(320, 240);
    PictureCanvas picture2(752, 266);
    const QImage frame = TestFrame();
    const QImage blue = Swatch(qRgb(0, 0, 255));
    const QImage red = Swatch(qRgb(255, 0, 0));

    ZoneMeasureIO io;
    io.Picture1 = &picture1;
    io.Picture2 = &picture2;
    io.Blue = &blue;
    io.Red = &red;
    io.Mirror = {160, 120, 110};
    int64_t tick = 0;
    io.Counter = [&tick] { return tick += 33333333; };

    using Clock = std::chrono::steady_clock;
    Clock::duration spent{};
    for (int n = 0; n < count; ++n) {
        picture1.SetPicture(frame);  // the next grabbed frame
        const auto start = Clock::now();
        MeasureAndDrawZones(state, io);
        spent += Clock::now() - start;
    }
    const double ms = std::chrono::duration<double, std::milli>(spent).count() / count;
    std::printf("frames: %d\n", count);
    std::printf("measure zones: %.4f ms\n", ms);
    return 0;
}
