#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "mirror/ui/frmEdit.h"
#include "mirror_ui_fixture.h"

namespace {

struct Entry {
    QString name = QStringLiteral("Newt");
    QString diam = QStringLiteral("8");
    QString roc = QStringLiteral("96");
    QString cc = QStringLiteral("-1");
    QString obst = QStringLiteral("0");
    QString zones = QStringLiteral("4");
    QString tests = QStringLiteral("0");
};

void Fill(frmEdit& e, const Entry& entry) {
    e.NName->setText(entry.name);
    e.Ndiam->setText(entry.diam);
    e.NRoc->setText(entry.roc);
    e.NCC->setText(entry.cc);
    e.Nobst->setText(entry.obst);
    e.NNZ->setText(entry.zones);
    e.NSeries->setText(entry.tests);
}

QStringList Titles(const QList<MsgBoxRequest>& messages) {
    QStringList titles;
    for (const MsgBoxRequest& m : messages) titles.append(m.title);
    return titles;
}

}  // namespace

class EditorTest : public MirrorWindowTest {
  protected:
    void SetUp() override {
        MirrorWindowTest::SetUp();
        w = std::make_unique<frmMain>();
        e = new frmEdit(*w, w.get());
        e->Form_Load();
    }
    void TearDown() override {
        w.reset();
        MirrorWindowTest::TearDown();
    }

    // Applies these entries as the user would: fields, then "Apply".
    void ApplyEntry(const Entry& entry) {
        Fill(*e, entry);
        e->Apply->click();
    }

    bool Written(const QString& name) const { return QFile::exists(ProfilePath(name)); }

    std::unique_ptr<frmMain> w;
    frmEdit* e = nullptr;
};

TEST_F(EditorTest, OpensEmptyAndCentred) {
    EXPECT_TRUE(e->windowTitle().isEmpty());
    for (QLineEdit* field : {e->NName, e->Ndiam, e->NRoc, e->Nobst, e->NNZ, e->NSeries})
        EXPECT_TRUE(field->text().isEmpty()) << field->objectName().toStdString();
    EXPECT_EQ(e->NCC->text(), "-1");
    EXPECT_FALSE(e->IsProfileOpened());
    EXPECT_FALSE(e->IsCancelling());
    EXPECT_EQ(e->Command1->text(), "Open Existing File");
    EXPECT_EQ(e->Apply->text(), "Apply");
    EXPECT_EQ(e->Command2->text(), "OK");
    EXPECT_EQ(e->CancelButton->text(), "Exit or Cancel");
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(e->x(), area.left() + (area.width() - e->width()) / 2);
    EXPECT_EQ(e->y(), area.top() + (area.height() - e->height()) / 2);
}

TEST_F(EditorTest, ApplyWritesTheProfileAndMakesItCurrent) {
    SetList(*w, {"Old1", "Old2"});
    Entry entry;
    entry.diam = "2";
    entry.zones = "16";
    entry.tests = "4";
    ApplyEntry(entry);

    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(FileBytes(ProfilePath("Newt")), "Newt\r\n2\r\n96\r\n-1\r\n0\r\n16\r\n5\r\n");
    EXPECT_EQ(w->WorkFile, "Newt");
    EXPECT_EQ(w->MirDiam, 2);
    EXPECT_EQ(w->NZ, 16);
    EXPECT_EQ(w->WorkNum, 5);
    EXPECT_TRUE(w->ZoneOn);
    EXPECT_TRUE(w->Command5->isEnabled());
    EXPECT_TRUE(w->Text2->toPlainText().contains("\n16\t"));
    EXPECT_EQ(Shown(*w), QStringList({"Newt", "Old1", "Old2"}));
    EXPECT_FALSE(e->Unloaded());

    // Opening the file later shows the tests run so far again.
    FileDialogService::SetScript([this](const FileDialogRequest&) { return ProfilePath("Newt"); });
    frmEdit again(*w, w.get());
    again.Command1->click();
    ASSERT_EQ(FileDialogService::History().size(), 1);
    EXPECT_EQ(FileDialogService::History()[0].kind, FileDialogRequest::Kind::OpenFile);
    EXPECT_EQ(FileDialogService::History()[0].initialDir, MirrorsPath());
    EXPECT_TRUE(FileDialogService::History()[0].filter.isEmpty());
    EXPECT_EQ(again.NName->text(), "Newt");
    EXPECT_EQ(again.NNZ->text(), "16");
    EXPECT_EQ(again.NSeries->text(), "4");
    EXPECT_TRUE(again.IsProfileOpened());
}

