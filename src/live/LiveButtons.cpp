#include "live/LiveButtons.h"

void PauseButton::Click(PauseHost& host) {
    const bool doTheMagic = host.Command3Enabled();
    const bool track = host.TrackEnabled();
    if (savedColour_ == 0) savedColour_ = host.PauseBackColor();
    paused_ = !paused_;
    // A second click ends the pause: the first click's wait, below this one,
    // sees the flag at its next pass.
    if (!paused_) return;

    host.SetCommand3Enabled(false);
    host.SetTrackEnabled(false);
    int passes = 0;
    bool flash = false;
    while (paused_) {
        if (host.State().ClosingDown) paused_ = false;
        host.PausePass();
        if (++passes > kPauseFlashPasses) {
            passes = 0;
            host.SetPauseBackColor(flash ? kMagenta : kGreen);
            flash = !flash;
        }
    }
    host.SetPauseBackColor(savedColour_);
    host.SetCommand3Enabled(doTheMagic);
    host.SetTrackEnabled(track);
}

QString ResetHeading() {
    return QStringLiteral(
        "Zone Evaluation Off, Please Perform the Following steps to Begin a Test:");
}

QString ResetInstructions() {
    const QString crlf = QStringLiteral("\r\n");
    const QString tab = QStringLiteral("\t");
    return crlf +
           QStringLiteral("#1 Fully Illuminate mirror under test by backing out Knife Edge") +
           crlf + tab +
           QStringLiteral(
               "Use Keybord keys K and J or Handpad Left - Right buttons for Knife control") +
           crlf + QStringLiteral("#2 Center Cross hair and Encircle mirror accuratly") + crlf +
           tab +
           QStringLiteral(
               "Click mouse near center of Mirror for Auto Center-Size **experimental!") +
           crlf + QStringLiteral("#3 Turn on Tracking") + crlf +
           QStringLiteral("#4 Select A Mirror Profile from the Mirror Database Menu") + crlf +
           QStringLiteral(
               "#5 Adjust platform To-From mirror to get some what near the null for zone #1") +
           crlf + tab +
           QStringLiteral(
               "Use Keyboard Keys I and M or Handpad Up - Down to control platform "
               "distance from Mirror") +
           crlf + tab +
           QStringLiteral(
               "Null for zone #1 is indicated by Equal bar graphs levels between 20 to "
               "50% Max intensity") +
           crlf + QStringLiteral("#6 Click the 'Do The Magic' Button to begin Test!");
}

void PrintResetInstructions(PictureCanvas& picture2) {
    picture2.Cls();
    picture2.CurrentX = 20;
    picture2.CurrentY = 1;
    picture2.FontSize = 16;
    picture2.Print(ResetHeading());
    picture2.FontSize = 12;
    picture2.Print(ResetInstructions());
    picture2.FontSize = 8;
}

void ResetTestState(TestState& state) {
    state.ZoneOn = false;
    state.Ypos = 0;
    state.Xpos = 0;
}
