#include "mirror/MirrorName.h"

#include "mirror/RecentMirrors.h"

namespace {

const QString kNotPlainText =
    QStringLiteral("Name holds a character that cannot be saved as a file name!");

}  // namespace

bool IsIllegalNameChar(QChar c) {
    for (const char* p = kIllegalNameChars; *p; ++p)
        if (c == QLatin1Char(*p)) return true;
    return false;
}

QString ProfileNameProblem(const QString& name) {
    if (name.isEmpty()) return QStringLiteral("Name is empty!");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("Name may not be . or ..!");
    // The recent-mirror list holds its unused entries under this caption.
    if (IsEmptyRecentCaption(name))
        return QStringLiteral("Name may not be mnu, which marks an unused recent mirror!");
    if (name.size() > kMaxProfileNameLength)
        return QStringLiteral("Name may not be longer than %1 characters!")
            .arg(kMaxProfileNameLength);
    for (const QChar c : name) {
        if (IsIllegalNameChar(c)) return QStringLiteral("Name may not contain /\\:*?<>|!");
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("Name may not contain control characters!");
    }
    // Every character must be one a file name (UTF-8) and the settings file can
    // hold and give back: no unpaired half of a UTF-16 surrogate pair, no
    // non-character, no U+FFFD, which marks bytes that were not text, and no
    // U+FEFF, which a reader takes for a byte-order mark at the start of a file.
    for (qsizetype i = 0; i < name.size(); ++i) {
        char32_t code = name[i].unicode();
        if (QChar::isHighSurrogate(code) && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(name[i], name[i + 1]);
            ++i;
        } else if (QChar::isSurrogate(code)) {
            return kNotPlainText;
        }
        if (QChar::isNonCharacter(code) || code == QChar::ReplacementCharacter ||
            code == QChar::ByteOrderMark)
            return kNotPlainText;
    }
    return QString();
}
