#include <gtest/gtest.h>

#include "MirrorTestFolder.h"
#include "common/TestData.h"
#include "mirror/MirrorEditor.h"
#include "mirror/MirrorName.h"

namespace {

MirrorEditorFields Good() {
    MirrorEditorFields f;
    f.NName = "Newt 10";
    f.Ndiam = "10";
    f.NRoc = "100";
    f.NCC = "-1";
    f.Nobst = "1.5";
    f.NNZ = "8";
    f.NSeries = "0";
    return f;
}

QStringList Titles(const MirrorSpecsCheck& check) {
    QStringList titles;
    for (const MsgBoxRequest& m : check.messages) titles.append(m.title);
    return titles;
}

EditorAsk Answer(MsgResult answer) {
    return [answer](const MsgBoxRequest&) { return answer; };
}

}  // namespace

class MirrorEditorTest : public MirrorFolderTest {};

TEST_F(MirrorEditorTest, AcceptedFieldsGiveTheProfileAndItsLines) {
    MirrorEditorFields f = Good();
    f.Ndiam = "2";
    f.NNZ = "16";
    f.NSeries = "4";
    const MirrorSpecsCheck check = CheckMirrorSpecs(f, false, false, Answer(MsgResult::OK));
    ASSERT_EQ(check.outcome, MirrorSpecsOutcome::Accepted);
    EXPECT_TRUE(check.messages.isEmpty());
    EXPECT_EQ(check.lines, QStringList({"Newt 10", "2", "100", "-1", "1.5", "16", "5"}));
    EXPECT_EQ(check.profile.NZ, 16);
    EXPECT_EQ(check.profile.WorkNum, 5);
    EXPECT_EQ(check.profile.MirDiam, 2);

    // Written and opened again, "Tests Ran to Date" shows 4 again.
    ASSERT_TRUE(WriteMirrorProfile(check.profile.WorkFile, check.lines));
    const auto opened = OpenProfileForEditor(Root() + "/mirrors/Newt 10.ini", MirrorEditorFields());
    ASSERT_TRUE(opened.has_value());
    EXPECT_EQ(opened->NSeries, "4");
    EXPECT_EQ(opened->NNZ, "16");
    EXPECT_EQ(opened->NName, "Newt 10");
}

TEST_F(MirrorEditorTest, ZoneTextsRoundHalvesToEvenButAreWrittenAsTyped) {
    MirrorEditorFields f = Good();
    for (const auto& [typed, zones] : {std::pair{"15.5", 16}, {"2.5", 2}, {"8.0", 8}}) {
        f.NNZ = typed;
        const MirrorSpecsCheck check = CheckMirrorSpecs(f, false, false, nullptr);
        ASSERT_EQ(check.outcome, MirrorSpecsOutcome::Accepted) << typed;
        EXPECT_EQ(check.profile.NZ, zones) << typed;
        EXPECT_EQ(check.lines[5], typed);
    }
}

TEST_F(MirrorEditorTest, EachBadFieldShowsItsMessage) {
    struct Case {
        QString MirrorEditorFields::*field;
        const char* text;
        const char* title;
    };
    const Case cases[] = {
        {&MirrorEditorFields::Ndiam, "1.99", "Diameter Error"},
        {&MirrorEditorFields::Ndiam, "ten", "Diameter error!"},
        {&MirrorEditorFields::NRoc, "1", "ROC Error"},
        {&MirrorEditorFields::NRoc, "", "ROC Error!"},
        {&MirrorEditorFields::NCC, "x", "Deformation Constant error!"},
        {&MirrorEditorFields::Nobst, "-0.1", "You Wish!"},
        {&MirrorEditorFields::Nobst, "1,5", "Obstruction Error!"},
        {&MirrorEditorFields::NNZ, "1", "Zone Error!"},
        {&MirrorEditorFields::NNZ, "17", "Zone Error!"},
        {&MirrorEditorFields::NNZ, "8\n9", "Zone Error!"},
        {&MirrorEditorFields::NSeries, "", "Tests Ran Error"},
        {&MirrorEditorFields::NSeries, "1e20", "Tests Ran Error"},
    };
    for (const Case& c : cases) {
        MirrorEditorFields f = Good();
        f.*c.field = c.text;
        const MirrorSpecsCheck check = CheckMirrorSpecs(f, false, false, nullptr);
        EXPECT_EQ(check.outcome, MirrorSpecsOutcome::Refused) << c.text;
        EXPECT_EQ(Titles(check), QStringList({c.title})) << c.text;
    }
    // An obstruction wider than the mirror is accepted.
    MirrorEditorFields wide = Good();
    wide.Nobst = "12";
    EXPECT_EQ(CheckMirrorSpecs(wide, false, false, nullptr).outcome, MirrorSpecsOutcome::Accepted);
}

