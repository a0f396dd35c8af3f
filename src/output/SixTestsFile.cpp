#include "output/SixTestsFile.h"

#include <QFileInfo>
#include <algorithm>

#include "core/NumberText.h"
#include "mirror/ResultPaths.h"
#include "output/ResultFolder.h"
#include "output/SaveOptionsRules.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

namespace {

constexpr double kMmPerInch = 25.4;
const QString kSixTestsFolder = QStringLiteral("SixTests");
const QString kSixTestsProgram = QStringLiteral("sixtests.exe");
const QString kViewerProgram = QStringLiteral("3vivuvuz.exe");

QString Rounded(double value, int places) {
    return NumText(RoundHalfEven(value, places));
}

// A path as the outside program must be given it: absolute, since the program
// runs in another working folder.
QString Absolute(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

bool RunScript(const std::vector<ScriptStep>& script, OutsidePrograms& programs) {
    for (const ScriptStep& step : script) {
        if (step.pauseMs > 0)
            programs.Pause(step.pauseMs);
        else if (!programs.SendKeys(step.keys, step.wait))
            return false;
    }
    return true;
}

// Starts the program so that it can open the typed files. A program that can't
// be given one of them (a DOS program and a name DOS can't hold) is not started,
// and the user is told which file, before the writer's own message.
bool Start(const QString& program, const QString& folder, const QStringList& typedFiles,
           MessageSink& messages, OutsidePrograms& programs) {
    if (programs.Shell(program, folder, typedFiles)) return true;
    if (!programs.Refusal().isEmpty())
        messages.ShowMessage(programs.Refusal(), MsgButtons::OK, MsgIcon::Exclamation,
                             QString::fromLatin1(kProgramTitle));
    return false;
}

// Everything after the input file is written; false at the first failure.
bool Launch(const TestState& s, const QString& folder, MessageSink& messages,
            OutsidePrograms& programs) {
    if (s.LaunchSixtests) {
        const QString input = Absolute(SixTestsInputFilePath(s.textpath, s.WorkFile, s.WorkNum));
        const QString file3d = Absolute(Test3dFilePath(s));
        if (!Start(ResolvePath(folder, kSixTestsProgram), folder, {input, file3d}, messages,
                   programs))
            return false;
        const auto script = SixTestsScript(programs.TypedPath(input), programs.TypedPath(file3d));
        if (!RunScript(script, programs)) return false;
    }
    if (s.Launch3d &&
        messages.ShowMessage(QStringLiteral("Press OK to Launch 3d Mirror!"), MsgButtons::OKCancel,
                             MsgIcon::None, QStringLiteral("Launch 3D Mirror?")) == MsgResult::OK) {
        // Looked up again: a DOS program writes the file under a name in capitals.
        const QString file3d = Absolute(Test3dFilePath(s));
        if (!Start(ResolvePath(AppPath(), kViewerProgram), AppPath(), {file3d}, messages, programs))
            return false;
        if (!programs.SendKeys({Keys::Text(programs.TypedPath(file3d)), Keys::Enter()}, true))
            return false;
    }
    return true;
}

}  // namespace

QStringList SixTestsLines(const TestState& s, bool fixedSource) {
    auto mm = [&](double value) { return s.Metric ? value : value * kMmPerInch; };
    const double diameter = mm(s.MirDiam);
    const double roc = mm(s.Roc);
    const int zones = std::clamp<int32_t>(s.NZ, 0, kMaxZones);
    const int reps = std::clamp<int32_t>(s.Reps, 0, kMaxReps);

    QStringList lines;
    lines << s.WorkFile + QStringLiteral(" Test Number ") + QString::number(s.WorkNum);
    lines << NumText(diameter) + QStringLiteral("   ") + NumText(mm(s.Obst)) +
                 QStringLiteral("   Mirror, obstruction diameters (mm)");
    lines << QStringLiteral("Foucault");
    lines << (fixedSource ? NumText(roc) : QStringLiteral("0.0")) +
                 QStringLiteral("     Source distance (0=moving source)");
    lines << QStringLiteral("y, MM   X, mm");
    for (int zone = 1; zone <= zones; ++zone) {
        double sum = 0;
        for (int set = 0; set <= reps; ++set) sum += mm(s.ZoneResults[set][zone]);
        lines << Rounded(diameter / 2 * s.ZoneRadius[zone], 1) + QLatin1Char(' ') +
                     Rounded(sum / (reps + 1), 3);
    }
    lines << QStringLiteral("*");
    lines << Rounded(s.CC, 3) + QLatin1Char(' ') + Rounded(roc, 3) +
                 QStringLiteral("    Conic targets:  b, R (mm)");
    lines << NumText(s.TestStdDev) + QStringLiteral(" Measurement std deviation, mm");
    lines << Rounded(roc, 1) + QStringLiteral(" Longitudinal reading bias, mm");
    lines << QString();
    return lines;
}

std::vector<ScriptStep> SixTestsScript(const QString& inputFile, const QString& file3d) {
    return {
        {200, {}, false},
        {0, {Keys::Alt('f'), Keys::Text(QStringLiteral("o"))}, true},
        {0, {Keys::Text(inputFile), Keys::Enter()}, true},
        {0, {Keys::Enter()}, false},
        {100, {}, false},
        {0, {Keys::Alt('f'), Keys::Text(QStringLiteral("f"))}, true},
        {100, {}, false},
        {0, {Keys::Text(file3d), Keys::Enter()}, true},
    };
}

QString Test3dFilePath(const TestState& s) {
    const QString folder = ResultFormatFolder(s.textpath, s.WorkFile, kSixTestsFolder);
    if (folder.isEmpty()) return QString();
    return ResolvePath(folder, QStringLiteral("test%1.3d").arg(s.WorkNum));
}

bool SaveSixTestsFile(TestState& s, bool fixedSource, MessageSink& messages,
                      OutsidePrograms& programs) {
    bool done = false;
    QString folder = ResultFormatFolder(s.textpath, s.WorkFile, kSixTestsFolder);
    if (!folder.isEmpty()) {
        if (!QFileInfo::exists(ResolvePath(folder, kSixTestsProgram))) {
            folder = MakeResultFolders(s, {kSixTestsFolder});
            const QString source = ResolvePath(SettingsFolder(s.Sixtestspath), kSixTestsProgram);
            if (!s.Sixtestspath.isEmpty() && QFileInfo(source).isFile())
                CopyFileWhole(source, ResolvePath(folder, kSixTestsProgram));
        }
        done = WriteTextLines(SixTestsInputFilePath(s.textpath, s.WorkFile, s.WorkNum),
                              SixTestsLines(s, fixedSource)) &&
               Launch(s, folder, messages, programs);
    }
    if (!done) {
        messages.ShowMessage(
            QStringLiteral("Problem Saving Sixtests File as:\r\n") +
                ShownResultPath(s, QStringLiteral("SixTests/test") + QString::number(s.WorkNum) +
                                       QStringLiteral(".set")),
            MsgButtons::OK, MsgIcon::Critical, QStringLiteral("SHIT SHIT SHIT"));
        s.SaveFailed = true;
    }
    return done;
}
