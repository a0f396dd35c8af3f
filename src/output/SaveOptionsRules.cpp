#include "output/SaveOptionsRules.h"

#include <QFileInfo>

namespace {

constexpr QChar kSeparator = QLatin1Char('/');

}  // namespace

QString WithoutTrailingSeparator(const QString& folder) {
    if (folder.endsWith(kSeparator) && folder != QString(kSeparator)) return folder.chopped(1);
    return folder;
}

QString ProgramBrowseTitle(OutsideProgram program) {
    return program == OutsideProgram::Figure45
               ? QStringLiteral("Select Figure45.exe then click OPEN")
               : QStringLiteral("Select Sixtest.exe and click OPEN");
}

QString ProgramBrowseFilter() {
    return QStringLiteral("Applications (*.exe);;All files (*)");
}

bool ProgramSelectionValid(const QString& chosen) {
    if (chosen.trimmed().isEmpty() || chosen.endsWith(kSeparator)) return false;
    return !QFileInfo(chosen).isDir();
}

MsgBoxRequest InvalidProgramMessage(OutsideProgram program, const QString& chosen) {
    MsgBoxRequest request;
    const QString name = program == OutsideProgram::Figure45 ? QStringLiteral("Figure45.exe")
                                                             : QStringLiteral("Sixtests.exe");
    request.text = QStringLiteral("The Selection ") + chosen + QStringLiteral(" is invalid!\r\n") +
                   QStringLiteral("Please highlight ") + name +
                   QStringLiteral(" then click OPEN\r\nPress Cancel to Exit.");
    request.title = QLatin1String(kProgramTitle);
    request.buttons = MsgButtons::OKCancel;
    request.icon = MsgIcon::Information;
    return request;
}

std::optional<QString> ProgramFolderOf(const QString& chosen) {
    const qsizetype last = chosen.lastIndexOf(kSeparator);
    if (last < 0) return std::nullopt;
    if (last == 0) return QString(kSeparator);
    return chosen.left(last);
}
