#pragma once

#include <cstdint>

// The main window's layout, as a pure function of the controls' current
// geometry, the client size and the display flags. Positions and sizes are
// single-precision pixels, as the window holds them.

struct Geometry {
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
};

// Every control the layout reads or places, with the state it changes.
struct MainControls {
    Geometry Picture1, Picture2, Picture3;
    Geometry Text1, Text2;
    Geometry MirX, MirY, MirRad, Save_picture;
    Geometry Chk_trak, Command3, abort, Command5, Command1, cmdpause, Frame3;
    // Shown only in the debug layout: Text1, MirX, MirY, MirRad, Save_picture.
    bool DebugControlsVisible = false;
    int32_t MirXMax = 320;
    int32_t MirYMax = 240;
    int32_t MirRadMax = 180;
    // Where "% Spd" is printed on Picture3 (y is 0).
    int32_t SpdLabelX = 0;
};

struct LayoutFlags {
    float ClientWidth = 0;
    float ClientHeight = 0;
    bool ShowDebug = false;
    bool ShowMoreText = false;
    bool Picture3Visible = true;
};

// The controls of the main window's design (Picture1 324 x 244 at 120, 0).
MainControls DesignControls();

// Places every control. A width, height or slider maximum that cannot be taken
// (negative in a very small window) keeps its previous value and the rest of
// the layout still runs.
MainControls LayoutMainWindow(const MainControls& current, const LayoutFlags& flags);
