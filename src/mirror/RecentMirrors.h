#pragma once

#include <QString>
#include <array>

#include "core/TestState.h"  // kRecentMirrors

// The recent-mirror list: the captions and visibility of the menu items
// Mnu(1) .. Mnu(10), newest first. Slots are indexed 1 to 10 as the menu items
// are; slot 0 is unused. A caption that is "" or "mnu" (the items' design
// caption) marks an empty slot. Captions are compared exactly: names that
// differ only in letter case are different items.
//
// The main window copies its menu into a RecentMirrors, applies one of the
// operations below and copies captions and visibility back. A choice from the
// list (Mnu_Click) goes:
//   ProfileLoad load = ReadMirrorProfile(Mnu[Index] caption);   // MirrorProfile.h
//   bool loaded = load.ok;
//   if (loaded) { StoreProfile(*this, load.profile); loaded = Zone_Calc(); }
//   if (!loaded) MsgBox("File Not Found :(" CR LF "Removing entry from list", ...);
//   ApplyRecentChoice(list, Index, loaded);  then the layout and SaveSettings.
// Zone_Calc cannot fail after ReadMirrorProfile accepted the profile: both use
// the same zone table checks, so a refused profile leaves the state untouched.

struct RecentMirrors {
    std::array<QString, kRecentMirrors + 1> Caption;
    std::array<bool, kRecentMirrors + 1> Visible{};
};

// "" or "mnu".
bool IsEmptyRecentCaption(const QString& caption);

// The list as restored from saved captions: empty slots hidden, others shown.
RecentMirrors RecentMirrorsFromCaptions(const std::array<QString, kRecentMirrors + 1>& captions);

// Moves item `index` to the top; the items above it move down one place.
// Visibility is not touched. Indexes outside 1..10 change nothing.
void MoveRecentToTop(RecentMirrors& list, int index);

// Removes item `index`: the items below move up, a slot whose new caption is
// empty is hidden, and slot 10 becomes "" and hidden.
void RemoveRecent(RecentMirrors& list, int index);

// Removes every later item whose caption equals an earlier non-empty one.
void RemoveDuplicateRecents(RecentMirrors& list);

// After a choice from the list: a loaded profile moves to the top, a failed one
// is removed; then duplicates are removed in either case.
void ApplyRecentChoice(RecentMirrors& list, int index, bool loaded);

// The profile editor's push of a saved name: every item moves down one place
// (an item below an empty slot is hidden instead, keeping its caption), and
// the name goes to the top, shown. Duplicates are left for the next choice.
void PushRecentMirror(RecentMirrors& list, const QString& name);
