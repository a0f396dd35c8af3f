#include "output/Figure45File.h"

#include <QFileInfo>
#include <algorithm>

#include "core/NumberText.h"
#include "mirror/ResultPaths.h"
#include "output/ResultFolder.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

namespace {

constexpr double kMmPerInch = 25.4;
constexpr int kRoomForZones = 15;     // the layout's zone lines
constexpr int kRoomForReadings = 45;  // and further readings
const QString kFigureFolder = QStringLiteral("Figure");
const QString kFigureProgram = QStringLiteral("figure45.exe");

// The program files figure45.exe needs beside it.
const QStringList& ProgramFiles() {
    static const QStringList files{kFigureProgram, QStringLiteral("Egavga.bgi"),
                                   QStringLiteral("Bessel.dat")};
    return files;
}

// Copies each program file the Figure folder lacks. A file that can't be copied
// is left missing: the start reports it. Checked file by file rather than only
// when the folder is new, so that a folder made while FigurePath was wrong gets
// the programs at the first save after it is put right; copies that exist are
// never replaced.
void CopyProgramFiles(const QString& figurePath, const QString& folder) {
    for (const QString& name : ProgramFiles()) {
        if (QFileInfo::exists(ResolvePath(folder, name))) continue;
        const QString source = ResolvePath(figurePath, name);
        if (QFileInfo(source).isFile()) CopyFileWhole(source, ResolvePath(folder, name));
    }
}

}  // namespace

QStringList Figure45Lines(const TestState& s, bool fixedSource) {
    auto inches = [&](double value) { return s.Metric ? value / kMmPerInch : value; };
    const double diameter = inches(s.MirDiam);
    const int zones = std::clamp<int32_t>(s.NZ, 0, kMaxZones);
    auto reading = [&](int zone, int set) { return NumText(inches(s.ZoneResults[set][zone])); };

    QStringList lines;
    lines << NumText(s.NZ) + QStringLiteral(" 1 ") +
                 (fixedSource ? QStringLiteral("0") : QStringLiteral("1"));
    lines << NumText(inches(s.Roc)) + QLatin1Char(' ') + NumText(diameter) + QLatin1Char(' ') +
                 NumText(s.CC);
    for (int zone = 1; zone <= zones; ++zone)
        lines << NumText(diameter / 2 * s.ZoneRadius[zone]).left(8) + QStringLiteral(" 0.000000 ") +
                     reading(zone, 0);
    for (int zone = zones + 1; zone <= kRoomForZones; ++zone)
        lines << QStringLiteral("0.000000 0.000000 0.000000");
    lines << QStringLiteral("0 ") + NumText(static_cast<double>(s.Reps) + 1);
    if (s.Reps > 0) {
        for (int zone = 1; zone <= zones; ++zone)
            for (int set = 1; set <= kMaxReps; ++set) lines << reading(zone, set);
        for (int position = 3 * zones + 1; position <= kRoomForReadings; ++position)
            lines << QStringLiteral("0");
    }
    lines << QString();
    return lines;
}

bool SaveFigure45File(TestState& s, bool fixedSource, MessageSink& messages,
                      OutsidePrograms& programs) {
    const QString file = FigureInputFilePath(s.textpath, s.WorkFile, s.WorkNum);
    bool done = false;
    if (!s.FigurePath.isEmpty() && !file.isEmpty()) {
        const QString folder = ResultFormatFolder(s.textpath, s.WorkFile, kFigureFolder);
        if (!QFileInfo(folder).isDir()) MakeResultFolders(s, {kFigureFolder});
        CopyProgramFiles(SettingsFolder(s.FigurePath), folder);
        done = WriteTextLines(FigureInputFilePath(s.textpath, s.WorkFile, s.WorkNum),
                              Figure45Lines(s, fixedSource));
        if (done && s.LaunchFigure)
            done = programs.Shell(ResolvePath(folder, kFigureProgram), folder, {});
    }
    if (!done) {
        messages.ShowMessage(
            QStringLiteral("Problem saving Figure File as ") +
                ShownResultPath(s, QStringLiteral("Figure/Test") + QString::number(s.WorkNum) +
                                       QStringLiteral(".fig")),
            MsgButtons::OK, MsgIcon::None, QStringLiteral("Drelmont"));
        s.SaveFailed = true;
    }
    return done;
}