TEST_F(EditorTest, ZoneTextsRoundHalvesToEvenAndAreWrittenAsTyped) {
    Entry entry;
    entry.zones = "15.5";
    ApplyEntry(entry);
    EXPECT_EQ(w->NZ, 16);
    EXPECT_TRUE(FileBytes(ProfilePath("Newt")).contains("\r\n15.5\r\n"));

    entry.name = "Other";
    entry.zones = "2.5";
    ApplyEntry(entry);
    EXPECT_EQ(w->NZ, 2);
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(EditorTest, RefusedValuesShowTheirMessagesAndWriteNothing) {
    struct Case {
        const char* label;
        void (*change)(Entry&);
        const char* text;
        const char* title;
    };
    const Case cases[] = {
        {"diameter 1.99", [](Entry& x) { x.diam = "1.99"; }, "Mirror must be greater than 2!",
         "Diameter Error"},
        {"diameter text", [](Entry& x) { x.diam = "eight"; }, "Improper format in mirror diameter!",
         "Diameter error!"},
        {"ROC 1", [](Entry& x) { x.roc = "1"; }, "Roc Must be > 1", "ROC Error"},
        {"obstruction -0.1", [](Entry& x) { x.obst = "-0.1"; },
         "Your secondary has a Negative value?", "You Wish!"},
        {"1 zone", [](Entry& x) { x.zones = "1"; }, nullptr, "Zone Error!"},
        {"17 zones", [](Entry& x) { x.zones = "17"; }, nullptr, "Zone Error!"},
        {"cc text", [](Entry& x) { x.cc = ""; }, "Improper format in Deformation entry!",
         "Deformation Constant error!"},
        {"tests text", [](Entry& x) { x.tests = "four"; },
         "Improper format in Number of Tests Run!", "Tests Ran Error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        MsgBoxService::ClearHistory();
        Entry entry;
        c.change(entry);
        ApplyEntry(entry);
        ASSERT_EQ(Messages().size(), 1);
        if (c.text) {
            EXPECT_EQ(Messages()[0].text, c.text);
        }
        EXPECT_EQ(Messages()[0].title, c.title);
        EXPECT_FALSE(Written("Newt"));
        EXPECT_FALSE(w->ZoneOn);
        EXPECT_TRUE(w->WorkFile.isEmpty());
        EXPECT_TRUE(Shown(*w).isEmpty());
    }
}

TEST_F(EditorTest, IllegalCharactersNeverReachTheFileSystem) {
    Entry entry;
    entry.name = "a/b*c";
    entry.diam = "1";
    ApplyEntry(entry);
    EXPECT_EQ(Titles(Messages()),
              QStringList({"Illegal Characters!", "Illegal Characters!", "Diameter Error"}));
    EXPECT_EQ(Messages()[0].text, "Name may not contain /\\:*?<>|!");
    EXPECT_FALSE(QDir(MirrorsPath()).exists());
    EXPECT_FALSE(QFile::exists(folder.filePath("a")));

    // A name too long for a file name is refused, not cut.
    MsgBoxService::ClearHistory();
    Entry longName;
    longName.name = QString(5000, QLatin1Char('n'));
    ApplyEntry(longName);
    EXPECT_EQ(Titles(Messages()), QStringList({"Naming Error!"}));
    EXPECT_FALSE(QDir(MirrorsPath()).exists());
    EXPECT_FALSE(w->ZoneOn);
}

TEST_F(EditorTest, EmptyNameWithOkRunsTheOtherChecksAndCloses) {
    Entry entry;
    entry.name = "";
    entry.obst = "x";
    Fill(*e, entry);
    e->Command2->click();
    EXPECT_EQ(Titles(Messages()), QStringList({"Naming Error!", "Obstruction Error!"}));
    EXPECT_EQ(Messages()[0].text, "How about a Name for this info :)");
    EXPECT_TRUE(e->Unloaded());
    EXPECT_FALSE(QDir(MirrorsPath()).exists());
}

TEST_F(EditorTest, ExitOrCancelAfterOpeningSavesUnlessTheNameIsEmpty) {
    PutProfile("Newt", {"Newt", "8", "96", "-1", "0", "4", "3"});
    FileDialogService::SetScript([this](const FileDialogRequest&) { return ProfilePath("Newt"); });
    e->Command1->click();
    ASSERT_TRUE(e->IsProfileOpened());
    e->NName->clear();
    e->CancelButton->click();
    EXPECT_TRUE(e->IsCancelling());
    EXPECT_TRUE(e->Unloaded());
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(FileBytes(ProfilePath("Newt")), "Newt\r\n8\r\n96\r\n-1\r\n0\r\n4\r\n3\r\n");
    EXPECT_FALSE(w->ZoneOn);

    // With the name kept, leaving saves the edited profile without asking.
    frmEdit second(*w, w.get());
    second.Command1->click();
    second.NNZ->setText("6");
    second.CancelButton->click();
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(FileBytes(ProfilePath("Newt")), "Newt\r\n8\r\n96\r\n-1\r\n0\r\n6\r\n3\r\n");
    EXPECT_EQ(w->NZ, 6);
    EXPECT_TRUE(w->ZoneOn);

    // Without opening a file, leaving saves nothing and says nothing.
    frmEdit third(*w, w.get());
    Entry entry;
    entry.name = "Unsaved";
    Fill(third, entry);
    third.CancelButton->click();
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_FALSE(Written("Unsaved"));

    // A name changed to that of another existing profile asks before replacing
    // it; Cancel keeps that profile.
    PutProfile("Other", {"Other", "6", "48", "-1", "0", "4", "7"});
    const QByteArray other = FileBytes(ProfilePath("Other"));
    MsgBoxService::SetScript([](const MsgBoxRequest&) { return MsgResult::Cancel; });
    frmEdit fourth(*w, w.get());
    fourth.Command1->click();
    fourth.NName->setText("other");
    fourth.CancelButton->click();
    EXPECT_EQ(Titles(Messages()), QStringList{"File Warning!"});
    EXPECT_EQ(FileBytes(ProfilePath("Other")), other);
}

TEST_F(EditorTest, OverwriteQuestionComesFirstAndCancelKeepsTheFile) {
    PutProfile("Newt", {"Newt", "8", "96", "-1", "0", "4", "3"});
    const QByteArray before = FileBytes(ProfilePath("Newt"));
    MsgBoxService::SetScript([](const MsgBoxRequest& r) {
        return r.buttons == MsgButtons::OKCancel ? MsgResult::Cancel : MsgResult::OK;
    });
    Entry entry;
    entry.roc = "1";
    ApplyEntry(entry);
    ASSERT_EQ(Titles(Messages()), QStringList({"File Warning!", "ROC Error"}));
    EXPECT_EQ(Messages()[0].text, "File Exists! Overwrite file?");
    EXPECT_EQ(Messages()[0].buttons, MsgButtons::OKCancel);
    EXPECT_EQ(Messages()[0].defaultButton, 1);
    EXPECT_EQ(FileBytes(ProfilePath("Newt")), before);

    // OK overwrites; the next apply of the same name asks again.
    MsgBoxService::ClearHistory();
    MsgBoxService::SetScript([](const MsgBoxRequest&) { return MsgResult::OK; });
    ApplyEntry(Entry());
    ApplyEntry(Entry());
    EXPECT_EQ(Titles(Messages()), QStringList({"File Warning!", "File Warning!"}));
    EXPECT_EQ(FileBytes(ProfilePath("Newt")), "Newt\r\n8\r\n96\r\n-1\r\n0\r\n4\r\n1\r\n");
    // Saved twice: the name stands twice on top until the next choice from the list.
    EXPECT_EQ(Shown(*w), QStringList({"Newt", "Newt"}));
}

TEST_F(EditorTest, FailedWriteIsReportedAndTheMirrorStillBecomesCurrent) {
    // A file where the mirrors folder should be.
    ASSERT_TRUE(WriteTextLines(MirrorsPath(), {"not a folder"}));
    ApplyEntry(Entry());
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages()[0].title, "File Warning!");
    EXPECT_EQ(Messages()[0].text, "The mirror profile could not be saved as:\r\n" +
                                      ProfilePath("Newt") + "\r\nNot a directory");
    EXPECT_TRUE(w->ZoneOn);
    EXPECT_EQ(Shown(*w), QStringList({"Newt"}));
}

TEST_F(EditorTest, ValuesTooLargeForAZoneTableAreRefused) {
    Entry entry;
    entry.diam = "1e300";
    entry.roc = "1e300";
    entry.obst = "1e300";
    ApplyEntry(entry);
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages()[0].title, "Zone Error!");
    EXPECT_FALSE(Written("Newt"));
    EXPECT_FALSE(w->ZoneOn);
    EXPECT_TRUE(w->WorkFile.isEmpty());
}

TEST_F(EditorTest, MenuOpensTheEditorModally) {
    bool seen = false;
    QTimer::singleShot(0, w.get(), [&seen] {
        auto* editor = qobject_cast<frmEdit*>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        seen = editor->isModal() && editor->parent() != nullptr;
        editor->CancelButton->click();
    });
    w->mnuEditMirror_Click();
    EXPECT_TRUE(seen);
    // The editor is gone once the command returns; only the test's own one is left.
    EXPECT_EQ(w->findChildren<frmEdit*>().size(), 1);
}
