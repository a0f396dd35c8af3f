// Start-up and shut-down of the program, run by the main window.

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "app/ui/frmMain.h"
#include "app/ui/frmSplash.h"
#include "platform/Counter.h"
#include "platform/Events.h"
#include "platform/Help.h"
#include "platform/MySleep.h"
#include "platform/Port.h"
#include "platform/ProgramFolder.h"
#include "platform/Sound.h"
#include "platform/ui/PictureBox.h"
#include "sim/SimTester.h"

namespace {

QString StartSound(const char* name) {
    return ResolvePath(AppPath(), QStringLiteral("sound/") + QLatin1String(name));
}

}  // namespace

void frmMain::Form_Load() {
    InitHelp(this);
    // Loaded again while the program closes: only ask a running test to stop.
    if (ClosingDown) {
        abort->setChecked(true);
        return;
    }
    if (QScreen* s = screen(); s && frameGeometry().width() > s->geometry().width())
        setWindowState(windowState() | Qt::WindowMaximized);

    // A close while starting (the splash is clickable, and a termination signal
    // closes the window) ends start-up at the next step.
    SetSplashText(QStringLiteral("Loading Data from Disk"));
    DoEvents();
    PlaySoundSync(StartSound("acsfiles.wav"));
    AddSplashDots();
    if (ClosingDown) return UnloadSplash();
    SetSplashText(QStringLiteral("Initializing Video"));
    PlaySoundSync(StartSound("accestab.wav"));
    AddSplashDots();
    // Closed while the splash was up: the settings stay as they are on disk.
    if (ClosingDown) return UnloadSplash();

    ::AssignAutoTestDefaults(*this);
    BuildCoilTable(CoilTable);
    LoadSettings();
    if (ClosingDown) return UnloadSplash();
    CaptureSetUp();

    SetSplashText(QStringLiteral("Initialization Complete!"));
    DoEvents();
    PlaySoundSync(StartSound("progact.wav"));
    UnloadSplash();
    if (ClosingDown) return;
    show();
    // Shown early by a click on the splash, the window was laid out before the
    // display flags were read.
    Form_Resize();

    const QString portFailure = PortService::OpenRealPort();
    if (!portFailure.isEmpty()) LogLine(portFailure);
    if (const QStringList simulator = SimTester::Shared()->takeLoadReport(); !simulator.isEmpty())
        LogLine(simulator.join(QLatin1Char('\n')));
    OutputAllOff();
    QpcFrequency = QueryPerformanceFrequency();
    Manual = true;
    Timer1->start();
    PrintStartInstructions();
    ZoneOn = false;
    sldAcell_OnValue();
}

frmSplash* frmMain::Splash() {
    // Closed early by a click or key: the next progress line loads it again.
    if (!splash_ || splash_->Unloaded()) {
        splash_ = new frmSplash(this);
        splash_->Form_Load();
    }
    return splash_;
}

void frmMain::SetSplashText(const QString& text) {
    Splash()->lblWarning->setText(text);
}

void frmMain::AddSplashDots() {
    for (int i = 0; i < 10 && !ClosingDown; ++i) {
        QLabel* label = Splash()->lblWarning;
        label->setText(label->text() + QLatin1Char('.'));
        DoEvents();
        MySleep(100);
    }
}

void frmMain::UnloadSplash() {
    if (splash_ && !splash_->Unloaded()) splash_->Unload();
    splash_.clear();
}

void frmMain::PrintStartInstructions() {
    const QString crlf = QStringLiteral("\r\n");
    const QString tab = QStringLiteral("\t");
    PictureCanvas& canvas = Picture2->canvas();
    canvas.CurrentX = 20;
    canvas.FontSize = 16;
    canvas.Print(QStringLiteral(
        "  Zone Evaluation OFF.  Please perform the following steps to begin a test:"));
    canvas.FontSize = 12;
    canvas.Print(
        crlf + "#1  Fully illuminate mirror under test by backing out knife edge." + crlf + tab +
        "Use keyboard keys K and J or handpad Left - Right buttons for knife control." + crlf +
        "#2 Center cross hair and encircle mirror accurately." + crlf + tab +
        "Click mouse near center of mirror for Auto Center-Size." + crlf + "#3 Turn on Tracking" +
        crlf + "#4 Select a Mirror Profile for the Mirror Database menu." + crlf +
        "#5 Adjust platform To-From mirror to get somewhat near the null for Zone #1." + crlf +
        tab +
        "Use keyboard keys I and M or handpad Up-Down to control platform distance from "
        "mirror." +
        crlf + tab +
        "Null for Zone #1 is indicated by equal bar graph levels between 20% and 50% of max "
        "intensity." +
        crlf + "#6 Click the 'Do The Magic' button to begin Test!");
    canvas.FontSize = 8;
}

void frmMain::Form_Unload() {
    QuitHelp();
    Timer1->stop();
    // Saved once per run (SaveSettings itself never writes before the file has
    // been read: a close during the splash leaves the user's settings alone).
    if (!ClosingDown) SaveSettings();
    Manual = false;
    LiveLoopBusy = false;
    ClosingDown = true;
    // About two seconds for a running loop or test to see the closing mark, when
    // the window closes and once more when the loop that was running unloads it
    // again. The unloads after that, as the loops further down and the timer tick
    // that started them unwind one by one, come when every loop has seen the
    // mark: they take the other steps without waiting.
    if (closingWaits_ < kClosingWaits) {
        ++closingWaits_;
        for (int i = 0; i < 20; ++i) {
            DoEvents();
            MySleep(100);
        }
    }
    abort->setChecked(true);
    ClearCaptureCallbacks();
}

void frmMain::Unload() {
    Form_Unload();
    closeFromUnload_ = true;
    close();
    closeFromUnload_ = false;
    emit unloaded();
}

void frmMain::closeEvent(QCloseEvent* event) {
    // Closing can't be refused.
    event->accept();
    if (closeFromUnload_) return;
    Form_Unload();
    emit unloaded();
}
