// The simulator's settings file: settings the reader accepts render a finite
// mirror out to its rim, pace frames at most a second apart, and are written as
// lines that read back to settings written the same way.

#include <cmath>

#include "FuzzSupport.h"
#include "sim/SimOptics.h"
#include "sim/SimSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    // The whole input is the settings file.
    const QByteArray data(reinterpret_cast<const char*>(bytes), qsizetype(size));
    QStringList lines;
    if (!ReadAsTextFile(data, QStringLiteral("simulator.ini"), lines)) return 0;
    SimSettings settings;
    if (!ParseSimSettings(lines, settings)) {
        FUZZ_CHECK(settings == SimSettings(), "a refused file changes nothing");
        return 0;
    }
    FUZZ_CHECK(SimSettingsProblem(settings).isEmpty(), "accepted settings pass the checks");
    FUZZ_CHECK(settings.frameRate == 0 || 1 / settings.frameRate <= 1, "a frame within a second");

    const SimOptics optics(settings);
    const double rim = settings.mirrorDiameter / 2;
    for (const double r : {0.0, rim / 2, rim * 0.999, rim}) {
        FUZZ_CHECK(std::isfinite(optics.sag(r)), "a finite sag out to the rim");
        FUZZ_CHECK(std::isfinite(optics.slope(r)), "a finite slope out to the rim");
    }

    const QStringList written = SimSettingsLines(settings);
    SimSettings back;
    FUZZ_CHECK(ParseSimSettings(WrittenAndReadBack(written, QStringLiteral("simulator.ini")), back),
               "the written settings read back");
    FUZZ_CHECK(SimSettingsLines(back) == written, "and write the same lines again");
    return 0;
}
