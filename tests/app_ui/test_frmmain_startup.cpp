#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include "app/ui/frmMain.h"
#include "app/ui/frmSplash.h"
#include "frmmain_fixture.h"
#include "platform/ui/PictureBox.h"
#include "setup_ui/ModalHelper.h"

namespace {

// The splash's progress line as every round of event pumping sees it, without
// repeats.
class SplashRecorder {
  public:
    explicit SplashRecorder(frmMain& w) {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this, &w] {
            const auto* splash = w.findChild<frmSplash*>();
            if (!splash || splash->Unloaded() || splash->lblWarning->text().isEmpty()) return;
            const QString text = splash->lblWarning->text();
            if (texts.isEmpty() || texts.last() != text) texts << text;
        });
        timer_.start();
    }
    QStringList texts;

  private:
    QTimer timer_;
};

int MostDots(const QStringList& texts, const QString& prefix) {
    int most = -1;
    for (const QString& t : texts)
        if (t.startsWith(prefix)) most = std::max(most, int(t.size() - prefix.size()));
    return most;
}

// Pixels of the picture that differ from its back colour.
int InkedPixels(const PictureCanvas& canvas) {
    int inked = 0;
    for (int y = 0; y < canvas.ScaleHeight(); ++y)
        for (int x = 0; x < canvas.ScaleWidth(); ++x)
            if (canvas.GetPixel(x, y) != canvas.BackColor) ++inked;
    return inked;
}

QStringList ReadSettings(const QString& path) {
    QStringList lines;
    ReadTextLines(path, lines);
    return lines;
}

}  // namespace

using MainWindowStartup = MainWindowTest;

TEST_F(MainWindowStartup, StartsInOrderBehindTheSplash) {
    WriteSettings(GoodSettings());
    frmMain w;
    SplashRecorder splash(w);
    w.Form_Load();

    // Ten dots after each of the first two texts, then the last text.
    EXPECT_EQ(splash.texts.first(), "Loading Data from Disk");
    EXPECT_EQ(MostDots(splash.texts, "Loading Data from Disk"), 10);
    EXPECT_EQ(MostDots(splash.texts, "Initializing Video"), 10);
    EXPECT_EQ(splash.texts.last(), "Initialization Complete!");
    const QString folder = AppPath();
    EXPECT_EQ(SoundRequests(),
              QStringList({folder + "/sound/acsfiles.wav", folder + "/sound/accestab.wav",
                           folder + "/sound/progact.wav"}));

    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.findChild<frmSplash*>() == nullptr || w.findChild<frmSplash*>()->Unloaded(), true);
    EXPECT_TRUE(Messages().isEmpty());
    ASSERT_FALSE(port->bytes.empty());
    EXPECT_EQ(port->bytes.front(), 0);
    EXPECT_TRUE(w.Manual);
    EXPECT_FALSE(w.ZoneOn);
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_EQ(w.QpcFrequency, 1'000'000'000);
    EXPECT_EQ(w.Accel, 6);
    EXPECT_EQ(w.CoilTable[8 * 4 + 1], 48);
    EXPECT_EQ(w.TFRoughFrames, 15);
    // The start instructions stand in the bar-graph picture.
    EXPECT_GT(InkedPixels(w.Picture2->canvas()), 500);
    // A machine without a parallel port says so once, in the log box.
    if (!PortService::HasRealPort()) {
        EXPECT_EQ(w.Text1->toPlainText().count("Parallel port"), 1);
    }

    // The first tick runs the live loop until Manual goes off; a tick that comes
    // while it runs starts no second loop.
    bool nestedTick = false;
    QTimer::singleShot(50, &w, [&] {
        EXPECT_TRUE(w.LiveLoopBusy);
        w.Timer1_Timer();
        nestedTick = true;
        EXPECT_TRUE(w.LiveLoopBusy);
        w.Manual = false;
    });
    w.Timer1_Timer();
    EXPECT_TRUE(nestedTick);
    EXPECT_FALSE(w.LiveLoopBusy);
    EXPECT_EQ(port->bytes.back(), 0);  // the loop released the coils as it ended
}

TEST_F(MainWindowStartup, InvertedOutputMakesTheFirstPortByte255) {
    ControlSettings controls;
    controls.mnuinvert = true;
    controls.sldAcell = 9;
    controls.Mnu[1] = "&1 Ten inch";
    WriteSettings(GoodSettings(controls));
    frmMain w;
    w.Form_Load();
    ASSERT_FALSE(port->bytes.empty());
    EXPECT_EQ(port->bytes.front(), 255);
    EXPECT_TRUE(w.mnuinvert->isChecked());
    EXPECT_EQ(w.Accel, 1);
    EXPECT_TRUE(w.Mnu[1]->isVisible());
    EXPECT_EQ(w.Mnu[1]->text(), "&1 Ten inch");
    EXPECT_FALSE(w.Mnu[2]->isVisible());
    EXPECT_EQ(w.units, "\"");
}

