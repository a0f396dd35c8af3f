#pragma once

#include <algorithm>
#include <functional>
#include <set>
#include <vector>

#include "live/LiveLoop.h"
#include "live/LiveLoopHost.h"
#include "live/Motors.h"
#include "platform/PictureCanvas.h"

// A main window for the live loop: sliders, keys and handpad are scripted, the
// port bytes and every call are recorded.
class FakeLiveHost : public LiveLoopHost {
  public:
    FakeLiveHost() {
        BuildCoilTable(state.CoilTable);
        state.Manual = true;
        state.StepSize = 0.000125;
        state.units = QStringLiteral("\"");
        state.QpcFrequency = 1000000000;
        picture3.Resize(36, 271);
    }

    TestState& State() override { return state; }

    int32_t MaxdelayValue() override { return maxdelay; }
    int32_t MindelayValue() override {
        ++mindelayReads;
        return mindelayFn ? mindelayFn() : mindelay;
    }
    int32_t MirXValue() override { return mirX; }
    int32_t MirYValue() override { return mirY; }
    int32_t MirRadValue() override { return mirRad; }
    bool TrackChecked() override { return track; }
    WiringMarks Wiring() override { return marks; }

    void WriteDataPort(uint8_t value) override { bytes.push_back(value); }
    int32_t ReadHandpad() override { return handpadFn ? handpadFn() : handpad; }
    short GetAsyncKeyState(int virtualKey) override {
        queries.push_back(virtualKey);
        if (keyFn) return keyFn(virtualKey);
        return keysDown.count(virtualKey) ? short(-32767) : short(0);
    }

    void GrabFrame() override {
        ++grabs;
        if (onGrab) onGrab();
    }
    void MeasureZones() override {
        ++measures;
        DoEvents();
    }
    void TrackMirror() override { ++tracks; }

    PictureCanvas& Picture1() override { return picture1; }
    PictureCanvas& Picture3() override { return picture3; }
    void RefreshPicture1() override { ++refreshes; }
    double Picture3Width() override { return picture3Width; }
    double Picture3Height() override { return picture3Height; }

    void DoEvents() override {
        ++events;
        if (onEvents) onEvents();
    }
    void EnableTimer1() override { ++timerEnables; }
    void UnloadMainWindow() override { ++unloads; }
    int64_t QueryPerformanceCounter() override {
        counter += counterStep;
        return counter;
    }

    // How many of the bytes written from the given index on equal the byte.
    int CountBytes(uint8_t value, size_t from = 0) const {
        return static_cast<int>(std::count(bytes.begin() + from, bytes.end(), value));
    }

    TestState state;
    int32_t maxdelay = 100;
    int32_t mindelay = 0;
    std::function<int32_t()> mindelayFn;
    int32_t mirX = 160, mirY = 120, mirRad = 100;
    bool track = false;
    WiringMarks marks;

    int32_t handpad = 0;
    std::function<int32_t()> handpadFn;
    std::set<int> keysDown;
    std::function<short(int)> keyFn;
    std::vector<int> queries;

    std::vector<uint8_t> bytes;
    PictureCanvas picture1{320, 240};
    PictureCanvas picture3{36, 271};
    double picture3Width = 40;
    double picture3Height = 275;

    std::function<void()> onGrab;
    std::function<void()> onEvents;

    int mindelayReads = 0, grabs = 0, measures = 0, tracks = 0, refreshes = 0, events = 0;
    int timerEnables = 0, unloads = 0;
    int64_t counter = 0;
    int64_t counterStep = 50000000;  // 50 ms between counter reads: 20 frames a second
};

// A loop over a fake host whose busy counts take no time.
struct LiveFixture {
    FakeLiveHost host;
    LiveLoop loop{host};
    LiveFixture() { loop.SetBusyCountStep(std::chrono::nanoseconds(0)); }
};
