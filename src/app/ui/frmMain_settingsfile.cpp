// What keeps the user's settings file safe: the copy of a file that could not
// be read before anything is written over it, and how a failed save is told.

#include <QFileInfo>
#include <cstdio>

#include "app/ui/frmMain.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"
#include "platform/ui/MsgBox.h"

namespace {

void PrintError(const QString& text) {
    std::fprintf(stderr, "drelmont: %s\n", qPrintable(text));
    std::fflush(stderr);
}

}  // namespace

void frmMain::UnloadOnSignal() {
    signalShutDown_ = true;
    // The loops that run below this handler end as soon as it returns (a move in
    // progress at its next tenth of a second): a termination signal ends the
    // program at once, without shut-down's two seconds of waiting for them.
    closingWaits_ = kClosingWaits;
    Unload();
}

void frmMain::NoteFailedSettingsLoad(const SettingsLoadOutcome& outcome) {
    const QString path = SettingsFilePath(AppPath());
    // A missing file on a first run holds nothing to keep.
    if (outcome.loaded || !QFileInfo(path).isFile()) return;
    keepSettingsBeforeSave_ = true;
    const QString where = outcome.failedLine > 0
                              ? QStringLiteral("%1 (line %2)").arg(path).arg(outcome.failedLine)
                              : path;
    // A number out of a tester's reach is named with its limit.
    const QString reason = outcome.failedReason.isEmpty()
                               ? QString()
                               : QStringLiteral(" (%1)").arg(outcome.failedReason);
    LogLine(QStringLiteral("Could not read all settings from %1%2; the file as it is will be kept "
                           "as %3 when the settings are next saved.")
                .arg(where, reason, SettingsBackupPath(path)));
}

bool frmMain::KeepUnreadSettingsFile(const QString& path, QString& error) {
    if (!keepSettingsBeforeSave_) return true;
    if (!QFileInfo(path).isFile()) {
        // Gone since the load (or never a file): nothing is written over.
        keepSettingsBeforeSave_ = false;
        return true;
    }
    const QString backup = SettingsBackupPath(path);
    QString why;
    if (!CopyFileWhole(path, backup, &why)) {
        error = QStringLiteral("The settings file as it was could not be kept as %1: %2")
                    .arg(backup, why);
        return false;
    }
    keepSettingsBeforeSave_ = false;
    const QString text =
        QStringLiteral("The settings file that could not be read is kept as it was in %1")
            .arg(backup);
    LogLine(text);
    PrintError(text);
    return true;
}

void frmMain::ReportSettingsSaveFailure(const QString& path, const QString& error) {
    // The earlier file stays as it was, and the program goes on.
    if (signalShutDown_) {
        const QString text =
            QStringLiteral("Unable to save the settings to %1: %2").arg(path, error);
        LogLine(text);
        PrintError(text);
        return;
    }
    // Said once per run.
    if (saveFailureReported_) return;
    saveFailureReported_ = true;
    MsgBox(QStringLiteral("Unable to save the settings to %1\n%2").arg(path, error), MsgButtons::OK,
           MsgIcon::Exclamation, QStringLiteral("File Warning!"));
}
