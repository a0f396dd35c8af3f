#pragma once

#include <QString>

// The help file: the program folder's QUENZ.HLP, made known at start-up and
// closed at shut-down. Opening it uses the desktop's handler for the file.
void InitHelp(void* ownerWindow);
void QuitHelp();
QString HelpFile();
// Opens the help file at a context number, when the file exists and a handler is known.
void ShowHelp(int contextId);
