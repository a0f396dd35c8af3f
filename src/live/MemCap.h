#pragma once

class CaptureWindow;

// Shrinks the capture window to 0 x 0 at its place (it never shows anything: every
// frame goes to the live picture). Nothing happens when the window's status can't
// be read (no driver connected).
void ResizeCaptureWindow(CaptureWindow* window);
