// "Pause" and "Reset", and the connections of the live picture's click.

#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <chrono>
#include <thread>

#include "app/ui/frmMain.h"
#include "platform/Events.h"
#include "platform/ui/PictureBox.h"

namespace {

// Each pass of the Pause wait rests this long after letting events run, so the
// wait does not hold a processor flat out and the button changes colour about
// every 5000 x 0.1 ms, half a second or a little more.
constexpr std::chrono::microseconds kPausePassRest{100};

// The back colour of a button whose face is set by its style sheet.
OleColor ButtonBackColor(const QPushButton* button) {
    static const QRegularExpression face(QStringLiteral("background-color:\\s*(#[0-9a-fA-F]{6})"));
    const QRegularExpressionMatch match = face.match(button->styleSheet());
    return FromQColor(match.hasMatch() ? QColor(match.captured(1))
                                       : button->palette().color(QPalette::Button));
}

void SetButtonBackColor(QPushButton* button, OleColor colour) {
    // A new style sheet gives the button the application's font again: the caption
    // keeps the font it had.
    const QFont font = button->font();
    button->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; }").arg(ToQColor(colour).name()));
    button->setFont(font);
}

class MainPauseHost final : public PauseHost {
  public:
    explicit MainPauseHost(frmMain& w) : w_(w) {}
    TestState& State() override { return w_; }
    bool Command3Enabled() override { return w_.Command3->isEnabled(); }
    void SetCommand3Enabled(bool enabled) override { w_.Command3->setEnabled(enabled); }
    bool TrackEnabled() override { return w_.Chk_trak->isEnabled(); }
    void SetTrackEnabled(bool enabled) override { w_.Chk_trak->setEnabled(enabled); }
    OleColor PauseBackColor() override { return ButtonBackColor(w_.cmdpause); }
    void SetPauseBackColor(OleColor colour) override { SetButtonBackColor(w_.cmdpause, colour); }
    void PausePass() override {
        DoEvents();
        std::this_thread::sleep_for(kPausePassRest);
    }

  private:
    frmMain& w_;
};

}  // namespace

void frmMain::ConnectLiveButtons() {
    connect(Picture1, &PictureBox::clicked, this,
            [this](int button, double x, double y) { Picture1_MouseDown(button, 0, x, y); });
    connect(cmdpause, &QPushButton::clicked, this, &frmMain::cmdpause_Click);
    connect(Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
}

void frmMain::cmdpause_Click() {
    MainPauseHost host(*this);
    PauseState.Click(host);
}

void frmMain::Command1_Click() {
    PrintResetInstructions(Picture2->canvas());
    ZoneOn = false;
    Text2->clear();
    ResetTestState(*this);
    Command5->setEnabled(false);
}
