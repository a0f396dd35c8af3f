#include <gtest/gtest.h>

#include <QStringList>

#include "autotest/PseudoCode.h"

namespace {

LRPseudoCodeValues Knife() {
    return {4, 70, 40, 10, 6, 1, 0.000125};
}

TFPseudoCodeValues Rough() {
    return {15, 15, 40, 20, 16, 0.000125};
}

QStringList Lines(const QString& text) {
    return text.split(QStringLiteral("\r\n"));
}

// The lines of `all` missing from `some`; `some` must keep the others in order.
QStringList LeftOut(const QStringList& all, const QStringList& some) {
    QStringList out;
    int j = 0;
    for (const QString& line : all)
        if (j < some.size() && some[j] == line)
            ++j;
        else
            out << line;
    EXPECT_EQ(j, some.size()) << "lines changed, not only left out";
    return out;
}

}  // namespace

TEST(PseudoCode, TheExamplesLineByLine) {
    const QString knife = LRPseudoCode(Knife());
    const QStringList k = Lines(knife);
    ASSERT_EQ(k.size(), 23);
    EXPECT_EQ(k[0], "If Frame Average > 4 Then");
    EXPECT_EQ(k[1], "   If Zone Intensity > 70 + 10 {Max + Delta} Then:");
    EXPECT_EQ(k[2], "      Cut Knife Into Return Beam 0.00075 {Or 6 Half-Steps}");
    EXPECT_EQ(k[16], "   If Zone Intensity < 40 {Min} Then:");
    EXPECT_EQ(k[17], "      Cut Knife Out of Return Beam 0.000125 {Or 1 Half-Steps}");
    EXPECT_EQ(k[21] + "|" + k[22],
              "End If ** If the code gets this far,|          ** Then its "
              "time to Rough Adust Distance from Mirror! :) ");
    EXPECT_EQ(knife.count('\n'), knife.count("\r\n"));

    const QString rough = TFPseudoCode(Rough());
    const QStringList r = Lines(rough);
    ASSERT_EQ(r.size(), 19);
    EXPECT_EQ(r[0], "   ***Assuming Knife On Right side of light source!***");
    EXPECT_EQ(r[1], "If Frame Average > 15 Then ");
    EXPECT_EQ(r[4], "         Move Knife Towards Mirror 0.005 {or 40 Half-Steps");
    EXPECT_EQ(r[16] + "|" + r[17], "   End IF| End If");
    EXPECT_EQ(r[18], "**** If we made it this far, then its time to Move onto Final Null Code!");
    EXPECT_EQ(rough.count('\n'), rough.count("\r\n"));
}

TEST(PseudoCode, AListWithoutSelectionLeavesOutExactlyItsSteps) {
    const QStringList k = Lines(LRPseudoCode(Knife()));
    LRPseudoCodeValues v = Knife();
    v.large.reset();
    EXPECT_EQ(LeftOut(k, Lines(LRPseudoCode(v))), QStringList({k[2], k[7]}));
    v = Knife();
    v.small.reset();
    EXPECT_EQ(LeftOut(k, Lines(LRPseudoCode(v))), QStringList({k[12], k[17]}));
    v.delta.reset();
    v.large.reset();
    EXPECT_TRUE(LRPseudoCode(v).endsWith(":) "));

    const QStringList r = Lines(TFPseudoCode(Rough()));
    TFPseudoCodeValues t = Rough();
    t.oblateMove.reset();
    t.roughDelta.reset();
    EXPECT_EQ(LeftOut(r, Lines(TFPseudoCode(t))), QStringList({r[4], r[12]}));
}
