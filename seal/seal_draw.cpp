#include "seal/seal_draw.h"

#include <array>
#include <string>

#include "seal/draw_routines.h"
#include "seal/seal_kinds.h"

namespace seal {

namespace {

// The composition's view of an element: millimetre values in pixels at its own scale.
struct TScaled {
  const TSeal& seal;
  int operator()(long double mm) const { return seal.MmToPixels(mm); }
  int Hundredths(long double hundredths) const { return seal.HundredthsToPixels(hundredths); }
};

bool IsEllipticFrame(const TSeal& seal) {
  const TSealType t = seal.SealType();
  if (t == stEllipse || t == stEpsCL) return true;
  return HasFrameShape(t) && seal.NameSealFrameType() == ftEllipse;
}

// The model keeps the cut-line count within its cap; the drawers take the line count the
// points were built for.
int CutLineCount(const TSeal& seal) { return static_cast<int>(seal.CutLinePoints().size() / 2); }

TNameSealText NameText(const TSeal& seal) {
  const TScaled s{seal};
  TNameSealText t;
  t.face = seal.TextFontName();
  t.W = seal.Width();
  t.H = seal.Height();
  t.tw = s(seal.TextWidth());
  t.th = s(seal.TextHeight());
  if (HasMixedSizes(seal.SealType())) {
    t.tw1 = s(seal.TextWidth1());
    t.th1 = s(seal.TextHeight1());
  }
  t.weight = seal.TextWeight();
  t.bw = s(seal.TextsWidth());
  t.bh = s(seal.TextsHeight());
  t.pw = s.Hundredths(seal.TextPenWidth());
  t.cx = s(seal.TextCenterX());
  t.cy = s(seal.TextCenterY());
  t.blank = seal.Blank();
  t.italic = seal.Italic();
  t.text = seal.Text();
  return t;
}

using TNameLayout = void (*)(int, int, TCanvas&, TColor, TColor, TBrushStyle, const TNameSealText&);
constexpr std::array<TNameLayout, stName111 + 1> kNameLayouts = {
    DrawName22Text,  DrawName4Text,  DrawName12Text,  DrawName12AText, DrawName21Text,
    DrawName21AText, DrawName11Text, DrawName11AText, DrawName111Text,
};

// One of the four text bands of a frame seal, with its millimetre values.
struct TTextBand {
  const std::string& text;
  const TFaceName& face;
  bool isEllipse, topOrDown, blank, italic, rowCol, leftRight;
  float centerX, centerY, boxWidth, boxHeight, width, height;
  int weight, angle, penWidth, rowColCount;
};

std::array<TTextBand, 4> TextBands(const TSeal& e) {
  return {{
      {e.Text(), e.TextFontName(), e.IsEllipse(), e.TopOrDown(), e.Blank(), e.Italic(), e.RowCol(), e.LeftRight(),
       e.TextCenterX(), e.TextCenterY(), e.TextsWidth(), e.TextsHeight(), e.TextWidth(), e.TextHeight(),
       e.TextWeight(), e.TextAngle(), e.TextPenWidth(), e.RowColCount()},
      {e.Text1(), e.TextFontName1(), e.IsEllipse1(), e.TopOrDown1(), e.Blank1(), e.Italic1(), e.RowCol1(),
       e.LeftRight1(), e.TextCenterX1(), e.TextCenterY1(), e.TextsWidth1(), e.TextsHeight1(), e.TextWidth1(),
       e.TextHeight1(), e.TextWeight1(), e.TextAngle1(), e.TextPenWidth1(), e.RowColCount1()},
      {e.Text2(), e.TextFontName2(), e.IsEllipse2(), e.TopOrDown2(), e.Blank2(), e.Italic2(), e.RowCol2(),
       e.LeftRight2(), e.TextCenterX2(), e.TextCenterY2(), e.TextsWidth2(), e.TextsHeight2(), e.TextWidth2(),
       e.TextHeight2(), e.TextWeight2(), e.TextAngle2(), e.TextPenWidth2(), e.RowColCount2()},
      {e.Text3(), e.TextFontName3(), e.IsEllipse3(), e.TopOrDown3(), e.Blank3(), e.Italic3(), e.RowCol3(),
       e.LeftRight3(), e.TextCenterX3(), e.TextCenterY3(), e.TextsWidth3(), e.TextsHeight3(), e.TextWidth3(),
       e.TextHeight3(), e.TextWeight3(), e.TextAngle3(), e.TextPenWidth3(), e.RowColCount3()},
  }};
}

void DrawCentreLines(const TSeal& seal, int X, int Y, TCanvas& canvas, TColor pc, TColor bc, TBrushStyle bs) {
  const TScaled s{seal};
  const int W = seal.Width(), H = seal.Height();
  const int clw = s(seal.CLWidth()), clh = s(seal.CLHeight()), abw = s(seal.LineABW());
  const int clcx = s(seal.CLineCenterX()), clcy = s(seal.CLineCenterY());
  const int pw = s(seal.PenWidth()), pw4 = s(seal.PenWidth4());
  switch (seal.SealType()) {
    case stRect:
      DrawBoxedCentreLines(X, Y, canvas, pc, bc, bs, W, H, clw, clh, abw, clcx, clcy, pw, pw4, seal.IsZhuanLunA());
      break;
    case stEllipse:
      if (seal.IsZhuanLunA())
        DrawBoxedCentreLines(X, Y, canvas, pc, bc, bs, W, H, clw, clh, abw, clcx, clcy, pw, pw4, true);
      else
        DrawEllipseCentreLines(X, Y, canvas, pc, bc, bs, W, H, clw, clh, abw, clcx, clcy, pw, pw4);
      break;
    case stEpsCL:
      DrawSplitCentreLine(X, Y, canvas, pc, bc, bs, W, H, clw, abw, clcx, clcy, pw4);
      break;
    default:  // stTriangle, stRhomb
      DrawBoxedCentreLines(X, Y, canvas, pc, bc, bs, W, H, clw, clh, abw, clcx, clcy, pw, pw4, true);
      break;
  }
}

}  // namespace

void DrawSealFrame(const TSeal& seal, int X, int Y, TCanvas& canvas, TColor pc, TColor /*brushColour*/,
                   TBrushStyle bs) {
  const TScaled s{seal};
  const TSealType kind = seal.SealType();
  const int W = seal.Width(), H = seal.Height();
  const int pw = s(seal.PenWidth()), pw1 = s(seal.PenWidth1()), pw2 = s(seal.PenWidth2());
  const int oid = s(seal.OutInDelta()), id = s(seal.InDelta());
  const int lw = s(seal.LineWidth()), N = CutLineCount(seal);
  const int cw = s(seal.CodeWidth()), ch = s(seal.CodeHeight()), codeToFrame = s(seal.CodeToFrame());
  const int codeLength = s(seal.CodeLength()), codePw = s.Hundredths(seal.CodePenWidth());
  const bool hasCode = !seal.Code().empty();
  const TArrayPoints& points = seal.CutLinePoints();

  if (kind == stTriangle) {
    DrawTriangleFrame(X, Y, canvas, pc, pc, bs, W, H, pw, pw1, pw2, oid, id);
    DrawTriangleCutLines(canvas, X, Y, points, seal.LineType(), N, lw, pw, seal.CodeOn(), hasCode, W, H);
    // The triangle's base is along the top, the only side a straight code fits.
    DrawStraightCode(X, Y, canvas, pc, pc, bs, seal.CodeFontName(), cw, ch, W, H, seal.CodeWeight(), codeLength, pw,
                     codeToFrame, codePw, seal.CodeOn(), true, seal.CBlank(), seal.CItalic(), seal.Code());
  } else if (kind == stRhomb) {
    DrawRhombFrame(X, Y, canvas, pc, pc, bs, W, H, pw, pw1, pw2, oid, id);
    DrawRhombCutLines(canvas, X, Y, points, seal.LineType(), N, lw, pw, seal.CodeOn(), hasCode, W, H);
    DrawRhombCode(X, Y, canvas, pc, pc, bs, seal.CodeFontName(), seal.CodeTopOrDown(), seal.CodeOn(), seal.CBlank(),
                  seal.CItalic(), pw, codeLength, W, H, cw, ch, seal.CodeWeight(), codeToFrame, codePw, seal.Code());
  } else if (IsEllipticFrame(seal)) {
    DrawEllipseFrame(X, Y, canvas, pc, pc, bs, W, H, pw, pw1, pw2, oid, id);
    DrawEllipseCutLines(canvas, X, Y, points, seal.LineType(), N, lw, pw);
    DrawEllipseCode(X, Y, canvas, pc, pc, bs, seal.CodeFontName(), seal.CodeTopOrDown(), seal.CodeOn(),
                    seal.CBlank(), seal.CItalic(), codeToFrame, W, H, cw, ch, seal.CodeWeight(), pw,
                    seal.CodeAngle(), codePw, seal.Code());
  } else {
    DrawNameSealFrame(X, Y, canvas, pc, pc, bs, W, H, pw, pw1, pw2, oid, id, s(seal.RealSR()),
                      seal.NameSealFrameType());
    DrawRectCutLines(canvas, X, Y, points, seal.LineType(), N, lw, pw, seal.CodeOn(), hasCode,
                     seal.CodeTopOrDown());
    DrawStraightCode(X, Y, canvas, pc, pc, bs, seal.CodeFontName(), cw, ch, W, H, seal.CodeWeight(), codeLength, pw,
                     codeToFrame, codePw, seal.CodeOn(), seal.CodeTopOrDown(), seal.CBlank(), seal.CItalic(),
                     seal.Code());
  }
  DrawEmblem(X, Y, canvas, pc, pc, bs, seal.Image(), W, H, s(seal.ImageWidth()), s(seal.ImageHeight()),
             s(seal.PenWidth3()), s(seal.ImageCenterX()), s(seal.ImageCenterY()), seal.RecolourBitmap(),
             seal.HaveImage(), seal.ImageIsStar());
}

void DrawSealTexts(const TSeal& seal, int X, int Y, TCanvas& canvas, TColor pc, TColor /*brushColour*/,
                   TBrushStyle bs) {
  const TScaled s{seal};
  const int W = seal.Width(), H = seal.Height();
  for (const TTextBand& b : TextBands(seal)) {
    if (b.isEllipse)
      DrawEllipseText(X, Y, canvas, pc, pc, bs, b.face, b.topOrDown, b.blank, b.italic, W, H, s(b.centerX),
                      s(b.centerY), s(b.boxWidth), s(b.boxHeight), s(b.width), s(b.height), b.weight, b.angle,
                      s.Hundredths(b.penWidth), b.text);
    else
      DrawTextBlock(X, Y, canvas, pc, pc, bs, b.face, s(b.centerX), s(b.centerY), s(b.width), s(b.height),
                    s(b.boxWidth), s(b.boxHeight), b.weight, W, H, s.Hundredths(b.penWidth), b.rowColCount,
                    b.rowCol, b.leftRight, b.blank, b.italic, b.text);
  }
}

void DrawSeal(const TSeal& seal, int X, int Y, TCanvas& canvas, TColor pc, TColor bc, TBrushStyle bs) {
  const TScaled s{seal};
  const TSealType kind = seal.SealType();
  const int W = seal.Width(), H = seal.Height();
  const int pw = s(seal.PenWidth());
  if (IsNameSeal(kind)) {
    DrawSealFrame(seal, X, Y, canvas, pc, bc, bs);
    kNameLayouts[kind](X, Y, canvas, pc, bc, bs, NameText(seal));
    return;
  }
  switch (kind) {
    case stRect:
    case stEllipse:
    case stEpsCL:
    case stTriangle:
    case stRhomb:
      DrawSealFrame(seal, X, Y, canvas, pc, bc, bs);
      DrawCentreLines(seal, X, Y, canvas, pc, bc, bs);
      DrawSealTexts(seal, X, Y, canvas, pc, bc, bs);
      break;
    case stHorzLine:
      DrawHorzLine(X, Y, canvas, pc, W, pw);
      break;
    case stVertLine:
      DrawVertLine(X, Y, canvas, pc, H, pw);
      break;
    case stAnyAngleLine:
      DrawAnyAngleLine(X, Y, canvas, pc, bc, bs, W, H, s(seal.RealTextLength()), seal.TextAngle(), pw);
      break;
    case stArc:
      DrawArc(X, Y, canvas, pc, bc, bs, seal.TopOrDown(), W, H, seal.TextAngle(), seal.CodeAngle(), pw);
      break;
    case stHorzText:
      DrawTextBlock(X, Y, canvas, pc, bc, bs, seal.TextFontName(), 0, 0, s(seal.TextWidth()), s(seal.TextHeight()),
                    W, H, seal.TextWeight(), W, H, s.Hundredths(seal.TextPenWidth()), seal.RowColCount(),
                    seal.RowCol(), seal.LeftRight(), seal.Blank(), seal.Italic(), seal.Text());
      break;
    case stEllipseText:
      DrawEllipseText(X, Y, canvas, pc, bc, bs, seal.TextFontName(), seal.TopOrDown(), seal.Blank(), seal.Italic(),
                      W, H, 0, 0, W, H, s(seal.TextWidth()), s(seal.TextHeight()), seal.TextWeight(),
                      seal.TextAngle(), s.Hundredths(seal.TextPenWidth()), seal.Text());
      break;
    case stAnyAngleText:
      DrawAngleText(X, Y, canvas, pc, bc, bs, seal.TextFontName(), seal.Bold(), seal.Italic(), seal.Blank(), W, H,
                    s(seal.TextWidth()), s(seal.TextHeight()), s(seal.RealTextLength()), seal.TextAngle(),
                    s.Hundredths(seal.TextPenWidth()), seal.TextWeight(), seal.Text());
      break;
    case stFiveStar:
      DrawFiveStar(X, Y, canvas, W, H, s(seal.PenWidth3()), pc, bc, bs);
      break;
    case stCell:
      DrawCells(X, Y, canvas, pc, bc, bs, W, H, seal.RowColCount(), seal.RowColCount1(), pw, s(seal.PenWidth1()));
      break;
    case stAnyImage:
      DrawEmblem(X, Y, canvas, pc, bc, bs, std::string(), W, H, W, H, 0, 0, 0, seal.RecolourBitmap(),
                 seal.HaveImage(), seal.ImageIsStar());
      break;
    default:
      break;
  }
}

}  // namespace seal

