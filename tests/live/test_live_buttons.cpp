// The Pause and Reset buttons over a scripted main window.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "live/LiveButtons.h"

namespace {

constexpr OleColor kCyanFace = 0xFFFF00;

class FakePauseHost : public PauseHost {
  public:
    TestState& State() override { return state; }
    bool Command3Enabled() override { return command3; }
    void SetCommand3Enabled(bool enabled) override { command3 = enabled; }
    bool TrackEnabled() override { return track; }
    void SetTrackEnabled(bool enabled) override { track = enabled; }
    OleColor PauseBackColor() override { return colour; }
    void SetPauseBackColor(OleColor c) override {
        colour = c;
        colours.push_back(c);
    }
    void PausePass() override {
        ++passes;
        if (onPass) onPass();
    }

    TestState state;
    bool command3 = true;
    bool track = true;
    OleColor colour = kCyanFace;
    std::vector<OleColor> colours;
    int passes = 0;
    std::function<void()> onPass;
};

TEST(PauseButton, SecondClickEndsThePauseAndRestoresColourAndStates) {
    FakePauseHost host;
    PauseButton pause;
    bool disabledWhilePaused = false;
    host.onPass = [&] {
        disabledWhilePaused = !host.command3 && !host.track;
        // The second click arrives in the wait's event pumping after 12000 passes.
        if (host.passes == 12000) pause.Click(host);
    };
    pause.Click(host);
    EXPECT_TRUE(disabledWhilePaused);
    EXPECT_FALSE(pause.Paused());
    EXPECT_EQ(host.passes, 12000);
    // Green at pass 5001, magenta at 10002, then the saved colour.
    EXPECT_EQ(host.colours, (std::vector<OleColor>{kGreen, kMagenta, kCyanFace}));
    EXPECT_TRUE(host.command3);
    EXPECT_TRUE(host.track);

    // The saved colour is taken once: a later pause comes back to it even when the
    // button showed another colour at its click.
    host.colour = kGreen;
    host.colours.clear();
    host.passes = 0;
    host.onPass = [&] {
        if (host.passes == 3) pause.Click(host);
    };
    pause.Click(host);
    EXPECT_EQ(host.colours, (std::vector<OleColor>{kCyanFace}));
}

TEST(PauseButton, NoColourChangeWithin5000Passes) {
    FakePauseHost host;
    PauseButton pause;
    host.onPass = [&] {
        if (host.passes == 5000) pause.Click(host);
    };
    pause.Click(host);
    EXPECT_EQ(host.colours, (std::vector<OleColor>{kCyanFace}));
}

TEST(PauseButton, ClosingEndsTheWaitWithinOnePass) {
    FakePauseHost host;
    PauseButton pause;
    host.onPass = [&] {
        if (host.passes == 7) host.state.ClosingDown = true;
    };
    pause.Click(host);
    EXPECT_EQ(host.passes, 8);
    EXPECT_FALSE(pause.Paused());
    EXPECT_EQ(host.colour, kCyanFace);
    EXPECT_TRUE(host.command3 && host.track);
}

TEST(PauseButton, DisabledDoTheMagicStaysDisabled) {
    FakePauseHost host;
    host.command3 = false;  // an automated test is running
    PauseButton pause;
    host.onPass = [&] {
        if (host.passes == 2) pause.Click(host);
    };
    pause.Click(host);
    EXPECT_FALSE(host.command3);
    EXPECT_TRUE(host.track);
}

TEST(ResetButton, InstructionsAsPrintedIntoPicture2) {
    EXPECT_EQ(ResetHeading(),
              "Zone Evaluation Off, Please Perform the Following steps to Begin a Test:");
    const QStringList lines = ResetInstructions().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "#1 Fully Illuminate mirror under test by backing out Knife Edge");
    EXPECT_EQ(lines[3], "#2 Center Cross hair and Encircle mirror accuratly");
    EXPECT_EQ(lines[5], "#3 Turn on Tracking");
    EXPECT_EQ(lines[6], "#4 Select A Mirror Profile from the Mirror Database Menu");
    EXPECT_EQ(lines[7],
              "#5 Adjust platform To-From mirror to get some what near the null for zone #1");
    EXPECT_EQ(lines[8],
              "\tUse Keyboard Keys I and M or Handpad Up - Down to control platform distance "
              "from Mirror");
    EXPECT_EQ(lines[2],
              "\tUse Keybord keys K and J or Handpad Left - Right buttons for Knife control");
    EXPECT_EQ(lines[4], "\tClick mouse near center of Mirror for Auto Center-Size **experimental!");
    EXPECT_EQ(lines[9],
              "\tNull for zone #1 is indicated by Equal bar graphs levels between 20 to 50% Max "
              "intensity");
    EXPECT_EQ(lines[10], "#6 Click the 'Do The Magic' Button to begin Test!");

    // Printed over whatever Picture2 showed (bars), heading first; size 8 after.
    PictureCanvas picture2(645, 271);
    picture2.ForeColor = 0xFFFFFF;
    picture2.BackColor = 0;
    picture2.ClearPicture();
    picture2.Line(600, 0, 600, 270, kMagenta);
    PrintResetInstructions(picture2);
    EXPECT_EQ(picture2.GetPixel(600, 268), 0u);
    EXPECT_EQ(picture2.FontSize, 8);
    bool headingInk = false;
    for (int x = 20; x < 200 && !headingInk; ++x)
        for (int y = 1; y < 20; ++y) headingInk = headingInk || picture2.GetPixel(x, y) != 0;
    EXPECT_TRUE(headingInk);
    EXPECT_GT(picture2.CurrentY, 200);  // twelve lines of 12 points under the heading
}

}  // namespace
