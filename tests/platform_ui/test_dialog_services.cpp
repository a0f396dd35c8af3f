#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "platform/ui/FileDialog.h"
#include "platform/ui/MsgBox.h"

namespace {

class DialogServicesTest : public ::testing::Test {
  protected:
    void TearDown() override {
        MsgBoxService::SetScript(nullptr);
        MsgBoxService::ClearHistory();
        FileDialogService::SetScript(nullptr);
        FileDialogService::ClearHistory();
    }
};

TEST_F(DialogServicesTest, ScriptedMessageBoxAnswersAndRecordsEveryRequest) {
    QList<MsgResult> answers{MsgResult::Cancel, MsgResult::OK};
    MsgBoxService::SetScript([&](const MsgBoxRequest&) { return answers.takeFirst(); });

    EXPECT_EQ(MsgBox("Please setup zones first ;)"), MsgResult::Cancel);
    EXPECT_EQ(MsgBox("Overwrite?", MsgButtons::OKCancel, MsgIcon::Exclamation, "File Warning!", 1),
              MsgResult::OK);

    const QList<MsgBoxRequest>& history = MsgBoxService::History();
    ASSERT_EQ(history.size(), 2);
    EXPECT_EQ(history[0].text, QStringLiteral("Please setup zones first ;)"));
    EXPECT_EQ(history[0].buttons, MsgButtons::OK);
    EXPECT_EQ(history[0].icon, MsgIcon::None);
    EXPECT_TRUE(history[0].title.isEmpty());
    EXPECT_EQ(history[1].title, QStringLiteral("File Warning!"));
    EXPECT_EQ(history[1].buttons, MsgButtons::OKCancel);
    EXPECT_EQ(history[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(history[1].defaultButton, 1);

    MsgBoxService::ClearHistory();
    EXPECT_TRUE(MsgBoxService::History().isEmpty());
}

// Runs `answer` on the message box once it is open (polling, so a box that opens
// late is still found); a box that never appears ends the wait after 5 s.
void WhenBoxOpens(std::function<void(QMessageBox*)> answer, int triesLeft = 500) {
    QTimer::singleShot(10, [answer = std::move(answer), triesLeft]() mutable {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            answer(box);
            if (box->isVisible()) box->reject();  // an answer that failed its checks
        } else if (triesLeft > 0) {
            WhenBoxOpens(std::move(answer), triesLeft - 1);
        } else {
            ADD_FAILURE() << "no message box opened";
        }
    });
}

// What the real box showed, read while it was open.
struct SeenBox {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    QWidget* parent = nullptr;
};

TEST_F(DialogServicesTest, RealBoxShowsIconTitleAndDefaultButtonOverTheActiveWindow) {
    QWidget owner;
    owner.show();
    QApplication::setActiveWindow(&owner);
    SeenBox seen;
    WhenBoxOpens([&seen](QMessageBox* box) {
        seen.text = box->text();
        seen.title = box->windowTitle();
        seen.icon = box->icon();
        seen.buttons = int(box->buttons().size());
        seen.parent = box->parentWidget();
        ASSERT_NE(box->defaultButton(), nullptr);
        box->defaultButton()->click();
    });
    const MsgResult result =
        MsgBox("Really?", MsgButtons::YesNoCancel, MsgIcon::Question, "HEY!", 1);
    EXPECT_EQ(result, MsgResult::No);
    EXPECT_EQ(seen.text, QStringLiteral("Really?"));
    EXPECT_EQ(seen.title, QStringLiteral("HEY!"));
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, 3);
    EXPECT_EQ(seen.parent, &owner);
    EXPECT_EQ(MsgBoxService::History().size(), 1);
}

TEST_F(DialogServicesTest, RealBoxOutOfRangeDefaultFallsBackToTheFirstButton) {
    WhenBoxOpens([](QMessageBox* box) {
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        ASSERT_NE(box->defaultButton(), nullptr);
        box->defaultButton()->click();
    });
    EXPECT_EQ(MsgBox("Oops", MsgButtons::RetryCancel, MsgIcon::Critical, "Ooops", 7),
              MsgResult::Retry);

    WhenBoxOpens([](QMessageBox* box) {
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        box->reject();  // Escape
    });
    EXPECT_EQ(MsgBox("Go on?", MsgButtons::OKCancel, MsgIcon::Exclamation), MsgResult::Cancel);
}

TEST_F(DialogServicesTest, ScriptedFileDialogAnswersAndRecordsEveryRequest) {
    FileDialogService::SetScript([](const FileDialogRequest& request) {
        return request.kind == FileDialogRequest::Kind::PickFolder ? QStringLiteral("/data/results")
                                                                   : QString();
    });
    FileDialogRequest open;
    open.title = QStringLiteral("Open mirror");
    open.initialDir = QStringLiteral("/data");
    open.filter = QStringLiteral("Mirror files (*.ini)");
    EXPECT_TRUE(ShowFileDialog(open).isEmpty());  // Cancel

    FileDialogRequest folder;
    folder.kind = FileDialogRequest::Kind::PickFolder;
    EXPECT_EQ(ShowFileDialog(folder), QStringLiteral("/data/results"));

    const QList<FileDialogRequest>& history = FileDialogService::History();
    ASSERT_EQ(history.size(), 2);
    EXPECT_EQ(history[0].kind, FileDialogRequest::Kind::OpenFile);
    EXPECT_EQ(history[0].title, QStringLiteral("Open mirror"));
    EXPECT_EQ(history[0].initialDir, QStringLiteral("/data"));
    EXPECT_EQ(history[0].filter, QStringLiteral("Mirror files (*.ini)"));
    EXPECT_EQ(history[1].kind, FileDialogRequest::Kind::PickFolder);
    FileDialogService::ClearHistory();
    EXPECT_TRUE(FileDialogService::History().isEmpty());
}

}  // namespace
