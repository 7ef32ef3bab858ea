#pragma once
// The glyphs a layout drew, read back from the recording canvas one row per character.

#include <string>
#include <vector>

#include "platform/recordingcanvas.h"

namespace texttest {

enum class TGlyphKind { plain, outline, hollow };

struct TGlyphRow {
  std::string text;  // GBK
  int x = 0, y = 0;
  int escapement = 0;
  int width = 0, height = 0;
  int weight = 0;
  int italic = 0;
  platform::TColor colour = 0;
  TGlyphKind kind = TGlyphKind::plain;
};

std::vector<TGlyphRow> GlyphRows(const platform::TRecordingCanvas& canvas);

struct TPos {
  int x, y;
  bool operator==(const TPos&) const = default;
};
// The cell top-lefts of the glyphs, relative to (X, Y).
std::vector<TPos> Positions(const std::vector<TGlyphRow>& rows, int X = 0, int Y = 0);

struct TLine {
  int x0, y0, x1, y1;
  bool operator==(const TLine&) const = default;
};
// The LineTo records in order (each from the pen position it started at).
std::vector<TLine> LineRecords(const platform::TRecordingCanvas& canvas);

}  // namespace texttest
