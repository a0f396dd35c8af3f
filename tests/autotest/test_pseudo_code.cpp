#include <gtest/gtest.h>

#include <QStringList>

#include "autotest/PseudoCode.h"

namespace {

LRPseudoCodeValues Knife() {
    return {4, 70, 40, 10, 6, 1, 0.000125};
}

TFPseudoCodeValues Rough() {
    return {17, 15, 40, 20, 16, 0.000125};
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

TEST(PseudoCode, TheExamplesWordForWord) {
    const QString knife = LRPseudoCode(Knife());
    EXPECT_EQ(Lines(knife).join('\n').toStdString(),
              "If Frame Average > 4 Then\n"
              "   If Zone Intensity > 70 + 10 {Max + Delta} Then:\n"
              "      Cut Knife Into Return Beam 0.00075 {Or 6 Half-Steps}\n"
              "      Reset Current Frame Average to 1 and Start All Over!\n"
              "   End If\n"
              "\n"
              "   If Zone Intensity < 40 - 10 {Min - Delta} Then:\n"
              "      Cut Knife Out of Return Beam 0.00075 {Or 6 Half-Steps}\n"
              "      Reset Current Frame Average to 1 and Start All Over!\n"
              "   End If\n"
              "\n"
              "   If Zone Intensity > 70 {Max} Then:\n"
              "      Cut Knife Into Return Beam 0.000125 {Or 1 Half-Steps}\n"
              "      Reset Current Frame Average to 1 and Start All Over!\n"
              "   End If\n"
              "\n"
              "   If Zone Intensity < 40 {Min} Then:\n"
              "      Cut Knife Out of Return Beam 0.000125 {Or 1 Half-Steps}\n"
              "      Reset Current Frame Average to 1 and Start All Over!\n"
              "   End If\n"
              "\n"
              "End If ** If the code gets this far,\n"
              "          ** Then its time to Rough Adust Distance from Mirror! :) ");
    EXPECT_EQ(knife.count('\n'), knife.count("\r\n"));

    const QString rough = TFPseudoCode(Rough());
    EXPECT_EQ(Lines(rough).join('\n').toStdString(),
              "   ***Assuming Knife On Right side of light source!***\n"
              "If Frame Average > 17 Then \n"
              "   If Found_Oblate = False Then:\n"
              "      If Left Zone Value > Right Zone Value + 15 Then:\n"
              "         Move Knife Towards Mirror 0.005 {or 40 Half-Steps\n"
              "         Reset Frame Average to 1 and Start Over!\n"
              "      Else\n"
              "          Found_Oblate = True\n"
              "      End If\n"
              "   End If\n"
              "\n"
              "   If Found_Oblate = True Then:\n"
              "      If Left Zone Value > Right Zone Value + 20 Then:\n"
              "         Move Knife Away From Mirror 0.002 {or 16 Half-Steps\n"
              "         Reset Frame Average to 1 and Start Over!\n"
              "      End If\n"
              "   End IF\n"
              " End If\n"
              "**** If we made it this far, then its time to Move onto Final Null Code!");
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
