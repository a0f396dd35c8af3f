// Mirror tracking: its time per frame, and what it does for a test whose image
// drifts.
//
//   track_mirror [frames] [--drift DX DY] [--limit SECONDS]
//
// First it times TrackMirror on a 320 x 240 frame of the simulated mirror (search,
// slider moves, circles and status lines) and prints "track mirror: <ms> ms".
// Then "Do the Magic" runs on the simulated tester, through the real main window
// (headless), while the image drifts DX pixels a minute sideways and DY down
// (default 20 and 10), for each knife side with "Track" checked and without it. A
// test still running after SECONDS (default 90) is aborted; its readings so far
// count. Each run prints the drift over the test, the zones read and the largest
// difference from the readings the simulated mirror gives.

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "../tests/autotest_ui/MagicRig.h"
#include "live/Tracking.h"
#include "sim/SimTester.h"

namespace {

double TimeTrackMirror(int frames) {
    SimSettings settings;
    settings.frameRate = 0;
    SimTester tester(settings);
    tester.port()->setPositions(-800, 0);  // knife backed out: the whole disc lit
    const QImage frame = tester.renderFrame();

    TestState state;
    state.StepSize = 0.000125;
    state.units = UnitMark(false);
    state.WorkFile = QStringLiteral("Mirror8");
    state.WorkNum = 3;
    state.TestStatus = QStringLiteral("Testing Zone 3");
    PictureCanvas picture(320, 240);
    // The sliders on the simulated disc, so that every step finds it and moves them.
    MirrorCircle sliders{static_cast<int32_t>(settings.centreX),
                         static_cast<int32_t>(settings.centreY),
                         static_cast<int32_t>(settings.radiusPixels)};
    TrackIO io;
    io.Picture1 = &picture;
    io.ReadMirror = [&] { return sliders; };
    io.SetMirX = [&](int32_t x) { sliders.X = x; };
    io.SetMirY = [&](int32_t y) { sliders.Y = y; };

    using Clock = std::chrono::steady_clock;
    Clock::duration spent{};
    int failures = 0;
    for (int n = 0; n < frames; ++n) {
        picture.SetPicture(frame);  // the next grabbed frame
        state.KnifeRight = n % 2 == 0;
        const auto start = Clock::now();
        const TrackResult t = TrackMirror(state, io);
        spent += Clock::now() - start;
        if (!t.moved) ++failures;
    }
    std::printf("frames: %d (tracking failures %d)\n", frames, failures);
    return std::chrono::duration<double, std::milli>(spent).count() / frames;
}

void DriftRun(bool knifeRight, bool track, double dx, double dy, double limitSeconds) {
    QTemporaryDir folder;
    SetAppPath(folder.path());
    magic::RigOptions options;
    options.knifeRight = knifeRight;
    options.reps = 1;
    magic::Rig rig(options);
    frmMain& w = rig.Start();
    SimSettings drifting = rig.tester->settings();
    drifting.driftX = dx;
    drifting.driftY = dy;
    rig.tester->applySettings(drifting);
    w.Chk_trak->setChecked(track);

    QElapsedTimer clock;
    clock.start();
    bool aborted = false;
    rig.driver->onGrab = [&] {
        if (!aborted && clock.elapsed() > limitSeconds * 1000) {
            aborted = true;
            w.abort->setChecked(true);
        }
    };
    rig.DoTheMagic();
    const double minutes = clock.elapsed() / 60000.0;

    double largest = 0;
    int read = 0;
    for (int run = 0; run <= w.Reps; ++run)
        for (int zone = 1; zone <= w.NZ; ++zone) {
            // In an aborted test a zone not reached holds 0.
            if (aborted && w.ZoneResults[run][zone] == 0 && !(run == 0 && zone == 1)) continue;
            ++read;
            largest = std::max(largest, std::abs(w.ZoneResults[run][zone] - rig.Ideal(zone)));
        }
    std::printf(
        "knife %-5s track %-3s: drift %5.1f x %4.1f pixels over %5.1f s, %s, %2d of %2d zones "
        "read, largest error %.5f in\n",
        knifeRight ? "right" : "left", track ? "on" : "off", dx * minutes, dy * minutes,
        minutes * 60, aborted ? "aborted at the limit" : qPrintable(w.TestStatus), read,
        (w.Reps + 1) * w.NZ, largest);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int frames = 20000;
    double dx = 20, dy = 10, limit = 90;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--drift") == 0 && i + 2 < argc) {
            dx = std::atof(argv[++i]);
            dy = std::atof(argv[++i]);
        } else if (std::strcmp(argv[i], "--limit") == 0 && i + 1 < argc) {
            limit = std::atof(argv[++i]);
        } else if (std::atoi(argv[i]) > 0) {
            frames = std::atoi(argv[i]);
        } else {
            std::fprintf(stderr, "usage: %s [frames] [--drift DX DY] [--limit SECONDS]\n", argv[0]);
            return 2;
        }
    }

    std::printf("track mirror: %.4f ms\n", TimeTrackMirror(frames));
    std::fflush(stdout);
    for (bool knifeRight : {false, true})
        for (bool track : {true, false}) {
            DriftRun(knifeRight, track, dx, dy, limit);
            std::fflush(stdout);
        }
    return 0;
}
