#include "document/tooltags.h"

namespace app {

namespace {

struct TToolCursor {
  int tag;
  int slot;
};

// Slots 2 to 6 hold "Hand", "Zoom", "ZoomIn", "ZoomOut" and "DrawCharSet".
constexpr TToolCursor kToolCursors[] = {{kGrabScrollTool, 2}, {kZoomInTool, 4}, {kZoomOutTool, 5}};
constexpr int kDrawCharSetSlot = 6;

}  // namespace

int ToolCursorSlot(int tag) {
  if (tag == 0) return 0;
  for (const TToolCursor& c : kToolCursors)
    if (c.tag == tag) return c.slot;
  return kDrawCharSetSlot;
}

}  // namespace app
