// The plain-text results file and its reader, the previous readings of
// Zone_Calc: any file gives at most 50 "Old Zone" lines, and a file the writer
// made gives one line per zone ending in that zone's last reading.

#include <cstring>

#include "FuzzSupport.h"
#include "core/NumberText.h"
#include "mirror/ZoneGeometry.h"
#include "output/TextResults.h"

namespace {

void CheckAnyFile(const QByteArray& bytes) {
    QStringList lines;
    if (!ReadAsTextFile(bytes, QStringLiteral("test1.txt"), lines)) return;
    const QStringList shown = PreviousReadingsText(lines, 1).split(QStringLiteral("\r\n"));
    FUZZ_CHECK(shown.size() <= 52, "at most 50 old zones");
    FUZZ_CHECK(shown[0] == QStringLiteral("Previous Zone Readings from Test #1:"), "the heading");
    for (qsizetype k = 1; k + 1 < shown.size(); ++k)
        FUZZ_CHECK(shown[k].startsWith(QStringLiteral("Old Zone %1").arg(k)), "numbered lines");
}

void CheckWrittenFile(const FuzzInput& in) {
    TestState s;
    s.NZ = 1 + in.control % kMaxZones;
    s.Reps = (in.control >> 4) % 4;
    s.Metric = in.control & 0x80;
    qsizetype at = 0;
    auto next = [&]() {
        double value = 0;
        if (at + 8 <= in.data.size()) std::memcpy(&value, in.data.constData() + at, 8);
        at += 8;
        return value;
    };
    s.MirDiam = next(), s.Roc = next(), s.CC = next();
    for (int zone = 1; zone <= s.NZ; ++zone) {
        s.ZoneRadius[zone] = next();
        for (int set = 0; set <= s.Reps; ++set) s.ZoneResults[set][zone] = next();
    }
    const QStringList lines =
        WrittenAndReadBack(TextResultLines(s, in.control & 0x40), QStringLiteral("test2.txt"));
    const QStringList shown = PreviousReadingsText(lines, 2).split(QStringLiteral("\r\n"));
    FUZZ_CHECK(shown.size() == s.NZ + 2, "one old zone per zone");
    for (int zone = 1; zone <= s.NZ; ++zone)
        FUZZ_CHECK(
            shown[zone].endsWith(QStringLiteral(" = ") + NumText(s.ZoneResults[s.Reps][zone])) ||
                shown[zone].endsWith(QLatin1Char('\t') + NumText(s.ZoneResults[s.Reps][zone])),
            "each ends in the zone's last reading");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const FuzzInput in = SplitInput(bytes, size);
    CheckAnyFile(in.data);
    CheckWrittenFile(in);
    return 0;
}
