#pragma once
// The program's entry routine: splash window, application title, main window, then the
// message loop until the main window closes.

#include <memory>

class QApplication;
class TfrmMain;

// Shows the splash window, sets the title, creates the main window while the splash
// announces each step, and frees the splash window. The main window is not shown yet.
std::unique_ptr<TfrmMain> StartProgram();

// The whole run; returns the exit code. A Yes to the narrow-screen question ends the
// program here, without showing the main window.
int RunProgram(QApplication& application);
