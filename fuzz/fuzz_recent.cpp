// The recent-mirror list: captions as the settings file gives them, names the
// editor pushes and choices from the list; after every step the list holds no
// duplicate after a choice, hides only empty slots on removal, and its captions
// survive the settings file's write and read.

#include "FuzzSupport.h"
#include "app/Settings.h"
#include "mirror/MirrorName.h"
#include "mirror/RecentMirrors.h"

namespace {

TestState StartState() {
    TestState s;
    s.LRMinFrames = 4, s.LRDelta = 10, s.TFRoughFrames = 15, s.TFOblatedelta = 15;
    s.TFRoughDelta = 20, s.TFFinalFrames = 30;
    return s;
}

// Captions through the settings file as the program writes and reads it.
std::array<QString, kRecentMirrors + 1> ThroughSettingsFile(const RecentMirrors& list) {
    TestState state = StartState();
    state.StepSize = state.LRStepSize = 0.000125;
    state.Min = 30, state.Max = 60;
    state.textpath = QStringLiteral("/results");
    ControlSettings controls;
    for (int k = 1; k <= kRecentMirrors; ++k) controls.Mnu[k] = list.Caption[k];
    const QStringList lines =
        WrittenAndReadBack(BuildSettingsLines(state, controls), QStringLiteral("quenz.ini"));
    TestState readState = StartState();
    ControlSettings read;
    const SettingsLoadOutcome outcome =
        ApplySettingsLines(true, lines, readState, read, FuzzProgramFolder());
    FUZZ_CHECK(outcome.loaded, "the settings written with the list read back");
    return read.Mnu;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const FuzzInput in = SplitInput(bytes, size);
    const QList<QByteArray> parts = in.data.split('\0');

    // The first part's lines are the captions of a settings file; the reader
    // takes them or refuses them.
    QStringList captionLines;
    ReadAsTextFile(parts.value(0), QStringLiteral("captions.txt"), captionLines);
    TestState state = StartState();
    ControlSettings controls;
    QStringList settings = BuildSettingsLines(state, controls);
    settings[6] = settings[50] = QStringLiteral("0.000125");
    for (int k = 0; k < kRecentMirrors && k < captionLines.size(); ++k)
        settings[21 + k] = captionLines[k];
    ApplySettingsLines(true, settings, state, controls, FuzzProgramFolder());
    RecentMirrors list = RecentMirrorsFromCaptions(controls.Mnu);

    // Then one step per further part: push a name (when the rules accept it) or
    // choose an item, loaded or not.
    uint8_t steps = in.control;
    for (qsizetype i = 1; i < parts.size(); ++i, steps = uint8_t(steps >> 1 | steps << 7)) {
        const QString name = QString::fromUtf8(parts[i]);
        if (steps & 1) {
            if (IsValidProfileName(name)) PushRecentMirror(list, name);
            continue;
        }
        const int index = parts[i].isEmpty() ? 1 : 1 + uint8_t(parts[i][0]) % kRecentMirrors;
        const bool loaded = IsValidProfileName(list.Caption[index]) && (steps & 2);
        const RecentMirrors before = list;
        ApplyRecentChoice(list, index, loaded);
        for (int a = 1; a <= kRecentMirrors; ++a)
            for (int b = a + 1; b <= kRecentMirrors; ++b)
                FUZZ_CHECK(list.Caption[a].isEmpty() || list.Caption[a] != list.Caption[b],
                           "no duplicate after a choice");
        if (loaded) FUZZ_CHECK(list.Caption[1] == before.Caption[index], "the choice is on top");
        if (!loaded) {
            FUZZ_CHECK(list.Caption[kRecentMirrors].isEmpty() && !list.Visible[kRecentMirrors],
                       "a removal frees the last slot");
        }
    }
    const auto back = ThroughSettingsFile(list);
    for (int k = 1; k <= kRecentMirrors; ++k)
        FUZZ_CHECK(back[k] == list.Caption[k], "captions survive the settings file");
    return 0;
}
