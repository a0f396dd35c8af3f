// "Do the Magic" end to end on the unpaced simulated tester, through the real main
// window (headless): an 8-inch f/6 paraboloid with 6 zones, four sets of
// readings, moving source, the default auto-test variables. For each knife side
// it prints the wall time of the test, the frames grabbed per zone and run, the
// half steps the motors moved, and per zone the readings, the ideal reading and
// the errors; the last line is "largest error: <inches> in".
//
//   auto_test [left|right] [--no-busy-count]
//
// The motors keep the program's own pace (the busy count of every half step)
// unless --no-busy-count is given.

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "../tests/autotest_ui/MagicRig.h"

namespace {

struct SideResult {
    double largestError = 0;
};

// The zone named by the status text "Testing Zone <n>"; 0 for any other status.
int ZoneOfStatus(const QString& status) {
    static const QString prefix = QStringLiteral("Testing Zone ");
    return status.startsWith(prefix) ? status.mid(prefix.size()).toInt() : 0;
}

SideResult RunSide(bool knifeRight, bool busyCount) {
    QTemporaryDir folder;
    SetAppPath(folder.path());
    magic::RigOptions options;
    options.knifeRight = knifeRight;
    magic::Rig rig(options);

    QElapsedTimer startUp;
    startUp.start();
    frmMain& w = rig.Start();
    const double startSeconds = startUp.elapsed() / 1000.0;
    if (!busyCount) w.SetBusyCountStep(std::chrono::nanoseconds(0));

    // Frames per run and zone: the zone from the test's status text, a new run
    // when the zone number falls back.
    std::array<std::array<int, kMaxZones + 1>, kMaxReps + 1> frames{};
    int run = 0, lastZone = 0, otherFrames = 0;
    rig.driver->onGrab = [&] {
        const int zone = ZoneOfStatus(w.TestStatus);
        if (zone < 1 || zone > kMaxZones) {
            ++otherFrames;
            return;
        }
        if (zone < lastZone) ++run;
        lastZone = zone;
        if (run <= kMaxReps) ++frames[run][zone];
    };
    rig.port->knifeSteps = 0;
    rig.port->platformSteps = 0;

    QElapsedTimer test;
    test.start();
    rig.DoTheMagic();
    const double seconds = test.nsecsElapsed() / 1e9;
    rig.driver->onGrab = nullptr;

    const int zones = w.NZ;
    const int reps = w.Reps;
    const int64_t halfSteps = rig.port->knifeSteps + rig.port->platformSteps;
    const double busySeconds = busyCount
                                   ? halfSteps * 2.0 * w.Mindelay->value() *
                                         std::chrono::duration<double>(w.BusyCountStep()).count()
                                   : 0.0;
    std::printf("== knife on the %s: 8-inch f/6 paraboloid, %d zones, Reps %d, moving source\n",
                knifeRight ? "right" : "left", zones, reps);
    std::printf("status: %s\n", qPrintable(w.TestStatus));
    std::printf("wall time: %.2f s for Do the Magic (start-up %.2f s)\n", seconds, startSeconds);
    std::printf("half steps moved: %lld (knife %lld, platform %lld); busy counts %.2f s of it\n",
                static_cast<long long>(halfSteps), static_cast<long long>(rig.port->knifeSteps),
                static_cast<long long>(rig.port->platformSteps), busySeconds);

    int64_t totalFrames = 0;
    std::printf("frames grabbed per zone:\n  zone");
    for (int r = 0; r <= reps; ++r) std::printf("   run %d", r);
    std::printf("\n");
    for (int z = 1; z <= zones; ++z) {
        std::printf("  %4d", z);
        for (int r = 0; r <= reps; ++r) {
            std::printf("  %6d", frames[r][z]);
            totalFrames += frames[r][z];
        }
        std::printf("\n");
    }
    std::printf("  total %lld frames, %.2f ms a frame; still frames at the end: %d\n",
                static_cast<long long>(totalFrames + otherFrames),
                totalFrames + otherFrames > 0 ? seconds * 1000 / (totalFrames + otherFrames) : 0.0,
                otherFrames);

    SideResult result;
    std::printf("zone    ideal in");
    for (int r = 0; r <= reps; ++r) std::printf("   run %d  error   ", r);
    std::printf("\n");
    for (int z = 1; z <= zones; ++z) {
        const double ideal = rig.Ideal(z);
        std::printf("%4d  %9.5f ", z, ideal);
        for (int r = 0; r <= reps; ++r) {
            const double reading = w.ZoneResults[r][z];
            const double error = reading - ideal;
            result.largestError = std::max(result.largestError, std::abs(error));
            std::printf("  %8.4f %+8.5f", reading, error);
        }
        std::printf("\n");
    }
    const QString firstLine = w.Text2->toPlainText().section(QLatin1Char('\n'), 0, 0);
    std::printf("%s\n", qPrintable(firstLine));
    std::printf("largest error, knife on the %s: %.5f in\n\n", knifeRight ? "right" : "left",
                result.largestError);
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    bool left = true, right = true, busyCount = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "left") == 0) {
            right = false;
        } else if (std::strcmp(argv[i], "right") == 0) {
            left = false;
        } else if (std::strcmp(argv[i], "--no-busy-count") == 0) {
            busyCount = false;
        } else {
            std::fprintf(stderr, "usage: %s [left|right] [--no-busy-count]\n", argv[0]);
            return 2;
        }
    }

    double largest = 0;
    if (left) largest = std::max(largest, RunSide(false, busyCount).largestError);
    if (right) largest = std::max(largest, RunSide(true, busyCount).largestError);
    std::printf("largest error: %.5f in\n", largest);
    return 0;
}
