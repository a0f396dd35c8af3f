#pragma once

#include <QString>

// The rules for a mirror profile's name. The name is the file stem of its
// profile in the mirrors folder, the caption of its recent-list item and the
// folder of its results under the result root, so it must be one plain file
// name component: it can never reach outside the folder it is joined to.

// Characters the profile editor refuses in a name.
inline constexpr char kIllegalNameChars[] = "/\\:*?<>|";

// Longest name accepted: short enough for every file system to hold the name
// plus ".ini" as one file name (255 bytes), whatever characters it uses.
constexpr int kMaxProfileNameLength = 60;

bool IsIllegalNameChar(QChar c);

// Why the name cannot be used as a profile or result folder name; empty when it
// can. Refused: the empty name, "." and "..", "mnu" (an unused recent-list
// entry's caption), the characters / \ : * ? < > |,
// control characters (a line break would break the profile file), characters
// that do not survive being written as UTF-8 and read back (an unpaired UTF-16
// surrogate, a non-character, U+FFFD, U+FEFF) and names longer than kMaxProfileNameLength.
QString ProfileNameProblem(const QString& name);

inline bool IsValidProfileName(const QString& name) {
    return ProfileNameProblem(name).isEmpty();
}
