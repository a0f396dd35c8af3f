#pragma once

// The floating text window's layout in twips (15 twips = 1 pixel): its two frames
// and their text boxes, as a pure function of the window's outer size.

struct TwipsRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

struct TextWindowControls {
    TwipsRect Frame1;  // "Debug Output"
    TwipsRect Text1;   // inside Frame1
    TwipsRect Frame2;  // "Foucault Test Data"
    TwipsRect Text2;   // inside Frame2
};

constexpr int kTwipsPerPixel = 15;

// Client area of the window's design, and its controls as designed.
constexpr int kTextWindowClientWidth = 6360;
constexpr int kTextWindowClientHeight = 5775;
TextWindowControls TextWindowDesign();

// The resize rule, in its order, for the window's outer width and height in
// twips. A step whose width or height would be negative is skipped: that control
// keeps its previous size and the later steps still run. Only the lower frame
// changes height; heights of the upper frame and box, the top of the lower frame
// and all left edges keep their values.
TextWindowControls ResizeTextWindow(const TextWindowControls& current, int outerWidth,
                                    int outerHeight);

// Twips to whole pixels, rounded to the nearest.
int TwipsToPixels(int twips);
