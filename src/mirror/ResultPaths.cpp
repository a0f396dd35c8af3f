#include "mirror/ResultPaths.h"

#include "mirror/MirrorName.h"
#include "platform/ProgramFolder.h"

namespace {

// <textpath>/<workFile>/<relative>, resolved (a relative textpath from the
// program folder); empty when unsafe.
QString UnderMirror(const QString& textpath, const QString& workFile, const QString& relative) {
    if (textpath.isEmpty() || !IsValidProfileName(workFile)) return QString();
    const QString rest = relative.isEmpty() ? workFile : workFile + QLatin1Char('/') + relative;
    return ResolvePath(SettingsFolder(textpath), rest);
}

}  // namespace

QString MirrorsFolder() {
    return ResolvePath(AppPath(), QStringLiteral("mirrors"));
}

QString MirrorProfilePath(const QString& name) {
    if (!IsValidProfileName(name)) return QString();
    return ResolvePath(AppPath(), QStringLiteral("mirrors/") + name + QStringLiteral(".ini"));
}

QString MirrorResultFolder(const QString& textpath, const QString& workFile) {
    return UnderMirror(textpath, workFile, QString());
}

QString ResultFormatFolder(const QString& textpath, const QString& workFile,
                           const QString& format) {
    return UnderMirror(textpath, workFile, format);
}

QString TextResultFilePath(const QString& textpath, const QString& workFile, int32_t testNumber) {
    return UnderMirror(textpath, workFile, QStringLiteral("TextData/test%1.txt").arg(testNumber));
}

QString FigureInputFilePath(const QString& textpath, const QString& workFile, int32_t testNumber) {
    return UnderMirror(textpath, workFile, QStringLiteral("Figure/Test%1.fig").arg(testNumber));
}

QString SixTestsInputFilePath(const QString& textpath, const QString& workFile,
                              int32_t testNumber) {
    return UnderMirror(textpath, workFile, QStringLiteral("SixTests/Test%1.set").arg(testNumber));
}

QString TestImagesFolder(const QString& textpath, const QString& workFile, int32_t testNumber) {
    return UnderMirror(textpath, workFile, QStringLiteral("Images/Test%1").arg(testNumber));
}
