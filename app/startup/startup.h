#pragma once
// The program's entry routine: splash window, application title, main window, then the
// message loop until the main window closes.

#include <memory>

class QApplication;
class QString;
class TfrmMain;

// Qt's own dialogs and standard buttons speak the language of every caption of the program:
// Qt's Simplified Chinese translation is installed from folder. Without it they stay in
// English, and nothing is said; false then.
bool LoadQtTranslations(const QString& folder);

// Shows the splash window, sets the title, creates the main window while the splash
// announces each step, then the drawing-tools palette it owns, and frees the splash window.
// Neither window is shown yet: the main window shows the palette when it is first shown.
std::unique_ptr<TfrmMain> StartProgram();

// The whole run, Qt's translation from Qt's own folder first; returns the exit code. A Yes to the narrow-screen question ends the
// program here, without showing the main window.
int RunProgram(QApplication& application);
