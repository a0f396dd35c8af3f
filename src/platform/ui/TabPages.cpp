#include "platform/ui/TabPages.h"

#include <QTabBar>
#include <QWidget>

void PlacePage(QWidget* page, bool selected, int top) {
    page->move(selected ? kPageShownLeft : kPageAwayLeft, top);
    page->setEnabled(selected);
}

void SelectNextTab(QTabBar* tabs) {
    const int count = tabs->count();
    if (count > 0) tabs->setCurrentIndex((tabs->currentIndex() + 1) % count);
}
