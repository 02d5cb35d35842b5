#pragma once

// Set when the main window closes while the secondary browser window is still open: the program
// then ends when that window closes.
bool pendingExit();
void setPendingExit(bool value);

#include <functional>

// Ends the program: leaves the event loop. Tests replace this to observe the end instead.
void endProgram();
void setEndProgramHookForTesting(std::function<void()> hook);
