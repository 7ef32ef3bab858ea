#pragma once
// The desktop's open and save dialogs for pictures: Qt's own file dialog with a preview beside
// the list of whatever picture file the cursor is on, so the user sees what a name would open
// or replace.

#include <QString>

class QWidget;

namespace app {

// Starts at start (a folder, or a file in one); the chosen path, empty when cancelled. The
// dialog asks nothing about the file: the caller does, once the name is complete.
QString SavePictureDialog(QWidget* parent, const QString& start, const QString& filter);
// The same for an existing picture file to open.
QString OpenPictureDialog(QWidget* parent, const QString& start, const QString& filter);

}  // namespace app