TEST_F(MirrorEditorTest, NameChecks) {
    MirrorEditorFields f = Good();
    f.NName = "a/b*c";
    f.Ndiam = "1";
    MirrorSpecsCheck check = CheckMirrorSpecs(f, false, false, nullptr);
    EXPECT_EQ(check.outcome, MirrorSpecsOutcome::Refused);
    EXPECT_EQ(Titles(check),
              QStringList({"Illegal Characters!", "Illegal Characters!", "Diameter Error"}));
    EXPECT_EQ(check.messages[0].text, "Name may not contain /\\:*?<>|!");

    f = Good();
    f.NName = "";
    f.NRoc = "0.5";
    check = CheckMirrorSpecs(f, false, false, nullptr);
    EXPECT_EQ(Titles(check), QStringList({"Naming Error!", "ROC Error"}));
    EXPECT_EQ(check.messages[0].text, "How about a Name for this info :)");

    // Empty name while leaving with "Exit or Cancel": silent, whatever else is wrong.
    check = CheckMirrorSpecs(f, true, true, nullptr);
    EXPECT_EQ(check.outcome, MirrorSpecsOutcome::LeftSilently);
    EXPECT_TRUE(check.messages.isEmpty());

    for (const QString& name : {QString(".."), QString(5000, 'x')}) {
        f = Good();
        f.NName = name;
        check = CheckMirrorSpecs(f, false, false, nullptr);
        EXPECT_EQ(check.outcome, MirrorSpecsOutcome::Refused);
        EXPECT_EQ(Titles(check), QStringList({"Naming Error!"}));
    }
}

TEST_F(MirrorEditorTest, OverwriteQuestionForAnExistingProfile) {
    Put("mirrors/newt 10.ini", "old\r\n");
    MirrorEditorFields f = Good();
    f.NRoc = "1";
    MirrorSpecsCheck check = CheckMirrorSpecs(f, false, false, Answer(MsgResult::Cancel));
    EXPECT_EQ(check.outcome, MirrorSpecsOutcome::Refused);
    ASSERT_EQ(Titles(check), QStringList({"File Warning!", "ROC Error"}));
    EXPECT_EQ(check.messages[0].text, "File Exists! Overwrite file?");
    EXPECT_EQ(check.messages[0].buttons, MsgButtons::OKCancel);
    EXPECT_EQ(check.messages[0].defaultButton, 1);

    f = Good();
    EXPECT_EQ(CheckMirrorSpecs(f, false, false, Answer(MsgResult::Cancel)).outcome,
              MirrorSpecsOutcome::Refused);
    EXPECT_EQ(CheckMirrorSpecs(f, false, false, Answer(MsgResult::OK)).outcome,
              MirrorSpecsOutcome::Accepted);
    // An opened profile is saved without asking, also when cancelling.
    check = CheckMirrorSpecs(f, true, true, Answer(MsgResult::Cancel));
    EXPECT_EQ(check.outcome, MirrorSpecsOutcome::Accepted);
    EXPECT_TRUE(check.messages.isEmpty());
}

