#pragma once

class QWidget;

// Moves a window to the middle of the screen's available area:
// left = (screen width - window width) / 2, top likewise.
void CentreOnScreen(QWidget* window);
