#include "output/TextResults.h"

#include <algorithm>

#include "core/NumberText.h"
#include "mirror/ResultPaths.h"
#include "output/ResultFolder.h"
#include "platform/TextFile.h"

namespace {

QString HeaderLine(const TestState& s, bool fixedSource) {
    return QStringLiteral("Mirror Diameter = ") + NumText(s.MirDiam) + QStringLiteral(" ROC = ") +
           NumText(s.Roc) + QStringLiteral(" Conic Constant = ") + NumText(s.CC) +
           (s.Metric ? QStringLiteral(" Units are in Millimeters")
                     : QStringLiteral(" Units are in Inches")) +
           QLatin1Char(' ') +
           (fixedSource ? QStringLiteral("Fixed Source Tester")
                        : QStringLiteral("Moving Source Tester"));
}

QString ZoneLine(const TestState& s, int zone, int reps) {
    const double radius = RoundHalfEven(s.MirDiam / 2 * s.ZoneRadius[zone], 4);
    QString line = QStringLiteral(" Zone ") + QString::number(zone) + QStringLiteral(" radius = ") +
                   NumText(radius) + QLatin1Char('\t');
    if (reps == 0) return line + QStringLiteral(" Reading = ") + NumText(s.ZoneResults[0][zone]);
    line += QStringLiteral(" Readings = ") + NumText(s.ZoneResults[0][zone]);
    for (int run = 1; run <= reps; ++run)
        line += QStringLiteral(" \t") + NumText(s.ZoneResults[run][zone]);
    return line;
}

}  // namespace

QStringList TextResultLines(const TestState& s, bool fixedSource) {
    QStringList lines{HeaderLine(s, fixedSource)};
    if (s.Reps >= 0 && s.Reps <= kMaxReps) {
        const int zones = std::min<int32_t>(s.NZ, kMaxZones);
        for (int zone = 1; zone <= zones; ++zone) lines << ZoneLine(s, zone, s.Reps);
    }
    lines << QString();
    return lines;
}

QString TextResultFile(const TestState& s, int32_t testNumber) {
    return TextResultFilePath(s.textpath, s.WorkFile, testNumber);
}

bool SaveTextDataFile(TestState& s, bool fixedSource, MessageSink& messages) {
    const QString shown = ShownResultPath(
        s, QStringLiteral("TextData/Test") + QString::number(s.WorkNum) + QStringLiteral(".txt"));
    bool written = false;
    if (!MakeResultFolders(s, {QStringLiteral("TextData")}).isEmpty())
        written = WriteTextLines(TextResultFile(s, s.WorkNum), TextResultLines(s, fixedSource));
    if (!written) {
        messages.ShowMessage(QStringLiteral("Problem saving Text File to ") + shown, MsgButtons::OK,
                             MsgIcon::Critical, QStringLiteral("Save Text Problem"));
        s.SaveFailed = true;
    }
    return written;
}
