#pragma once

#include <QString>
#include <optional>

#include "platform/MsgBoxRequest.h"

// Rules of the Save Data Options dialog that need no window.

// A folder as OK stores it: one trailing "/" removed, but the root folder "/"
// stays the root.
QString WithoutTrailingSeparator(const QString& folder);

// The two outside programs the dialog browses for.
enum class OutsideProgram { Figure45, SixTests };

// Title and filter of the file chooser for a program. The chooser also lists
// files without an .exe name: on Linux the programs may be native or scripts.
QString ProgramBrowseTitle(OutsideProgram program);
QString ProgramBrowseFilter();

// A chosen path that names no file (nothing after its last "/", or a folder) is
// an invalid selection.
bool ProgramSelectionValid(const QString& chosen);

// The message for an invalid selection: OK chooses again, Cancel gives up.
MsgBoxRequest InvalidProgramMessage(OutsideProgram program, const QString& chosen);

// The folder of a chosen program file: the text before its last "/" when that
// stands after the first character; a file in the root folder gives "/".
// Nothing when the path has no "/" at all.
std::optional<QString> ProgramFolderOf(const QString& chosen);

// The program's title, which titles the invalid-selection messages.
inline constexpr const char* kProgramTitle = "Drelmont";
