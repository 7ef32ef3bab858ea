#pragma once
// What the library's two dialogs share: the desktop's menu font, the resolution they are
// laid out with, their label colour and their buttons' size.

#include <QColor>
#include <QWidget>

class QPushButton;

namespace app {

// The label colour of both dialogs, RGB(0, 128, 255).
inline const QColor kLibraryLabelColor(0, 128, 255);

// A dialog in the menu font, with a dialog border and no help button; returns the pixels
// per inch of its screen to lay it out with.
int PrepareLibraryDialog(QWidget* dialog, const QString& caption);
// A push button of the desktop's usual 75 × 25 at 96 dots per inch, wider where its
// caption needs it but never wider than maxWidth.
void SizeButton(QPushButton* button, int pixelsPerInch, int maxWidth);

}  // namespace app