namespace seal {

void TSeal::Paint() {
  platform::TPainterCanvas canvas(this);
  DrawSeal(*this, 0, 0, canvas, FPenColor, FBrushColor, FBrushStyle);
}

void TSeal::DrawTo(int X, int Y, platform::TCanvas* canvas, bool colourMode) {
  if (!canvas) return;
  if (colourMode || FPenColor == platform::clWhite) {
    DrawSeal(*this, X, Y, *canvas, FPenColor, FBrushColor, FBrushStyle);
    return;
  }
  // Black for pen and fills alike, and both colours as they were afterwards, also when a
  // drawing routine fails: a brush colour of its own is part of the design and is saved
  // with it.
  class TColoursBack {
   public:
    explicit TColoursBack(TSeal& seal) : FSeal(seal), FPen(seal.PenColor()), FBrush(seal.BrushColor()) {}
    ~TColoursBack() {
      FSeal.SetPenColor(FPen);
      FSeal.SetBrushColor(FBrush);
    }
    TColoursBack(const TColoursBack&) = delete;
    TColoursBack& operator=(const TColoursBack&) = delete;

   private:
    TSeal& FSeal;
    platform::TColor FPen;
    platform::TColor FBrush;
  };
  const TColoursBack back(*this);
  SetPenColor(platform::clBlack);
  SetBrushColor(platform::clBlack);
  DrawSeal(*this, X, Y, *canvas, FPenColor, FBrushColor, FBrushStyle);
}

}  // namespace seal
