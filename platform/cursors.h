#pragma once
// The screen's cursor table: cursors by slot number, as controls name them by index. Slots
// without a registered cursor give the system's default arrow.

#include <QCursor>

namespace platform {

void RegisterScreenCursor(int slot, const QCursor& cursor);
QCursor ScreenCursor(int slot);
bool HasScreenCursor(int slot);

}  // namespace platform
