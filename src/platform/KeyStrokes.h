#pragma once

#include <QString>
#include <chrono>
#include <vector>

#include "platform/KeyboardGrabs.h"

// Sending keystrokes to another program's window, as a user would type them.
//
// A key sequence is a list of strokes: text typed literally (every character as
// it is: no character of a path is ever read as a command), Alt+letter, or Enter.
struct KeyStroke {
    enum class Kind { Text, Alt, Enter };
    Kind kind = Kind::Text;
    QString text;  // Text: the characters; Alt: the letter
};
using KeySequence = std::vector<KeyStroke>;

namespace Keys {
inline KeyStroke Text(const QString& text) {
    return {KeyStroke::Kind::Text, text};
}
inline KeyStroke Alt(QChar letter) {
    return {KeyStroke::Kind::Alt, QString(letter)};
}
inline KeyStroke Enter() {
    return {KeyStroke::Kind::Enter, QString()};
}
}  // namespace Keys

// The sequence written the classic way for logs and tests: "%f" for Alt+F,
// "{enter}" for Enter, text as it is. It is never parsed back.
QString ShownKeys(const KeySequence& keys);

// Sends the keys on the X11 display ($DISPLAY) to a window of process pid or of a
// process it started. It waits at most windowWait for such a window to be shown
// and gives it the focus when no window of the process has it. Each key is one
// step for the X server: the focus check, the check that no other program holds
// the keyboard (a grab: its open menu, a password prompt, a drag; the process's
// own grab, its menu or dosbox's captured mouse, lets the keys go), the key's
// press and release, with the server held for this program alone, so keys never
// go to another program. Who holds a grab is told by `watch`, which knows the
// grabs made after it began: one made before the program was started knows all
// of the program's. Once the process has taken a key (in this call or an earlier one),
// the focus on another program's window means the keys went astray: the sending
// fails rather than taking the focus back. A keyboard held by another program is
// waited for as long as the focus. With wait, it returns only once the window
// has taken the keys. False, with *error, when there is no display, no such
// window within the wait (the process ended or shows none), the focus moved to
// another program, or another program kept the keyboard; keys not yet sent are
// then not sent.
bool SendKeysToProcess(qint64 pid, const KeySequence& keys, bool wait,
                       std::chrono::milliseconds windowWait, KeyboardWatch& watch,
                       QString* error = nullptr);

// Waits until a shown window of process pid (or of a process it started) has a
// title ending in `ending` (runs of blanks count as one), letting this
// program's windows run meanwhile: some programs show their window before they
// take keys, and say in its title when they do. False, with *error, when there
// is no X11 display, the process ends, or no such title shows within the wait.
bool WaitForWindowTitle(qint64 pid, const QString& ending, std::chrono::milliseconds wait,
                        QString* error = nullptr);
