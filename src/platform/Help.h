#pragma once

#include <QString>
#include <functional>

// The help file: the program folder's QUENZ.HLP, made known at start-up and
// closed at shut-down. Opening it uses the desktop's handler for the file.
void InitHelp(void* ownerWindow);
void QuitHelp();
QString HelpFile();
// Opens the help file at a context number, when the file exists and a handler is known.
void ShowHelp(int contextId);

// Whether help has been opened since InitHelp (QuitHelp clears it).
bool HelpShown();
// Tests: opens the help file instead of the desktop's handler; nullptr restores it.
void SetHelpOpenerForTests(std::function<bool(const QString&)> opener);