TEST_F(MainWindowStartup, MissingSettingsShowOnlyTheSetupMessage) {
    frmMain w;
    w.Form_Load();
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages()[0].text,
              "Unable to Load Quenz.ini, Now opening Setup Dialog, Please confirm Data to "
              "continue");
    EXPECT_EQ(Messages()[0].title, "Initialization Error :(");
    EXPECT_EQ(Messages()[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(w.WaitForIt);
    EXPECT_TRUE(w.ShowDebug);
    EXPECT_EQ(w.textpath, AppPath() + "/TestResults");
    EXPECT_TRUE(w.Text1->isVisible());  // the debug layout
    EXPECT_TRUE(w.MirX->isVisible());
}

TEST_F(MainWindowStartup, BadAutoTestLineShowsTheAutoTestMessage) {
    QStringList lines = GoodSettings();
    lines[47] = "far";
    WriteSettings(lines);
    frmMain w;
    w.Form_Load();
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages()[0].text,
              "Unable to load Auto-Test Variuables, Now opening Auto-Test Dialog, please "
              "confirm data to continue");
    EXPECT_EQ(Messages()[0].title, "Initialization Error :(");
    EXPECT_FALSE(w.WaitForIt);
    EXPECT_TRUE(w.ShowDebug);
    EXPECT_TRUE(w.Timer1->isActive());  // start-up went on
}

TEST_F(MainWindowStartup, ShutDownSavesOncePumpsAndCanRunAgain) {
    WriteSettings(GoodSettings());
    frmMain w;
    w.Form_Load();
    w.Maxdelay->setValue(777);
    w.MnuFixed->setChecked(true);  // a check mark changed without any save since

    bool pumped = false;
    QTimer::singleShot(0, &w, [&pumped] { pumped = true; });
    QElapsedTimer clock;
    clock.start();
    w.Unload();
    EXPECT_GE(clock.elapsed(), 2000);
    EXPECT_TRUE(pumped);
    EXPECT_TRUE(w.ClosingDown);
    EXPECT_FALSE(w.Manual);
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_TRUE(w.abort->isChecked());
    EXPECT_FALSE(w.isVisible());
    const QStringList saved = ReadSettings(SettingsPath());
    ASSERT_EQ(saved.size(), 51);
    EXPECT_EQ(saved[18], "777");
    EXPECT_EQ(saved[9], "True");

    // A loop that finds the closing mark unloads again: nothing more is saved.
    ASSERT_TRUE(QFile::remove(SettingsPath()));
    w.Unload();
    EXPECT_FALSE(QFile::exists(SettingsPath()));

    // Loading the window again while closing only asks a test to stop.
    w.abort->setChecked(false);
    ClearSoundRequests();
    w.Form_Load();
    EXPECT_TRUE(w.abort->isChecked());
    EXPECT_TRUE(SoundRequests().isEmpty());
    EXPECT_FALSE(w.isVisible());

    // A tick while closing unloads too.
    w.Timer1_Timer();
    EXPECT_FALSE(QFile::exists(SettingsPath()));
}

TEST_F(MainWindowStartup, CloseBoxRunsShutDown) {
    WriteSettings(GoodSettings());
    frmMain w;
    w.Form_Load();
    w.Mindelay->setValue(99);
    w.close();
    EXPECT_TRUE(w.ClosingDown);
    EXPECT_EQ(ReadSettings(SettingsPath()).value(19), "99");
}

TEST_F(MainWindowStartup, UnwritableSettingsAreReportedOnce) {
    WriteSettings(GoodSettings());
    frmMain w;
    w.Form_Load();
    MsgBoxService::ClearHistory();
    SetAppPath(folder.filePath("gone/away"));
    w.SaveSettings();
    WhenModal([](QDialog* options) { options->reject(); });
    w.mnuSave->trigger();
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages()[0].title, "File Warning!");
    EXPECT_TRUE(Messages()[0].text.contains("quenz.ini"));
}

TEST_F(MainWindowStartup, MenuTogglesReLayTheWindow) {
    WriteSettings(GoodSettings());
    frmMain w;
    w.Form_Load();
    ASSERT_FALSE(w.ShowDebug);
    EXPECT_FALSE(w.Text1->isVisible());
    EXPECT_EQ(w.Text2->geometry().left(), 444);

    w.mnuDebug->trigger();
    EXPECT_TRUE(w.ShowDebug);
    EXPECT_TRUE(w.Text1->isVisible());
    EXPECT_TRUE(w.MirRad->isVisible());
    EXPECT_EQ(w.Text2->geometry().left(), 485);
    EXPECT_EQ(w.MirRad->maximum(), 162);
    EXPECT_EQ(w.Command3->geometry().top(), 43);

    const int clientHeight = w.centralWidget()->height();
    w.MnuMoreText->trigger();
    EXPECT_TRUE(w.ShowMoreText);
    EXPECT_EQ(w.Text2->geometry().height(), clientHeight - 73);

    w.mnuDebug->trigger();
    w.MnuMoreText->trigger();
    EXPECT_FALSE(w.Text1->isVisible());
    EXPECT_EQ(w.Text2->geometry().height(), 244);

    // Hiding the speed strip, as a running test does, widens the bar graphs.
    w.Picture3->hide();
    w.Form_Resize();
    EXPECT_EQ(w.Picture2->width(), w.centralWidget()->width());

    // Bar graphics off clears the bar-graph picture; twice is back on.
    ASSERT_GT(InkedPixels(w.Picture2->canvas()), 0);
    w.MnuBars->trigger();
    EXPECT_TRUE(w.BarsOff);
    EXPECT_EQ(InkedPixels(w.Picture2->canvas()), 0);
    w.MnuBars->trigger();
    EXPECT_FALSE(w.BarsOff);
}
