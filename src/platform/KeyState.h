#pragma once

class QCoreApplication;

// Virtual-key codes of the jog keys.
constexpr int VK_I = 0x49;
constexpr int VK_J = 0x4A;
constexpr int VK_K = 0x4B;
constexpr int VK_M = 0x4D;

// Non-zero while the key is down, or once if it was pressed since the last query.
// Keys count only while a window of this program has the focus, and not as typed
// text or menu keys: a letter pressed while Alt or Ctrl is held, or while a
// control that takes typed text has the focus, does not count.
short GetAsyncKeyState(int virtualKey);

// Installs the application-wide filter that feeds the key state (the first
// query installs it too, when this has not been called).
void InstallKeyStateFilter(QCoreApplication& app);

// Tests: press or release a key as the filter would see it.
void SetKeyStateForTests(int virtualKey, bool down);
void ResetKeyState();
