#pragma once

#include <QString>
#include <chrono>

// Waits until a shown window of process pid has a title ending in `ending`
// (runs of blanks count as one), letting this program's windows run meanwhile.
// False, with *error, when there is no X11 display, the process ends, or no
// such title shows within the wait.
bool WaitForWindowTitle(qint64 pid, const QString& ending, std::chrono::milliseconds wait,
                        QString* error = nullptr);
