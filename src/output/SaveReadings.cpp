#include "output/SaveReadings.h"

#include <QFileInfo>
#include <algorithm>

#include "mirror/ResultPaths.h"

namespace {

const QString kTitle = QStringLiteral("Save Data");

// The result files of this test number in the chosen formats.
QStringList ChosenResultFiles(const TestState& s) {
    QStringList files;
    if (s.Savefigure) files << FigureInputFilePath(s.textpath, s.WorkFile, s.WorkNum);
    if (s.Savetext) files << TextResultFilePath(s.textpath, s.WorkFile, s.WorkNum);
    if (s.SaveSixtests) files << SixTestsInputFilePath(s.textpath, s.WorkFile, s.WorkNum);
    return files;
}

bool Asked(SaveDataHost& host, const QString& text) {
    return host.ShowMessage(text, MsgButtons::OKCancel, MsgIcon::Exclamation, kTitle) ==
           MsgResult::OK;
}

}  // namespace

bool SaveTestReadings(TestState& s, SaveDataHost& host) {
    ReadingsOrigin& readings = s.Readings;
    if (readings.zoneTable == 0 || readings.zoneTable != s.ZoneTable) {
        const QString why = readings.zoneTable == 0
                                ? QStringLiteral(
                                      "no test of \"%1\" has been completed since it was chosen (a "
                                      "stopped test keeps no readings).")
                                      .arg(s.WorkFile)
                                : QStringLiteral(
                                      "the last test's readings were measured on \"%1\" before "
                                      "\"%2\" was chosen.")
                                      .arg(readings.mirror, s.WorkFile);
        host.ShowMessage(QStringLiteral("Nothing was saved: ") + why, MsgButtons::OK,
                         MsgIcon::Information, kTitle);
        return false;
    }
    if (readings.savedAs > 0 &&
        !Asked(host, QStringLiteral("These readings were saved already as test %1.\r\nPress OK "
                                    "to save them again as test %2.")
                         .arg(readings.savedAs)
                         .arg(s.WorkNum)))
        return false;
    // Files the last, failed, save of these readings was to write are theirs, or
    // were replaced after the question.
    const QStringList files = ChosenResultFiles(s);
    const auto earlier = std::find_if(files.begin(), files.end(), [&readings](const QString& file) {
        return !file.isEmpty() && !readings.tried.contains(file) && QFileInfo::exists(file);
    });
    if (earlier != files.end() &&
        !Asked(host, QStringLiteral("Test %1 has results already:\r\n%2\r\nPress OK to "
                                    "replace them.")
                         .arg(s.WorkNum)
                         .arg(*earlier)))
        return false;
    readings.tried = files;
    const int32_t number = s.WorkNum;
    if (!SaveData(s, host)) return false;
    readings.savedAs = number;
    readings.tried.clear();
    return true;
}
