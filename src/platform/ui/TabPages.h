#pragma once

class QTabBar;
class QWidget;

// Tabbed dialogs keep all their pages at one place and move every page but the
// selected one far out of sight, disabled, so each page's controls keep their
// state. Design positions in pixels: 210 twips, and -20000 twips out of sight.
inline constexpr int kPageShownLeft = 210 / 15;
inline constexpr int kPageAwayLeft = -20000 / 15;

// A page at (kPageShownLeft, top) and enabled when its tab is selected; out of
// sight and disabled otherwise.
void PlacePage(QWidget* page, bool selected, int top);

// Ctrl+Tab: the next tab, and after the last the first.
void SelectNextTab(QTabBar* tabs);
