#pragma once
// The program's entry routine: splash window, application title, main window, then the
// message loop until the main window closes.

#include <memory>

class QApplication;
class TfrmMain;

// Shows the splash window, sets the title, creates the main window while the splash
// announces each step, then the drawing-tools palette it owns, and frees the splash window.
// Neither window is shown yet: the main window shows the palette when it is first shown.
std::unique_ptr<TfrmMain> StartProgram();

// The whole run; returns the exit code. A Yes to the narrow-screen question ends the
// program here, without showing the main window.
int RunProgram(QApplication& application);
