#include "platform/cursors.h"

#include <map>

namespace platform {

namespace {

std::map<int, QCursor>& Table() {
  static std::map<int, QCursor> table;
  return table;
}

}  // namespace

void RegisterScreenCursor(int slot, const QCursor& cursor) { Table()[slot] = cursor; }

QCursor ScreenCursor(int slot) {
  const auto it = Table().find(slot);
  return it == Table().end() ? QCursor(Qt::ArrowCursor) : it->second;
}

bool HasScreenCursor(int slot) { return Table().count(slot) != 0; }

}  // namespace platform
