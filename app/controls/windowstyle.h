#pragma once
// How the program's windows style and lay out their parts by hand: the colour of a part's
// text and its background, the component name each part carries, and the first row and
// column past a part.

#include <QColor>
#include <QString>
#include <QWidget>

#include "platform/componentname.h"

namespace app {

// The colour of what the widget writes: a label's or check box's text, what a text box or
// list holds and a button's caption.
void SetTextColor(QWidget* widget, const QColor& colour);
// The widget filled with the colour behind its children.
void SetBackground(QWidget* widget, const QColor& colour);

using platform::Named;

inline int Bottom(const QWidget* w) { return w->y() + w->height(); }
inline int Right(const QWidget* w) { return w->x() + w->width(); }

}  // namespace app
