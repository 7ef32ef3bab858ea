#pragma once
// The outlines of the text the canvas draws, made where no window's text can reach them.
// Qt shares a FreeType face among all the fonts of one thread that use its file, and drawing
// a window's text leaves the sub-pixel shift of the last glyph it rendered on the face, which
// the next outline taken from that face inherits: an export or a print would then change with
// whatever the screen drew before it. The outlines are therefore made on a thread of their
// own, whose faces draw nothing else, so that they depend only on the font and the text.

#include <QFont>
#include <QPainterPath>
#include <QString>

namespace platform {

struct TGlyphOutline {
  QPainterPath Path;
  // The text's advance along its baseline.
  qreal Advance = 0;
};

// The outline of text in font, its baseline at y = baseline and its start at x = 0.
TGlyphOutline GlyphOutline(const QFont& font, qreal baseline, const QString& text);

}  // namespace platform
