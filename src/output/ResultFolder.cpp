#include "output/ResultFolder.h"

#include <QDir>

#include "mirror/ResultPaths.h"
#include "platform/ProgramFolder.h"

QString MakeResultFolders(const TestState& s, const QStringList& levels) {
    QString folder = MirrorResultFolder(s.textpath, s.WorkFile);
    if (folder.isEmpty()) return QString();
    QDir dir;
    dir.mkdir(ResolvePath(SettingsFolder(s.textpath)));
    dir.mkdir(folder);
    for (const QString& level : levels) {
        folder = ResolvePath(folder, level);
        dir.mkdir(folder);
    }
    return folder;
}

QString ShownResultPath(const TestState& s, const QString& below) {
    return s.textpath + QLatin1Char('/') + s.WorkFile + QLatin1Char('/') + below;
}
