#include "mirror/MirrorName.h"

bool IsIllegalNameChar(QChar c) {
    for (const char* p = kIllegalNameChars; *p; ++p)
        if (c == QLatin1Char(*p)) return true;
    return false;
}

QString ProfileNameProblem(const QString& name) {
    if (name.isEmpty()) return QStringLiteral("the mirror name is empty");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("the mirror name may not be \".\" or \"..\"");
    if (name.size() > kMaxProfileNameLength)
        return QStringLiteral("the mirror name is longer than %1 characters")
            .arg(kMaxProfileNameLength);
    for (const QChar c : name) {
        if (IsIllegalNameChar(c))
            return QStringLiteral("the mirror name contains the character %1").arg(c);
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("the mirror name contains a control character");
    }
    return QString();
}
