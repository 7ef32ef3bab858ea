#include "platform/recordingcanvas.h"

#include <array>
#include <cstdio>

#include "platform/gbk.h"
#include "platform/picture.h"

namespace platform {

namespace {

std::string Hex(TColor c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(c));
  return buf;
}

const char* StyleName(TBrushStyle s) {
  static constexpr std::array<const char*, 8> kNames{"bsSolid",    "bsClear",     "bsHorizontal", "bsVertical",
                                                     "bsFDiagonal", "bsBDiagonal", "bsCross",      "bsDiagCross"};
  const auto i = static_cast<size_t>(s);
  return i < kNames.size() ? kNames[i] : "bs?";
}

}  // namespace

std::string TCanvasRecord::ToString() const {
  std::string s = Op;
  for (int a : Args) s += " " + std::to_string(a);
  s += " pen " + std::to_string(Pen.Width) + " " + Hex(Pen.Color);
  s += std::string(" brush ") + StyleName(Brush.Style) + " " + Hex(Brush.Color);
  if (Op == "TextOut") {
    const TLogFont& f = Font;
    s += " text \"" + GbkToUnicode(Text).toStdString() + "\" color " + Hex(FontColor) +
         (TransparentBackground ? " transparent" : " opaque");
    s += " font " + std::to_string(f.Height) + " " + std::to_string(f.Width) + " " + std::to_string(f.Escapement) +
         " " + std::to_string(f.Orientation) + " " + std::to_string(f.Weight) + " " + std::to_string(f.Italic) + " " +
         std::to_string(f.Underline) + " " + std::to_string(f.StrikeOut) + " " + std::to_string(f.CharSet) + " " +
         std::to_string(f.OutPrecision) + " " + std::to_string(f.ClipPrecision) + " " + std::to_string(f.Quality) +
         " " + std::to_string(f.PitchAndFamily) + " \"" + GbkToUnicode(f.FaceName).toStdString() + "\"";
  }
  if (Op == "Draw") s += CopyMode == TCopyMode::cmSrcPaint ? " or" : " copy";
  return s;
}

std::vector<std::string> TRecordingCanvas::Lines() const {
  std::vector<std::string> out;
  out.reserve(records_.size());
  for (const TCanvasRecord& r : records_) out.push_back(r.ToString());
  return out;
}

TCanvasRecord& TRecordingCanvas::Add(std::string op, std::vector<int> args) {
  TCanvasRecord r;
  r.Op = std::move(op);
  r.Args = std::move(args);
  r.Pen = Pen();
  r.Brush = Brush();
  r.CopyMode = CopyMode();
  records_.push_back(std::move(r));
  return records_.back();
}

void TRecordingCanvas::DrawLine(TPoint from, TPoint to) { Add("LineTo", {from.X, from.Y, to.X, to.Y}); }

void TRecordingCanvas::Rectangle(int l, int t, int r, int b) { Add("Rectangle", {l, t, r, b}); }
void TRecordingCanvas::FillRect(int l, int t, int r, int b) { Add("FillRect", {l, t, r, b}); }
void TRecordingCanvas::Ellipse(int l, int t, int r, int b) { Add("Ellipse", {l, t, r, b}); }
void TRecordingCanvas::RoundRect(int l, int t, int r, int b, int cw, int ch) { Add("RoundRect", {l, t, r, b, cw, ch}); }

void TRecordingCanvas::Polygon(const std::vector<TPoint>& points) {
  std::vector<int> args;
  for (const TPoint& p : points) {
    args.push_back(p.X);
    args.push_back(p.Y);
  }
  Add("Polygon", std::move(args));
}

void TRecordingCanvas::Arc(int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  Add("Arc", {l, t, r, b, xs, ys, xe, ye});
}
void TRecordingCanvas::Pie(int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  Add("Pie", {l, t, r, b, xs, ys, xe, ye});
}

void TRecordingCanvas::TextOut(int x, int y, std::string_view gbk) {
  TCanvasRecord& r = Add("TextOut", {x, y});
  r.Text = std::string(gbk);
  r.Font = Font();
  r.FontColor = FontColor();
  r.TransparentBackground = BackgroundTransparent();
}

void TRecordingCanvas::BeginPath() { Add("BeginPath", {}); }
void TRecordingCanvas::EndPath() { Add("EndPath", {}); }
void TRecordingCanvas::StrokeAndFillPath() { Add("StrokeAndFillPath", {}); }

void TRecordingCanvas::StretchDraw(int l, int t, int r, int b, const TBitmap& bitmap) {
  Add("StretchDraw", {l, t, r, b, bitmap.Width(), bitmap.Height(), bitmap.Transparent() ? 1 : 0});
}
void TRecordingCanvas::StretchDraw(int l, int t, int r, int b, const TPicture& picture) {
  Add("StretchDraw", {l, t, r, b, picture.Width(), picture.Height(), 0});
}
void TRecordingCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  Add("Draw", {x, y, bitmap.Width(), bitmap.Height(), bitmap.Transparent() ? 1 : 0});
}
void TRecordingCanvas::Draw(int x, int y, const TPicture& picture) {
  Add("Draw", {x, y, picture.Width(), picture.Height(), 0});
}

}  // namespace platform
