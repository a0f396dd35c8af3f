#include <gtest/gtest.h>

#include <QStringList>

#include "autotest/PseudoCode.h"

namespace {

// The example of the dialog's knife page: 4 frames, Max 70, Min 40, delta 10,
// large move 6 and small move 1 knife half steps of 0.000125 inch.
LRPseudoCodeValues KnifeExample() {
    LRPseudoCodeValues v;
    v.frames = 4;
    v.max = 70;
    v.min = 40;
    v.delta = 10;
    v.large = 6;
    v.small = 1;
    v.lrStepSize = 0.000125;
    return v;
}

TFPseudoCodeValues RoughExample() {
    TFPseudoCodeValues v;
    v.frames = 15;
    v.oblateDelta = 15;
    v.oblateMove = 40;
    v.roughDelta = 20;
    v.roughMove = 16;
    v.stepSize = 0.000125;
    return v;
}

QStringList Lines(const QString& text) {
    return text.split(QStringLiteral("\r\n"));
}

// The lines of `all` that are not in `some`, and the reverse, as one text each.
QStringList Removed(const QStringList& all, const QStringList& some) {
    QStringList removed;
    int j = 0;
    for (const QString& line : all) {
        if (j < some.size() && some[j] == line)
            ++j;
        else
            removed << line;
    }
    EXPECT_EQ(j, some.size()) << "lines were changed, not only left out";
    return removed;
}

}  // namespace

TEST(PseudoCode, KnifeText) {
    const QString text = LRPseudoCode(KnifeExample());
    const QStringList lines = Lines(text);
    ASSERT_EQ(lines.size(), 23);
    EXPECT_EQ(lines[0], "If Frame Average > 4 Then");
    EXPECT_EQ(lines[1], "   If Zone Intensity > 70 + 10 {Max + Delta} Then:");
    EXPECT_EQ(lines[2], "      Cut Knife Into Return Beam 0.00075 {Or 6 Half-Steps}");
    EXPECT_EQ(lines[3], "      Reset Current Frame Average to 1 and Start All Over!");
    EXPECT_EQ(lines[4], "   End If");
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[6], "   If Zone Intensity < 40 - 10 {Min - Delta} Then:");
    EXPECT_EQ(lines[7], "      Cut Knife Out of Return Beam 0.00075 {Or 6 Half-Steps}");
    EXPECT_EQ(lines[11], "   If Zone Intensity > 70 {Max} Then:");
    EXPECT_EQ(lines[12], "      Cut Knife Into Return Beam 0.000125 {Or 1 Half-Steps}");
    EXPECT_EQ(lines[16], "   If Zone Intensity < 40 {Min} Then:");
    EXPECT_EQ(lines[17], "      Cut Knife Out of Return Beam 0.000125 {Or 1 Half-Steps}");
    EXPECT_EQ(lines[21], "End If ** If the code gets this far,");
    EXPECT_EQ(lines[22], "          ** Then its time to Rough Adust Distance from Mirror! :) ");
    EXPECT_TRUE(text.endsWith(":) "));
    EXPECT_EQ(text.count("\n"), text.count("\r\n"));
}

TEST(PseudoCode, RoughText) {
    const QString text = TFPseudoCode(RoughExample());
    const QStringList lines = Lines(text);
    ASSERT_EQ(lines.size(), 19);
    EXPECT_EQ(lines[0], "   ***Assuming Knife On Right side of light source!***");
    EXPECT_EQ(lines[1], "If Frame Average > 15 Then ");
    EXPECT_EQ(lines[3], "      If Left Zone Value > Right Zone Value + 15 Then:");
    EXPECT_EQ(lines[4], "         Move Knife Towards Mirror 0.005 {or 40 Half-Steps");
    EXPECT_EQ(lines[5], "         Reset Frame Average to 1 and Start Over!");
    EXPECT_EQ(lines[7], "          Found_Oblate = True");
    EXPECT_EQ(lines[10], "");
    EXPECT_EQ(lines[12], "      If Left Zone Value > Right Zone Value + 20 Then:");
    EXPECT_EQ(lines[13], "         Move Knife Away From Mirror 0.002 {or 16 Half-Steps");
    EXPECT_EQ(lines[16], "   End IF");
    EXPECT_EQ(lines[17], " End If");
    EXPECT_EQ(lines[18],
              "**** If we made it this far, then its time to Move onto Final Null Code!");
    EXPECT_EQ(text.count("\n"), text.count("\r\n"));
}

TEST(PseudoCode, AValueChangesOnlyTheStepsThatNameIt) {
    const QStringList before = Lines(LRPseudoCode(KnifeExample()));
    LRPseudoCodeValues other = KnifeExample();
    other.small = 3;
    const QStringList after = Lines(LRPseudoCode(other));
    ASSERT_EQ(before.size(), after.size());
    QList<int> changed;
    for (int i = 0; i < before.size(); ++i)
        if (before[i] != after[i]) changed << i;
    EXPECT_EQ(changed, (QList<int>{12, 17}));  // steps 11 and 15
    EXPECT_EQ(after[12], "      Cut Knife Into Return Beam 0.000375 {Or 3 Half-Steps}");
}

TEST(PseudoCode, AListWithoutSelectionLeavesOutExactlyItsSteps) {
    const QStringList knife = Lines(LRPseudoCode(KnifeExample()));
    LRPseudoCodeValues noLarge = KnifeExample();
    noLarge.large.reset();
    EXPECT_EQ(Removed(knife, Lines(LRPseudoCode(noLarge))),
              QStringList({knife[2], knife[7]}));  // steps 3 and 7
    LRPseudoCodeValues noSmall = KnifeExample();
    noSmall.small.reset();
    EXPECT_EQ(Removed(knife, Lines(LRPseudoCode(noSmall))), QStringList({knife[12], knife[17]}));
    LRPseudoCodeValues nothing = KnifeExample();
    nothing.delta.reset();
    nothing.large.reset();
    nothing.small.reset();
    const QString bare = LRPseudoCode(nothing);
    EXPECT_EQ(Removed(knife, Lines(bare)).size(), 6);
    EXPECT_TRUE(bare.endsWith(":) "));

    const QStringList rough = Lines(TFPseudoCode(RoughExample()));
    TFPseudoCodeValues noMoves = RoughExample();
    noMoves.oblateMove.reset();
    noMoves.roughDelta.reset();
    EXPECT_EQ(Removed(rough, Lines(TFPseudoCode(noMoves))), QStringList({rough[4], rough[12]}));
}

TEST(PseudoCode, DistancesAreShortestDecimalText) {
    TFPseudoCodeValues v = RoughExample();
    v.stepSize = 0.0001;
    v.oblateMove = 3;  // 0.00030000000000000003 in binary
    EXPECT_EQ(Lines(TFPseudoCode(v))[4],
              "         Move Knife Towards Mirror 0.0003 {or 3 Half-Steps");
}
