// The settings file quenz.ini: whatever the file holds, what the program then
// writes (the values read, the recoveries' defaults for the rest) reads back in
// full and writes the same lines again.

#include "FuzzSupport.h"
#include "app/Settings.h"

namespace {

// The state as start-up leaves it before the file is read.
TestState StartState() {
    TestState s;
    s.LRMinFrames = 4, s.LRDelta = 10, s.TFRoughFrames = 15, s.TFOblatedelta = 15;
    s.TFRoughDelta = 20, s.TFFinalFrames = 30;
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    // The whole input is the settings file.
    const QByteArray data(reinterpret_cast<const char*>(bytes), qsizetype(size));
    const QString file = QStringLiteral("quenz.ini");
    QStringList lines;
    const bool read = ReadAsTextFile(data, file, lines);
    TestState state = StartState();
    ControlSettings controls;
    ApplySettingsLines(read, lines, state, controls, FuzzProgramFolder());

    const QStringList written = BuildSettingsLines(state, controls);
    FUZZ_CHECK(written.size() == kSettingsLineCount, "51 lines");
    TestState again = StartState();
    ControlSettings againControls;
    const SettingsLoadOutcome outcome = ApplySettingsLines(
        true, WrittenAndReadBack(written, file), again, againControls, FuzzProgramFolder());
    FUZZ_CHECK(outcome.loaded && !outcome.recovery1 && !outcome.autoTestMessage,
               "the written file reads back without a recovery");
    FUZZ_CHECK(BuildSettingsLines(again, againControls) == written,
               "and gives the same lines again");
    FUZZ_CHECK(again.units == state.units, "units follow Metric");
    return 0;
}
