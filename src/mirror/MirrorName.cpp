#include "mirror/MirrorName.h"

bool IsIllegalNameChar(QChar c) {
    for (const char* p = kIllegalNameChars; *p; ++p)
        if (c == QLatin1Char(*p)) return true;
    return false;
}

QString ProfileNameProblem(const QString& name) {
    if (name.isEmpty()) return QStringLiteral("Name is empty!");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("Name may not be . or ..!");
    if (name.size() > kMaxProfileNameLength)
        return QStringLiteral("Name may not be longer than %1 characters!")
            .arg(kMaxProfileNameLength);
    for (const QChar c : name) {
        if (IsIllegalNameChar(c)) return QStringLiteral("Name may not contain /\\:*?<>|!");
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("Name may not contain control characters!");
    }
    return QString();
}
