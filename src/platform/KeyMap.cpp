#include "platform/KeyMap.h"

#include <algorithm>

namespace x11 {

KeySym CharKeysym(char32_t c) {
    if ((c >= 0x20 && c <= 0x7e) || (c >= 0xa0 && c <= 0xff)) return c;
    return 0x01000000 | c;
}

KeyMap::KeyMap(Display* d)
    : d_(d),
      keyboard_(XkbGetMap(d, XkbKeyTypesMask | XkbKeySymsMask | XkbKeyActionsMask, XkbUseCoreKbd)),
      modifiers_(XGetModifierMapping(d)) {}

KeyMap::~KeyMap() {
    if (modifiers_) XFreeModifiermap(modifiers_);
    if (keyboard_) XkbFreeKeyboard(keyboard_, 0, True);
}

Stroke KeyMap::For(KeySym sym) const {
    Stroke stroke;
    XkbStateRec state{};
    if (!keyboard_ || !modifiers_ || XkbGetState(d_, XkbUseCoreKbd, &state) != Success)
        return stroke;
    for (int code = keyboard_->min_key_code; code <= keyboard_->max_key_code && !stroke.code;
         ++code) {
        const int groups = XkbKeyNumGroups(keyboard_, code);
        if (groups == 0) continue;
        const int group = state.group % groups;  // a group out of range wraps
        const XkbKeyTypePtr type = XkbKeyKeyType(keyboard_, code, group);
        for (int level = 0; level < type->num_levels && !stroke.code; ++level) {
            if (XkbKeySymEntry(keyboard_, code, level, group) != sym) continue;
            // Level 0 needs no modifier; the others the first way in to them.
            int mask = level == 0 ? 0 : -1;
            for (int i = 0; i < type->map_count && mask < 0; ++i) {
                const XkbKTMapEntryRec& entry = type->map[i];
                if (entry.active && entry.level == level && !(entry.mods.mask & LockMask))
                    mask = entry.mods.mask;
            }
            std::vector<KeyCode> held;
            for (int bit = 0; bit < 8 && mask > 0; ++bit)
                if (mask & (1 << bit)) held.push_back(ModifierKey(bit));
            if (mask >= 0 && std::find(held.begin(), held.end(), 0) == held.end())
                stroke.held = held, stroke.code = static_cast<KeyCode>(code);
        }
    }
    return stroke;
}

KeyCode KeyMap::ModifierKey(int bit) const {
    for (int i = 0; i < modifiers_->max_keypermod; ++i) {
        const KeyCode code = modifiers_->modifiermap[bit * modifiers_->max_keypermod + i];
        const XkbAction* action = code ? XkbKeyActionEntry(keyboard_, code, 0, 0) : nullptr;
        if (action && action->type == XkbSA_SetMods) return code;
    }
    return 0;
}

SpareKey::SpareKey(Display* d, KeySym sym) : d_(d) {
    int low = 0, high = 0;
    XDisplayKeycodes(d, &low, &high);
    KeySym* map = XGetKeyboardMapping(d, static_cast<KeyCode>(low), high - low + 1, &per_);
    for (int code = high; map && code >= low && !code_ && per_ > 0; --code) {
        bool unused = true;
        for (int i = 0; i < per_ && unused; ++i) unused = map[(code - low) * per_ + i] == NoSymbol;
        if (unused) code_ = code;
    }
    if (map) XFree(map);
    if (!code_) return;
    std::vector<KeySym> syms(per_, NoSymbol);
    std::fill(syms.begin(), syms.begin() + std::min(per_, 2), sym);
    XChangeKeyboardMapping(d_, code_, per_, syms.data(), 1);
}

SpareKey::~SpareKey() {
    if (!code_) return;
    std::vector<KeySym> syms(per_, NoSymbol);
    XChangeKeyboardMapping(d_, code_, per_, syms.data(), 1);
    XSync(d_, False);
}

}  // namespace x11
