#include "seal/draw_routines.h"
#include "platform/gbk.h"
#include "platform/numeric.h"

namespace seal {

bool IsDoubleByteChar(std::string_view gbkChar) { return gbkChar.size() > 1; }

platform::TLogFont CreateSealFont(int width, int height, int escapement, const TFaceName& face, int weight,
                                  bool doubleByte, bool italic) {
  platform::TLogFont f;
  f.Height = height;
  // The record's width is the average character width; a full-width glyph is two of them.
  f.Width = doubleByte ? platform::Round(static_cast<long double>(width) / 2) : width;
  f.Escapement = escapement;
  f.Orientation = escapement;
  f.Weight = weight;
  f.Italic = italic ? 1 : 0;
  f.Underline = 0;
  f.StrikeOut = 0;
  f.CharSet = platform::kDefaultCharset;
  f.OutPrecision = platform::kOutDefaultPrecis;
  f.ClipPrecision = platform::kClipDefaultPrecis;
  f.Quality = platform::kProofQuality;
  f.PitchAndFamily = platform::kVariablePitch | platform::kFfDontCare;
  f.SetFaceName(std::string_view(face.data(), face.size()));
  return f;
}

void DrawGlyph(TCanvas& canvas, int x, int y, int penWidth, bool hollow, TColor colour, TColor /*brushColour*/,
               TBrushStyle brushStyle, std::string_view gbkChar, bool onFrame) {
  if (canvas.Font().Height == 0) return;  // a cell without height has nothing to show
  const TColor c = (brushStyle != platform::bsClear || onFrame) ? platform::clWhite : colour;
  if (!hollow && penWidth <= 0) {
    canvas.SetFontColor(c);
    canvas.SetBrushStyle(platform::bsClear);
    canvas.TextOut(x, y, gbkChar);
    return;
  }
  canvas.SetBackgroundTransparent();
  canvas.SetPenColor(c);
  canvas.SetPenWidth(penWidth);
  canvas.BeginPath();
  canvas.SetBrushStyle(platform::bsClear);
  canvas.TextOut(x, y, gbkChar);
  if (!hollow) {
    // A clear style fills solid too, so positive and negative glyphs are both filled.
    canvas.SetBrushStyle(onFrame || brushStyle == platform::bsClear ? platform::bsSolid : brushStyle);
    canvas.SetBrushColor(c);
  }
  canvas.EndPath();
  canvas.StrokeAndFillPath();
}

void DrawFontGlyph(TCanvas& canvas, int x, int y, const platform::TLogFont& font, int penWidth, bool hollow,
                   TColor colour, TBrushStyle brushStyle, std::string_view gbkChar, bool onFrame) {
  canvas.SetFont(font);
  DrawGlyph(canvas, x, y, penWidth, hollow, colour, colour, brushStyle, gbkChar, onFrame);
}

std::vector<std::string_view> SplitGlyphs(std::string_view gbk) {
  std::vector<std::string_view> glyphs;
  for (size_t i = 0; i < gbk.size();) {
    const size_t n = platform::GbkCharLength(gbk, i);
    glyphs.push_back(gbk.substr(i, n));
    i += n;
  }
  return glyphs;
}

void SetCanvasPenBrush(TCanvas& canvas, int penWidth, TColor penColour, TColor brushColour, TBrushStyle brushStyle) {
  canvas.SetPenWidth(penWidth);
  canvas.SetPenColor(penColour);
  canvas.SetBrushColor(brushColour);
  canvas.SetBrushStyle(brushStyle);
}

}  // namespace seal
