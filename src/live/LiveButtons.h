#pragma once

#include <QString>

#include "core/TestState.h"
#include "platform/PictureCanvas.h"

// ---- Pause ------------------------------------------------------------------------

// What the Pause button needs of the main window. Every value is read afresh.
//
//   Command3Enabled / SetCommand3Enabled   " Do the Magic" enabled.
//   TrackEnabled / SetTrackEnabled         the check box Chk_trak enabled.
//   PauseBackColor / SetPauseBackColor     the back colour of cmdpause.
//   PausePass()                            one pass of the wait: lets pending window
//                                          events run (the second click among them).
class PauseHost {
  public:
    virtual ~PauseHost() = default;
    virtual TestState& State() = 0;
    virtual bool Command3Enabled() = 0;
    virtual void SetCommand3Enabled(bool enabled) = 0;
    virtual bool TrackEnabled() = 0;
    virtual void SetTrackEnabled(bool enabled) = 0;
    virtual OleColor PauseBackColor() = 0;
    virtual void SetPauseBackColor(OleColor colour) = 0;
    virtual void PausePass() = 0;
};

// The wait's passes between two colour changes of the flashing button.
constexpr int kPauseFlashPasses = 5000;

// The Pause button: the first click waits inside its handler, flashing the button,
// until a second click (which runs nested in the wait and only clears the paused
// flag) or the program's closing ends the wait. Whatever called the event pumping
// that delivered the first click stays suspended meanwhile.
class PauseButton {
  public:
    // cmdpause_Click.
    void Click(PauseHost& host);
    bool Paused() const { return paused_; }

  private:
    OleColor savedColour_ = 0;  // the button's own back colour; 0: not yet saved
    bool paused_ = false;
};

// ---- Reset ------------------------------------------------------------------------

// The heading and the instructions Reset prints into Picture2.
QString ResetHeading();
QString ResetInstructions();

// Clears Picture2 and prints the heading at (20, 1) in 16 points and the
// instructions under it in 12 points; the font size is 8 afterwards.
void PrintResetInstructions(PictureCanvas& picture2);

// Zone evaluation off and both position counters 0. The motors, their phases,
// the mirror profile, the readings and TestStatus stay as they are.
void ResetTestState(TestState& state);