TEST_F(MirrorEditorTest, OpeningKeepsFieldsTheFileLacks) {
    MirrorEditorFields current = Good();
    current.NSeries = "9";
    Put("mirrors/six.ini", "Six\r\n8\r\n64\r\n-1\r\n0\r\n5\r\n");
    const auto six = OpenProfileForEditor(Root() + "/mirrors/six.ini", current);
    ASSERT_TRUE(six.has_value());
    EXPECT_EQ(six->NName, "Six");
    EXPECT_EQ(six->NNZ, "5");
    EXPECT_EQ(six->NSeries, "9");
    EXPECT_FALSE(OpenProfileForEditor(Root() + "/mirrors/none.ini", current).has_value());
}

TEST_F(MirrorEditorTest, ValuesWithoutAZoneTableAreRefusedByTheChecks) {
    Put("mirrors/Ed.ini", TestDataFile("findings/editor-obstruction.ini"));
    const auto opened = OpenProfileForEditor(Root() + "/mirrors/Ed.ini", MirrorEditorFields());
    ASSERT_TRUE(opened.has_value());
    EXPECT_EQ(opened->Nobst, "1.1e308");
    const MirrorSpecsCheck check = CheckMirrorSpecs(*opened, true, false, nullptr);
    EXPECT_EQ(check.outcome, MirrorSpecsOutcome::Refused);
    EXPECT_EQ(Titles(check), QStringList{"Zone Error!"});

    MirrorEditorFields f = Good();
    f.Ndiam = "1e200";  // the perfect readings overflow
    EXPECT_EQ(CheckMirrorSpecs(f, false, false, nullptr).outcome, MirrorSpecsOutcome::Refused);
}

TEST_F(MirrorEditorTest, AcceptedProfilesReadBackAsChecked) {
    MirrorEditorFields f = Good();
    // "Tests Ran to Date" + 1 is written as 0.5, which the reader takes as 0.
    for (const auto& [tests, next] :
         {std::pair{"-0.4999999999999999", 0}, {"2147483645", 2147483646}}) {
        f.NSeries = tests;
        const MirrorSpecsCheck check = CheckMirrorSpecs(f, false, false, nullptr);
        ASSERT_EQ(check.outcome, MirrorSpecsOutcome::Accepted) << tests;
        EXPECT_EQ(check.profile.WorkNum, next);
        const ProfileLoad load = ParseMirrorProfile(check.lines);
        ASSERT_TRUE(load.ok) << load.reason.toStdString();
        EXPECT_EQ(load.profile.WorkNum, check.profile.WorkNum);
    }
    f.NSeries = "2147483646";  // one more could not be counted
    EXPECT_EQ(CheckMirrorSpecs(f, false, false, nullptr).outcome, MirrorSpecsOutcome::Refused);
}

TEST_F(MirrorEditorTest, NamesThatAreNotPlainTextAreRefused) {
    // Bytes that decode to unpaired UTF-16 surrogates and to U+FFFD.
    const QByteArray utf16 = TestDataFile("findings/mirrorname-lone-surrogate.bin").mid(1);
    const QString lone(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
    const QString replaced = QString::fromUtf8(TestDataFile("findings/recent-fffd.bin").mid(1, 12));
    ASSERT_TRUE(replaced.contains(QChar::ReplacementCharacter));
    for (const QString& name :
         {lone, replaced, QString("Jim") + QChar(0xD800), QString("A") + QChar(0xFFFF),
          QString(QChar(0xFEFF)) + "Jim", QString(QChar(0xDC00)) + "B"}) {
        MirrorEditorFields f = Good();
        f.NName = name;
        const MirrorSpecsCheck check = CheckMirrorSpecs(f, false, false, nullptr);
        EXPECT_EQ(check.outcome, MirrorSpecsOutcome::Refused);
        EXPECT_EQ(Titles(check), QStringList{"Naming Error!"});
        EXPECT_TRUE(WriteMirrorProfile(name, {name}) == false);
    }
    // A character outside the basic plane, as a surrogate pair, is a name.
    EXPECT_TRUE(IsValidProfileName(QString("Newt ") + QString::fromUcs4(U"\U0001F52D")));
    EXPECT_TRUE(IsValidProfileName(QString::fromUtf8("Miroir t\xc3\xa9")));
}
