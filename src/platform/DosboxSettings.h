#pragma once

#include <QString>
#include <QStringList>

// dosbox runs the DOS programs this program starts with the user's own settings
// and a layer of this program's over them, the user's files left as they are:
// a click into dosbox's window does not capture the mouse (its autolock is
// off), so a click while the keys are typed leaves the keyboard as it was;
// Ctrl+F10 still captures the mouse.
//
// The arguments that load them, the layer written into `folder` (one of this
// program's own); none, so the user's settings alone, when it can't be written.
QStringList DosboxSettingsArguments(const QString& folder);
