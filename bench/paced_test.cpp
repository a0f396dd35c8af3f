// "Do the Magic" once on the simulated tester paced as a camera is, 30 frames a
// second, with "Track" checked, through the real main window (headless): an
// 8-inch f/6 paraboloid, 6 zones, four sets of readings, the motors at the
// program's own pace. The program must never make the camera wait: the wall time
// of the test should be the frames' time plus the motors' busy time and little
// else.
//
//   paced_test [left|right] [--rate FRAMES_A_SECOND] [--drift DX DY] [--no-track]
//              [--limit SECONDS]
//
// With --drift the image drifts DX pixels a minute sideways and DY down; a test
// still running after SECONDS (default 600) is aborted and its readings so far
// count.
// Prints the wall time, the frames grabbed, the half steps and their busy time,
// the largest reading error, and last "paced overhead: <ratio>", the wall time
// divided by (frames grabbed / frame rate + the motors' busy time).

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "../tests/autotest_ui/MagicRig.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bool knifeRight = false, track = true;
    double rate = 30, dx = 0, dy = 0, limit = 600;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "left") == 0) {
            knifeRight = false;
        } else if (std::strcmp(argv[i], "right") == 0) {
            knifeRight = true;
        } else if (std::strcmp(argv[i], "--rate") == 0 && i + 1 < argc) {
            rate = std::atof(argv[++i]);
        } else if (std::strcmp(argv[i], "--drift") == 0 && i + 2 < argc) {
            dx = std::atof(argv[++i]);
            dy = std::atof(argv[++i]);
        } else if (std::strcmp(argv[i], "--limit") == 0 && i + 1 < argc) {
            limit = std::atof(argv[++i]);
        } else if (std::strcmp(argv[i], "--no-track") == 0) {
            track = false;
        } else {
            std::fprintf(stderr,
                         "usage: %s [left|right] [--rate FRAMES_A_SECOND] [--drift DX DY] "
                         "[--no-track] [--limit SECONDS]\n",
                         argv[0]);
            return 2;
        }
    }
    if (rate <= 0 || rate > SimLimits::kMaxFrameRate) {
        std::fprintf(stderr, "the frame rate must lie above 0 and up to %g\n",
                     SimLimits::kMaxFrameRate);
        return 2;
    }

    QTemporaryDir folder;
    SetAppPath(folder.path());
    magic::RigOptions options;
    options.knifeRight = knifeRight;
    magic::Rig rig(options);
    frmMain& w = rig.Start();
    SimSettings paced = rig.tester->settings();
    paced.frameRate = rate;
    paced.driftX = dx;
    paced.driftY = dy;
    if (!rig.tester->applySettings(paced)) {
        std::fprintf(stderr, "the simulator refuses these settings: %s\n",
                     qPrintable(SimSettingsProblem(paced)));
        return 2;
    }
    w.Chk_trak->setChecked(track);

    rig.driver->grabs = 0;
    rig.port->knifeSteps = 0;
    rig.port->platformSteps = 0;
    int trackingMoves = 0;
    int lastX = w.MirX->value(), lastY = w.MirY->value();
    QElapsedTimer clock;
    clock.start();
    bool aborted = false;
    rig.driver->onGrab = [&] {
        if (!aborted && clock.elapsed() > limit * 1000) {
            aborted = true;
            w.abort->setChecked(true);
        }
        if (w.MirX->value() != lastX || w.MirY->value() != lastY) ++trackingMoves;
        lastX = w.MirX->value();
        lastY = w.MirY->value();
    };

    rig.DoTheMagic();
    const double wall = clock.nsecsElapsed() / 1e9;

    const int64_t frames = rig.driver->grabs;
    const int64_t halfSteps = rig.port->knifeSteps + rig.port->platformSteps;
    const double busy = halfSteps * 2.0 * w.Mindelay->value() *
                        std::chrono::duration<double>(w.BusyCountStep()).count();
    const double frameTime = frames / rate;
    double largest = 0;
    for (int run = 0; run <= w.Reps; ++run)
        for (int zone = 1; zone <= w.NZ; ++zone)
            if (!aborted || w.ZoneResults[run][zone] != 0 || (run == 0 && zone == 1))
                largest = std::max(largest, std::abs(w.ZoneResults[run][zone] - rig.Ideal(zone)));

    std::printf("knife on the %s, %g frames a second, Track %s, drift %g x %g pixels a minute\n",
                knifeRight ? "right" : "left", rate, track ? "checked" : "not checked", dx, dy);
    std::printf("status: %s%s\n", qPrintable(w.TestStatus), aborted ? " (at the time limit)" : "");
    std::printf("drift over the test: %d x %d pixels; MirX %d, MirY %d\n",
                rig.tester->driftShiftX(), rig.tester->driftShiftY(), w.MirX->value(),
                w.MirY->value());
    std::printf("wall time: %.2f s\n", wall);
    std::printf("frames grabbed: %lld (%.2f s at %g a second)\n", static_cast<long long>(frames),
                frameTime, rate);
    std::printf("half steps: %lld, busy time %.2f s\n", static_cast<long long>(halfSteps), busy);
    std::printf("centre moved by tracking in %d frames\n", trackingMoves);
    std::printf("largest error: %.5f in\n", largest);
    std::printf("paced overhead: %.4f\n", wall / (frameTime + busy));
    return 0;
}
