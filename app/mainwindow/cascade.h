#pragma once
// Where document windows go in the document area: one after another, each a caption's
// height further right and down than the one before, as deep as they fit, then from the
// top-left corner again, so that every caption and its buttons lie inside the area. A new
// window takes three quarters of the area; the cascade command gives every window the size
// at which the deepest of them still fits.

#include <QPoint>
#include <QSize>

class QMdiSubWindow;

namespace app {

// The top-left corner of the window at that index of a cascade of windows of that size.
QPoint CascadePlace(const QSize& area, const QSize& window, int step, int index);
// The size of each of count windows cascaded over the area; however many there are, each
// keeps at least half the area either way, the cascade starting again where it would not.
QSize CascadeSize(const QSize& area, int step, int count);
// One step of the cascade: the height of the window's caption with its frame.
int CascadeStep(const QMdiSubWindow& window);

}  // namespace app
