#pragma once

#include <QString>
#include <QStringList>

#include "core/TestState.h"

// Making the folders of a mirror's result tree (mirror/ResultPaths.h names them).

// Makes textpath (its last component only: its parents must exist),
// textpath/WorkFile and then each of the given levels below it, one after the
// other, ignoring failures (a level that exists already fails harmlessly).
// Returns the deepest folder, or an empty text without making anything when
// textpath is empty or WorkFile is not a usable folder name.
QString MakeResultFolders(const TestState& s, const QStringList& levels);

// A path of the tree as messages show it: textpath, WorkFile and the rest joined
// with '/', spelled as this program writes them.
QString ShownResultPath(const TestState& s, const QString& below);
