#include "mirror/RecentMirrors.h"

bool IsEmptyRecentCaption(const QString& caption) {
    return caption.isEmpty() || caption == QLatin1String("mnu");
}

RecentMirrors RecentMirrorsFromCaptions(const std::array<QString, kRecentMirrors + 1>& captions) {
    RecentMirrors list;
    for (int k = 1; k <= kRecentMirrors; ++k) {
        list.Caption[k] = captions[k];
        list.Visible[k] = !IsEmptyRecentCaption(captions[k]);
    }
    return list;
}

void MoveRecentToTop(RecentMirrors& list, int index) {
    if (index < 1 || index > kRecentMirrors) return;
    const QString chosen = list.Caption[index];
    for (int k = index; k >= 2; --k) list.Caption[k] = list.Caption[k - 1];
    list.Caption[1] = chosen;
}

void RemoveRecent(RecentMirrors& list, int index) {
    if (index < 1 || index > kRecentMirrors) return;
    for (int k = index; k <= kRecentMirrors - 1; ++k) {
        list.Caption[k] = list.Caption[k + 1];
        if (IsEmptyRecentCaption(list.Caption[k])) list.Visible[k] = false;
    }
    list.Visible[kRecentMirrors] = false;
    list.Caption[kRecentMirrors] = QString();
}

void RemoveDuplicateRecents(RecentMirrors& list) {
    for (int i = 1; i <= kRecentMirrors - 1; ++i) {
        int j = i + 1;
        while (j <= kRecentMirrors) {
            // Slot j holds the next caption after a removal, so it is tested again.
            if (!list.Caption[i].isEmpty() && list.Caption[i] == list.Caption[j])
                RemoveRecent(list, j);
            else
                ++j;
        }
    }
}

void ApplyRecentChoice(RecentMirrors& list, int index, bool loaded) {
    if (loaded)
        MoveRecentToTop(list, index);
    else
        RemoveRecent(list, index);
    RemoveDuplicateRecents(list);
}

void PushRecentMirror(RecentMirrors& list, const QString& name) {
    for (int k = kRecentMirrors; k >= 2; --k) {
        if (IsEmptyRecentCaption(list.Caption[k - 1])) {
            list.Visible[k] = false;
        } else {
            list.Caption[k] = list.Caption[k - 1];
            list.Visible[k] = true;
        }
    }
    list.Caption[1] = name;
    list.Visible[1] = true;
}
