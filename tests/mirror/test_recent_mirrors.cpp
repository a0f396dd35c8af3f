#include <gtest/gtest.h>

#include <QStringList>

#include "mirror/RecentMirrors.h"

namespace {

RecentMirrors List(const QStringList& names) {
    std::array<QString, kRecentMirrors + 1> captions;
    for (int k = 1; k <= kRecentMirrors; ++k)
        captions[k] = k <= names.size() ? names[k - 1] : QStringLiteral("mnu");
    return RecentMirrorsFromCaptions(captions);
}

// The visible captions, top to bottom.
QStringList Shown(const RecentMirrors& list) {
    QStringList shown;
    for (int k = 1; k <= kRecentMirrors; ++k)
        if (list.Visible[k]) shown.append(list.Caption[k]);
    return shown;
}

}  // namespace

TEST(RecentMirrors, RestoredListHidesEmptySlots) {
    const RecentMirrors list = List({"A", "", "B"});
    EXPECT_EQ(Shown(list), QStringList({"A", "B"}));
    EXPECT_FALSE(list.Visible[10]);
}

TEST(RecentMirrors, ChoosingMovesTheItemToTheTop) {
    RecentMirrors first = List({"A", "B", "C"});
    ApplyRecentChoice(first, 1, true);
    EXPECT_EQ(Shown(first), QStringList({"A", "B", "C"}));

    RecentMirrors third = List({"A", "B", "C", "D"});
    ApplyRecentChoice(third, 3, true);
    EXPECT_EQ(Shown(third), QStringList({"C", "A", "B", "D"}));

    RecentMirrors dup = List({"A", "B", "A", "C"});
    ApplyRecentChoice(dup, 2, true);
    EXPECT_EQ(Shown(dup), QStringList({"B", "A", "C"}));
    for (int k = 4; k <= 10; ++k) EXPECT_FALSE(dup.Visible[k]) << k;

    // Letter case counts: these are two mirrors.
    RecentMirrors cased = List({"Newt", "newt"});
    ApplyRecentChoice(cased, 2, true);
    EXPECT_EQ(Shown(cased), QStringList({"newt", "Newt"}));

    RecentMirrors outside = List({"A", "B"});
    ApplyRecentChoice(outside, 0, true);
    ApplyRecentChoice(outside, 11, false);
    EXPECT_EQ(Shown(outside), QStringList({"A", "B"}));
}

TEST(RecentMirrors, FailedChoiceRemovesTheItem) {
    RecentMirrors list = List({"A", "B", "C", "D", "E", "F"});
    ApplyRecentChoice(list, 4, false);
    EXPECT_EQ(Shown(list), QStringList({"A", "B", "C", "E", "F"}));
    for (int k = 6; k <= 10; ++k) EXPECT_FALSE(list.Visible[k]) << k;
    EXPECT_EQ(list.Caption[10], "");
}

TEST(RecentMirrors, SameNameInFirstAndLastSlot) {
    RecentMirrors list = List({"A", "B", "C", "D", "E", "F", "G", "H", "I", "A"});
    ApplyRecentChoice(list, 1, true);
    EXPECT_EQ(list.Caption[10], "");
    EXPECT_FALSE(list.Visible[10]);
    EXPECT_EQ(Shown(list).size(), 9);
}

TEST(RecentMirrors, EditorPushKeepsDuplicatesAndDropsTheTenth) {
    RecentMirrors list = List({"A", "B"});
    PushRecentMirror(list, "B");
    EXPECT_EQ(Shown(list), QStringList({"B", "A", "B"}));
    RemoveDuplicateRecents(list);
    EXPECT_EQ(Shown(list), QStringList({"B", "A"}));

    RecentMirrors full = List({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
    PushRecentMirror(full, "new");
    EXPECT_EQ(Shown(full), QStringList({"new", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
}
