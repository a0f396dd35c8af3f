#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

QString& AppPathOverride() {
    static QString folder;
    return folder;
}

QString NormalSeparators(QString path) {
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

// Drops trailing separators, except from the root folder itself.
QString WithoutTrailingSeparator(QString path) {
    while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) path.chop(1);
    return path;
}

QString Join(const QString& folder, const QString& name) {
    if (folder.isEmpty()) return name;
    if (folder.endsWith(QLatin1Char('/'))) return folder + name;
    return folder + QLatin1Char('/') + name;
}

// The entry of the folder named like `name` without regard to letter case; the
// exact spelling wins when it exists. Empty when there is none.
QString FindEntry(const QString& folder, const QString& name) {
    const QString exact = Join(folder, name);
    if (QFileInfo::exists(exact)) return name;
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    if (!dir.exists()) return QString();
    const QStringList entries = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return entry;
    }
    return QString();
}

}  // namespace

QString AppPath() {
    const QString& folder = AppPathOverride();
    if (!folder.isEmpty()) return folder;
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

void SetAppPath(const QString& folder) {
    AppPathOverride() = WithoutTrailingSeparator(NormalSeparators(folder));
}

QString ResolvePath(const QString& path) {
    const QString given = NormalSeparators(path);
    if (given.isEmpty()) return given;

    QString result = given.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    bool found = true;  // false once a component does not exist: the rest keep their spelling
    const QStringList parts = given.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        QString name = part;
        if (found && part != QLatin1String(".") && part != QLatin1String("..")) {
            const QString entry = FindEntry(result, part);
            if (entry.isEmpty()) {
                found = false;
            } else {
                name = entry;
            }
        }
        result = Join(result, name);
    }
    return result;
}

QString ResolvePath(const QString& folder, const QString& relative) {
    QString rest = NormalSeparators(relative);
    QString base = NormalSeparators(folder);
    if (base.isEmpty()) return ResolvePath(rest);
    while (rest.startsWith(QLatin1Char('/'))) rest.remove(0, 1);
    return ResolvePath(Join(WithoutTrailingSeparator(base), rest));
}

QString SettingsFolder(const QString& folder) {
    if (folder.isEmpty() || QDir::isAbsolutePath(NormalSeparators(folder))) return folder;
    return ResolvePath(AppPath(), folder);
}
