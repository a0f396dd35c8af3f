#include <sys/stat.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include "app/ui/frmMain.h"
#include "app/ui/frmSplash.h"
#include "common/FullDisk.h"
#include "frmmain_fixture.h"
#include "setup_ui/ModalHelper.h"

namespace {

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void PutBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A good file whose later lines differ from what a failed load leaves.
QByteArray UsersSettings() {
    ControlSettings c;
    c.Maxdelay = 4321;
    c.Mnu[1] = "&1 Kept Mirror";
    TestState s;
    s.StepSize = s.LRStepSize = 0.0005;
    s.Max = 90;
    s.Min = 40;
    AssignAutoTestDefaults(s);
    s.LRSmMove = 7;
    return (BuildSettingsLines(s, c).join("\r\n") + "\r\n").toUtf8();
}

}  // namespace

using SettingsFileSafety = MainWindowTest;

// Save Data Options is modal: answer it with Cancel when it shows.
static void CancelSaveOptions() {
    WhenModal([](QDialog* d) { Child<QPushButton>(d, "CancelButton")->click(); });
}

TEST_F(SettingsFileSafety, SaveDataOptionsDuringTheSplashWritesNothing) {
    PutBytes(SettingsPath(), UsersSettings());
    frmMain w;
    bool chosen = false;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        const auto* splash = w.findChild<frmSplash*>();
        if (chosen || !splash || splash->Unloaded()) return;
        CancelSaveOptions();
        w.mnuSave->trigger();
        chosen = true;
        EXPECT_EQ(FileBytes(SettingsPath()), UsersSettings());
    });
    poll.start();
    w.Form_Load();
    EXPECT_TRUE(chosen);
    EXPECT_EQ(w.Maxdelay->value(), 4321);
}

TEST_F(SettingsFileSafety, FileThatFailedToLoadIsKeptBeforeTheFirstSave) {
    QByteArray bytes = UsersSettings();
    bytes.insert(bytes.indexOf("L/R"), '\0');  // one NUL byte in line 2
    PutBytes(SettingsPath(), bytes);
    const QString backup = SettingsPath() + ".bak";
    PutBytes(backup, QByteArray(4000, 'o'));  // an older backup is replaced whole

    frmMain w;
    w.Form_Load();
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(w.Text1->toPlainText().contains(backup));
    CancelSaveOptions();
    w.mnuSave->trigger();
    EXPECT_EQ(FileBytes(backup), bytes);
    EXPECT_TRUE(w.Text1->toPlainText().startsWith(
        "The settings file that could not be read is kept as it was in " + backup));

    // Kept once: later saves write only the settings file.
    PutBytes(backup, "moved away");
    w.Unload();
    EXPECT_EQ(FileBytes(backup), "moved away");
    EXPECT_EQ(FileBytes(SettingsPath()).count("\r\n"), 51);
}

TEST_F(SettingsFileSafety, LongFileWithGoodFirstLinesLoadsAndKeepsItsValues) {
    PutBytes(SettingsPath(), UsersSettings() + "and then a long log\r\n");
    {
        QFile file(SettingsPath());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.resize(50 << 20));
    }
    frmMain w;
    w.Form_Load();
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(w.LRSmMove, 7);
    w.Unload();
    EXPECT_EQ(FileBytes(SettingsPath()), UsersSettings());
    EXPECT_FALSE(QFile::exists(SettingsPath() + ".bak"));
}

TEST_F(SettingsFileSafety, NamedPipeAsSettingsFileGivesTheRecoveryPath) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(SettingsPath()).constData(), 0600), 0);
    frmMain w;
    w.Form_Load();  // a reader that opened the pipe would wait here for ever
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages()[0].text, QLatin1String(kSettingsLoadMessage));
    EXPECT_TRUE(w.WaitForIt);
}

TEST_F(SettingsFileSafety, SignalShutDownReportsAnUnwritableFileWithoutABox) {
    ASSERT_TRUE(QDir(folder.path()).mkdir("quenz.ini"));
    frmMain w;
    w.Form_Load();
    MsgBoxService::ClearHistory();
    w.UnloadOnSignal();
    EXPECT_TRUE(w.ClosingDown);
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_TRUE(
        w.Text1->toPlainText().startsWith("Unable to save the settings to " + SettingsPath()));
}

TEST_F(SettingsFileSafety, RecentMirrorNamesFromTheFileMeetTheNameRules) {
    // The caption reads; as a profile name it is refused before any file is
    // opened, even one that exists under that name.
    const QString name = QString("Mir\x01ror");
    QDir().mkpath(folder.filePath("mirrors"));
    PutBytes(folder.filePath("mirrors/" + name + ".ini"), "x\r\n8\r\n96\r\n-1\r\n0\r\n4\r\n1\r\n");
    ControlSettings controls;
    controls.Mnu[1] = name;
    WriteSettings(GoodSettings(controls));
    frmMain w;
    w.Form_Load();
    EXPECT_TRUE(Messages().isEmpty());
    w.Mnu[1]->trigger();
    EXPECT_FALSE(w.ZoneOn);
    EXPECT_TRUE(w.Text1->toPlainText().contains("control characters"));
}

TEST_F(SettingsFileSafety, FullDiskAtTheUsersCloseKeepsTheFileAndWarns) {
    WriteSettings(GoodSettings());
    const QByteArray before = FileBytes(SettingsPath());
    frmMain w;
    w.Form_Load();
    MsgBoxService::ClearHistory();
    {
        FullDisk full(64);
        w.Unload();
    }
    EXPECT_EQ(FileBytes(SettingsPath()), before);
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages()[0].title, "File Warning!");
    EXPECT_EQ(Messages()[0].text,
              "Unable to save the settings to " + SettingsPath() + "\nFile too large");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"quenz.ini"});
}
