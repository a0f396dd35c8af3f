#include <sys/stat.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTimer>

#include "app/ui/frmMain.h"
#include "app/ui/frmSplash.h"
#include "frmmain_fixture.h"
#include "mirror/MirrorName.h"

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

QByteArray Joined(const QStringList& lines) {
    return (lines.join("\r\n") + "\r\n").toUtf8();
}

// A good file whose later lines are all changed from their defaults.
QStringList UsersSettings() {
    ControlSettings c;
    c.Maxdelay = 4321;
    c.Mnu[1] = "&1 Kept Mirror";
    TestState s;
    s.StepSize = 0.000125;
    s.LRStepSize = 0.0005;
    s.Max = 90;
    s.Min = 40;
    s.Reps = 2;
    s.textpath = "/results";
    AssignAutoTestDefaults(s);
    s.LRSmMove = 7;
    return BuildSettingsLines(s, c);
}

bool HasMessageTitled(const QList<MsgBoxRequest>& messages, const QString& title) {
    for (const MsgBoxRequest& m : messages)
        if (m.title == title) return true;
    return false;
}

}  // namespace

using SettingsFileSafety = MainWindowTest;

TEST_F(SettingsFileSafety, NothingIsWrittenBeforeTheFileHasBeenRead) {
    QStringList lines = GoodSettings();
    lines[18] = "4444";
    WriteSettings(lines);
    const QByteArray before = FileBytes(SettingsPath());

    frmMain w;
    w.SaveSettings();
    EXPECT_EQ(FileBytes(SettingsPath()), before);

    // "Save Data Options" while the splash still shows.
    bool chosen = false;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        const auto* splash = w.findChild<frmSplash*>();
        if (chosen || !splash || splash->Unloaded()) return;
        w.mnuSave->trigger();
        chosen = true;
        EXPECT_EQ(FileBytes(SettingsPath()), before);
    });
    poll.start();
    w.Form_Load();
    poll.stop();
    EXPECT_TRUE(chosen);
    EXPECT_EQ(w.Maxdelay->value(), 4444);
}

TEST_F(SettingsFileSafety, FileThatFailedToLoadIsKeptBeforeTheFirstSave) {
    // One NUL byte in line 2 of the user's file.
    QByteArray bytes = Joined(UsersSettings());
    bytes.insert(bytes.indexOf("L/R"), '\0');
    PutBytes(SettingsPath(), bytes);
    const QString backup = SettingsPath() + ".bak";
    PutBytes(backup, QByteArray(4000, 'o'));  // an older backup is replaced whole

    frmMain w;
    w.Form_Load();
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages()[0].title, "Initialization Error :(");
    EXPECT_TRUE(w.Text1->toPlainText().contains(backup));
    EXPECT_NE(FileBytes(backup), bytes);  // not before the save

    w.mnuSave->trigger();
    EXPECT_EQ(FileBytes(backup), bytes);
    EXPECT_TRUE(
        w.Text1->toPlainText().startsWith("The settings file that could not be read is "
                                          "kept as it was in " +
                                          backup));
    // Kept once: the next saves write only the settings file.
    PutBytes(backup, "moved away by the user");
    w.Unload();
    EXPECT_EQ(FileBytes(backup), "moved away by the user");
    QStringList saved;
    ASSERT_TRUE(ReadTextLines(SettingsPath(), saved));
    EXPECT_EQ(saved.size(), 51);
    EXPECT_EQ(saved[1], "&Reverse L/R Motor");
}

TEST_F(SettingsFileSafety, LongFileWithGoodFirstLinesLoadsAndKeepsItsValues) {
    PutBytes(SettingsPath(), Joined(UsersSettings()) + "and then the rest of a log\r\n");
    {
        QFile file(SettingsPath());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.resize(50 << 20));
    }
    frmMain w;
    w.Form_Load();
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_FALSE(w.WaitForIt);
    EXPECT_EQ(w.Maxdelay->value(), 4321);
    EXPECT_EQ(w.LRSmMove, 7);
    w.Unload();
    EXPECT_EQ(FileBytes(SettingsPath()), Joined(UsersSettings()));
    EXPECT_FALSE(QFile::exists(SettingsPath() + ".bak"));
}

TEST_F(SettingsFileSafety, NamedPipeAsSettingsFileGivesTheRecoveryPath) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(SettingsPath()).constData(), 0600), 0);
    frmMain w;
    w.Form_Load();  // a reader that opened the pipe would wait here for ever
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages()[0].text, QLatin1String(kSettingsLoadMessage));
    EXPECT_TRUE(w.WaitForIt);
    EXPECT_EQ(w.StepSize, 0.000125);
    EXPECT_FALSE(QFile::exists(SettingsPath() + ".bak"));
}

TEST_F(SettingsFileSafety, SignalShutDownReportsAnUnwritableFileWithoutABox) {
    ASSERT_TRUE(QDir(folder.path()).mkdir("quenz.ini"));
    frmMain w;
    w.Form_Load();
    MsgBoxService::ClearHistory();
    w.UnloadOnSignal();
    EXPECT_TRUE(w.ClosingDown);
    EXPECT_FALSE(HasMessageTitled(Messages(), "File Warning!"));
    EXPECT_TRUE(
        w.Text1->toPlainText().startsWith("Unable to save the settings to " + SettingsPath()));
}

TEST_F(SettingsFileSafety, RecentMirrorNamesFromTheFileMeetTheNameRules) {
    // A caption with control characters reads; as a profile name it is refused
    // before any file is opened, even one that exists under that name.
    const QString name = QString("Mir\x01ror");
    ASSERT_FALSE(IsValidProfileName(name));
    QDir().mkpath(folder.filePath("mirrors"));
    PutBytes(folder.filePath("mirrors/" + name + ".ini"),
             Joined({name, "8", "96", "-1", "0", "4", "1"}));
    ControlSettings controls;
    controls.Mnu[1] = name;
    WriteSettings(GoodSettings(controls));

    frmMain w;
    w.Form_Load();
    EXPECT_TRUE(Messages().isEmpty());
    ASSERT_EQ(w.Mnu[1]->text(), name);
    w.Mnu[1]->trigger();
    EXPECT_FALSE(w.ZoneOn);
    EXPECT_EQ(w.WorkFile, "");
    EXPECT_TRUE(w.Text1->toPlainText().contains("control characters"));
}
