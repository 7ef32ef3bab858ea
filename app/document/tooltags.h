#pragma once
// What the tag of the armed drawing tool means to a page: tags 1 to 41 make one element
// (element tools, templates, the emblem picture) and are then released; the page tools stay
// armed until their command runs again.

namespace app {

inline constexpr int kLastElementTool = 41;
inline constexpr int kGrabScrollTool = 42;
inline constexpr int kZoomInTool = 43;
inline constexpr int kZoomOutTool = 44;

// The screen cursor slot of a page while the tool of tag is armed; 0 for the default arrow
// (no tool armed).
int ToolCursorSlot(int tag);

}  // namespace app
