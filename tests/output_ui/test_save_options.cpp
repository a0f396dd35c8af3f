// The Save Data Options dialog.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "output/ui/SaveOptions.h"
#include "platform/ProgramFolder.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MsgBox.h"

namespace {

struct StateHost : SaveOptionsHost {
    TestState& State() override { return state; }
    TestState state;
};

class SaveOptionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        SetAppPath(folder.path());
        MsgBoxService::SetScript([this](const MsgBoxRequest&) { return answers.takeFirst(); });
        MsgBoxService::ClearHistory();
        FileDialogService::SetScript([this](const FileDialogRequest&) {
            return choices.isEmpty() ? QString() : choices.takeFirst();
        });
        FileDialogService::ClearHistory();
        TestState& s = host.state;
        s.FigurePath = "/opt/figure";
        s.Sixtestspath = "/opt/six";
        s.textpath = "/home/me/TestResults";
        s.Savefigure = true;
        s.LaunchSixtests = true;
        s.Launch3d = true;
        s.Savetext = true;
        d = std::make_unique<SaveOptions>(host);
        d->Form_Load();
    }
    void TearDown() override {
        FileDialogService::SetScript(nullptr);
        MsgBoxService::SetScript(nullptr);
    }

    static std::tuple<QString, QString, QString, bool, bool, bool, bool, bool, bool> Nine(
        const TestState& s) {
        return {s.FigurePath, s.Sixtestspath, s.textpath,       s.Savefigure, s.SaveSixtests,
                s.Savetext,   s.LaunchFigure, s.LaunchSixtests, s.Launch3d};
    }

    QTemporaryDir folder;
    StateHost host;
    std::unique_ptr<SaveOptions> d;
    QList<MsgResult> answers;
    QStringList choices;
};

}  // namespace

TEST_F(SaveOptionsTest, OkStoresTheNineValuesAndCancelNothing) {
    EXPECT_EQ(d->Figure->text(), "/opt/figure");
    EXPECT_TRUE(d->ChkLaunch3d->isChecked());
    const auto before = Nine(host.state);
    d->OKButton->click();
    EXPECT_TRUE(d->Unloaded());
    EXPECT_EQ(Nine(host.state), before);

    SaveOptions again(host);
    again.Form_Load();
    again.Figure->setText("/elsewhere");
    again.chktext->setChecked(false);
    again.CancelButton->click();
    EXPECT_EQ(Nine(host.state), before);
}

TEST_F(SaveOptionsTest, OkRemovesOneTrailingSeparatorButKeepsTheRoot) {
    d->Figure->setText("/opt/fig/");
    d->SixTests->setText("/opt/six//");
    d->textpath->setText("/");
    d->ChkLaunch3d->setChecked(false);
    d->OKButton->click();
    EXPECT_EQ(host.state.FigurePath, "/opt/fig");
    EXPECT_EQ(host.state.Sixtestspath, "/opt/six/");
    EXPECT_EQ(host.state.textpath, "/");
    EXPECT_FALSE(host.state.Launch3d);
}

TEST_F(SaveOptionsTest, BrowsingForAProgramTakesItsFolder) {
    // Cancelled: the text stays.
    d->Command1->click();
    EXPECT_EQ(d->Figure->text(), "/opt/figure");
    const FileDialogRequest request = FileDialogService::History().value(0);
    EXPECT_EQ(request.kind, FileDialogRequest::Kind::OpenFile);
    EXPECT_EQ(request.title, "Select Figure45.exe then click OPEN");
    EXPECT_TRUE(request.filter.contains("(*)"));  // native programs and scripts show too

    choices = {"/usr/local/figure45/figure45.exe"};
    d->Command1->click();
    EXPECT_EQ(d->Figure->text(), "/usr/local/figure45");

    // A folder is no program: the message asks again (OK) or gives up (Cancel).
    choices = {folder.path(), "/srv/sixtests/sixtests"};
    answers = {MsgResult::OK};
    d->Command2->click();
    EXPECT_EQ(d->SixTests->text(), "/srv/sixtests");
    ASSERT_EQ(MsgBoxService::History().size(), 1);
    EXPECT_TRUE(MsgBoxService::History()[0].text.startsWith("The Selection " + folder.path()));
    choices = {"/srv/"};
    answers = {MsgResult::Cancel};
    d->Command2->click();
    EXPECT_EQ(d->SixTests->text(), "/srv/sixtests");
    EXPECT_EQ(FileDialogService::History().last().title, "Select Sixtest.exe and click OPEN");
}

TEST_F(SaveOptionsTest, BrowsingForTheResultFolderPicksAFolder) {
    d->Command3->click();
    EXPECT_EQ(d->textpath->text(), "/home/me/TestResults");
    const FileDialogRequest request = FileDialogService::History().value(0);
    EXPECT_EQ(request.kind, FileDialogRequest::Kind::PickFolder);
    EXPECT_EQ(request.title, "Select a Directory to Save Text Data");
    EXPECT_EQ(request.initialDir, folder.path());
    choices = {"/data/mirrors"};
    d->Command3->click();
    EXPECT_EQ(d->textpath->text(), "/data/mirrors");
    EXPECT_EQ(host.state.textpath, "/home/me/TestResults");
}
