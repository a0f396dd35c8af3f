#include "app/TextWindowLayout.h"

namespace {

// An assignment the window cannot take (a negative size) keeps the old value.
void Assign(int& target, int value) {
    if (value >= 0) target = value;
}

}  // namespace

TextWindowControls TextWindowDesign() {
    TextWindowControls c;
    c.Frame1 = {0, 0, 6375, 2535};
    c.Text1 = {120, 240, 6135, 2055};
    c.Frame2 = {0, 2520, 6135, 3255};
    c.Text2 = {120, 240, 5895, 2895};
    return c;
}

TextWindowControls ResizeTextWindow(const TextWindowControls& current, int outerWidth,
                                    int outerHeight) {
    TextWindowControls c = current;
    Assign(c.Frame1.Width, outerWidth - 175);
    Assign(c.Text1.Width, c.Frame1.Width - 245);
    Assign(c.Frame2.Width, outerWidth - 175);
    Assign(c.Frame2.Height, outerHeight - c.Frame2.Top - 475);
    Assign(c.Text2.Width, c.Frame2.Width - 245);
    Assign(c.Text2.Height, c.Frame2.Height - 425);
    return c;
}

int TwipsToPixels(int twips) {
    const int half = kTwipsPerPixel / 2;
    return twips >= 0 ? (twips + half) / kTwipsPerPixel : -((-twips + half) / kTwipsPerPixel);
}
