#pragma once
// What the four dialogs share: the screen's resolution and menu font they are laid out
// with, centring on the screen, their pictures from the library's resources and the pink
// border two of them paint.
//
// Texts of the library are made with QString::fromUtf8, never QStringLiteral: a literal's
// characters stay in the library's own memory, and a copy of such a string that outlives the
// call (a window title read by the caller, say) would point into the unloaded library.

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include "platform/componentname.h"

class QDialog;
class QPushButton;

namespace platform {
class TCanvas;
}

namespace merulin {

// The screen's logical pixels per inch, rounded; 96 without a screen.
int ScreenPixelsPerInch();
// The font of the desktop's menus.
QFont MenuFont();

// A dialog of the library: a child of the caller's window (none for a null AppHandle),
// not deleted on close, in the menu font.
void PrepareForm(QDialog* form, Qt::WindowFlags frame);
// Gives the form its client size and centres it on its screen.
void PlaceOnScreen(QWidget* form, int clientWidth, int clientHeight);

// The colour of a label's or check box's text and of what a text box holds.
void SetTextColor(QWidget* widget, const QColor& color);
// A push button at least as large as the desktop's usual 75 x 25 at 96 dots per inch.
void SizeButton(QPushButton* button, int pixelsPerInch);
void SetBackground(QWidget* widget, const QColor& color);

using platform::Named;

// The first row and column past a control, as the forms' layout rules count them.
inline int Bottom(const QWidget* w) { return w->y() + w->height(); }
inline int Right(const QWidget* w) { return w->x() + w->width(); }

// A picture of the library's resources. Transparent: the colour of its bottom-left pixel
// is left out, as the picture controls of the forms draw their bitmaps. Throws
// platform::EPictureError when the resource is missing or no GIF.
QPixmap ResourcePicture(const QString& resource, bool transparent);

// The border of the borderless dialogs: a 2-pixel pen in RGB(255, 128, 192) around the
// rectangle from (1, 1) to (width, height).
void DrawBorder(platform::TCanvas& canvas, int width, int height);

}  // namespace merulin
