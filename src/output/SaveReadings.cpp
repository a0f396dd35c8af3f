#include "output/SaveReadings.h"

#include <QFileInfo>

#include "mirror/ResultPaths.h"

namespace {

const QString kTitle = QStringLiteral("Save Data");

// The first of the chosen result files of this test number that exists.
QString ExistingResultFile(const TestState& s) {
    const std::pair<bool, QString> files[] = {
        {s.Savefigure, FigureInputFilePath(s.textpath, s.WorkFile, s.WorkNum)},
        {s.Savetext, TextResultFilePath(s.textpath, s.WorkFile, s.WorkNum)},
        {s.SaveSixtests, SixTestsInputFilePath(s.textpath, s.WorkFile, s.WorkNum)}};
    for (const auto& [chosen, file] : files)
        if (chosen && !file.isEmpty() && QFileInfo::exists(file)) return file;
    return QString();
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
    if (readings.triedAs != s.WorkNum) {
        const QString existing = ExistingResultFile(s);
        if (!existing.isEmpty() &&
            !Asked(host, QStringLiteral("Test %1 has results already:\r\n%2\r\nPress OK to "
                                        "replace them.")
                             .arg(s.WorkNum)
                             .arg(existing)))
            return false;
    }
    readings.triedAs = s.WorkNum;
    const int32_t number = s.WorkNum;
    if (!SaveData(s, host)) return false;
    readings.savedAs = number;
    return true;
}
