#pragma once

// Lets pending window events run once: queued input, paints and timer ticks.
void DoEvents();
