#pragma once

#include <QString>

// The program folder: the folder of the running executable, unless a test has
// set another one.
QString AppPath();
void SetAppPath(const QString& folder);

// Joins a folder and a relative path given with '/' or '\' separators and finds
// each component that exists without regard to letter case ("Sound/Z1.wav"
// finds "sound/z1.wav"). Components that do not exist keep the spelling given,
// so the result can be used to create them.
QString ResolvePath(const QString& folder, const QString& relative);

// The same for one full path.
QString ResolvePath(const QString& path);

// A folder of the settings (the result folder, the reduction programs' folders)
// as the program uses it: a relative one is taken from the program folder,
// whatever folder the program was started from; an empty one stays empty.
QString SettingsFolder(const QString& folder);
