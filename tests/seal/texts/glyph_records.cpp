#include "glyph_records.h"

namespace texttest {

std::vector<TGlyphRow> GlyphRows(const platform::TRecordingCanvas& canvas) {
  std::vector<TGlyphRow> rows;
  bool inPath = false;
  for (const platform::TCanvasRecord& r : canvas.Records()) {
    if (r.Op == "BeginPath") inPath = true;
    if (r.Op == "TextOut") {
      TGlyphRow g;
      g.text = r.Text;
      g.x = r.Args[0];
      g.y = r.Args[1];
      g.escapement = r.Font.Escapement;
      g.width = r.Font.Width;
      g.height = r.Font.Height;
      g.weight = r.Font.Weight;
      g.italic = r.Font.Italic;
      g.colour = inPath ? r.Pen.Color : r.FontColor;
      rows.push_back(g);
    }
    if (r.Op == "StrokeAndFillPath") {
      inPath = false;
      if (!rows.empty())
        rows.back().kind = r.Brush.Style == platform::bsClear ? TGlyphKind::hollow : TGlyphKind::outline;
    }
  }
  return rows;
}

std::vector<TLine> LineRecords(const platform::TRecordingCanvas& canvas) {
  std::vector<TLine> lines;
  for (const platform::TCanvasRecord& r : canvas.Records())
    if (r.Op == "LineTo") lines.push_back({r.Args[0], r.Args[1], r.Args[2], r.Args[3]});
  return lines;
}

std::vector<TPos> Positions(const std::vector<TGlyphRow>& rows, int X, int Y) {
  std::vector<TPos> out;
  for (const TGlyphRow& g : rows) out.push_back({g.x - X, g.y - Y});
  return out;
}

}  // namespace texttest
