#pragma once

// The keyboard's map, for typing characters as keys: which key and modifiers
// type a character, and a spare key for a character no key types.
//
// Xlib's headers define macros that clash with Qt's: include this header after
// every Qt header.

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <vector>

namespace x11 {

// The keysym of a character: Latin-1 keysyms are their code points, the others
// Unicode keysyms.
KeySym CharKeysym(char32_t c);

// One key as sent: the modifier keys held down around it, in order, and the key.
struct Stroke {
    std::vector<KeyCode> held;
    KeyCode code = 0;  // 0: no key types it
};

// The keyboard's map, read once for a whole sending: which key types a keysym
// in the keyboard's current group (read at each key), and which modifier keys
// its level needs (Shift, the level-3 shift...).
class KeyMap {
  public:
    explicit KeyMap(Display* d);
    ~KeyMap();
    KeyMap(const KeyMap&) = delete;
    KeyMap& operator=(const KeyMap&) = delete;

    // No key (code 0) when the keysym lies at no level reachable without Lock
    // (which would stay locked) or without a modifier that no key sets.
    Stroke For(KeySym sym) const;

  private:
    // The key that sets modifier bit `bit` when pressed alone; 0 when none does.
    KeyCode ModifierKey(int bit) const;

    Display* d_;
    XkbDescPtr keyboard_;
    XModifierKeymap* modifiers_;
};

// A key code that no key of the keyboard uses, bound to a keysym for as long as
// it lives, to type a character the keyboard map lacks; unbound when it ends.
class SpareKey {
  public:
    SpareKey(Display* d, KeySym sym);
    ~SpareKey();
    SpareKey(const SpareKey&) = delete;
    SpareKey& operator=(const SpareKey&) = delete;

    // 0 when every key code is in use.
    KeyCode Code() const { return static_cast<KeyCode>(code_); }

  private:
    Display* d_;
    int code_ = 0;
    int per_ = 0;
};

}  // namespace x11
