#pragma once
// Pointer positions arrive as fractions on scaled screens; the controls work in whole pixels,
// rounded like every other pixel value.

#include <QPoint>
#include <QPointF>

#include "platform/numeric.h"

namespace platform {

inline QPoint EventPoint(const QPointF& pos) { return QPoint(Round(pos.x()), Round(pos.y())); }

}  // namespace platform
