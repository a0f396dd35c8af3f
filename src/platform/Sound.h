#pragma once

#include <QString>
#include <QStringList>

// Wave file players. A missing or unplayable file, or no audio device, is silent
// and returns at once; nothing ever waits on a sound that cannot play.
// Returns when the sound has ended. Timers and other events run meanwhile; the
// user's input (mouse, keys) waits until the sound has ended.
void PlaySoundSync(const QString& path);
void PlaySoundAsync(const QString& path);  // returns at once; a later sound replaces it

// Length in milliseconds of the sound in a wave file, from its header; -1 when
// the file is missing or is not a wave file.
qint64 WaveFileDurationMs(const QString& path);

// Tests: every path asked for, in order, and whether real playback is used.
QStringList SoundRequests();
void ClearSoundRequests();
void SetSoundOutputEnabled(bool enabled);
