// Wall-clock time of the motors' busy counts: one full-speed live To/From batch
// of 100 half steps at the default Mindelay (136), with the loop's fixed count
// step. The counts are meant to give about 1000 half steps a second, so the batch
// should take about 100 ms; a loaded machine makes it longer.
//
// A smaller step size makes a longer batch: at 0.000005 inch one of 2000 half
// steps, about 2 s, which lets window events in every tenth of a second as every
// long move does; its pace must stay that of the short batch.
//
// Usage: busy_count [batches] [step size]   (default 20 and 0.0001)
// Last line: "busy count: <median ms> ms per <n> half steps (min <ms>, max <ms>),
// <rate> half steps a second".

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "live/LiveLoop.h"
#include "live/LiveLoopHost.h"
#include "live/Motors.h"
#include "platform/PictureCanvas.h"

namespace {

// Only what one batch touches: the sliders and the port.
class BatchHost : public LiveLoopHost {
  public:
    BatchHost() { BuildCoilTable(state.CoilTable); }
    TestState& State() override { return state; }
    int32_t MaxdelayValue() override { return 1; }
    int32_t MindelayValue() override { return 136; }
    int32_t MirXValue() override { return 160; }
    int32_t MirYValue() override { return 120; }
    int32_t MirRadValue() override { return 100; }
    bool TrackChecked() override { return false; }
    WiringMarks Wiring() override { return {}; }
    void WriteDataPort(uint8_t) override {}
    int32_t ReadHandpad() override { return 0; }
    short GetAsyncKeyState(int) override { return 0; }
    void GrabFrame() override {}
    void MeasureZones() override {}
    void TrackMirror() override {}
    PictureCanvas& Picture1() override { return picture; }
    PictureCanvas& Picture3() override { return picture; }
    void RefreshPicture1() override {}
    double Picture3Width() override { return 40; }
    double Picture3Height() override { return 275; }
    void DoEvents() override {}
    void EnableTimer1() override {}
    void UnloadMainWindow() override {}
    int64_t QueryPerformanceCounter() override { return 0; }

    TestState state;
    PictureCanvas picture{40, 275};
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int batches = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    BatchHost host;
    host.state.StepSize = argc > 2 ? std::atof(argv[2]) : 0.0001;  // 100 half steps a batch
    const int32_t halfSteps = BatchHalfSteps(host.state.StepSize, true);
    host.state.Manual = true;  // a running live loop
    LiveLoop loop(host);
    loop.SetBusyCountStep(kBusyCountStep);

    std::vector<double> ms;
    for (int i = 0; i < batches; ++i) {
        LiveRun run;  // at rest: the move starts, and at Maxdelay 1 it is at full speed
        run.code = 1;
        const auto start = std::chrono::steady_clock::now();
        loop.ActOnCode(run);
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(ms.begin(), ms.end());
    const double median = ms[ms.size() / 2];
    std::printf(
        "busy count: %.2f ms per %d half steps (min %.2f, max %.2f), %.1f half steps a "
        "second\n",
        median, halfSteps, ms.front(), ms.back(), halfSteps / median * 1000);
    return 0;
}
