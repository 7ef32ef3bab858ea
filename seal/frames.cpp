#include <algorithm>
#include <cmath>
#include <numbers>

#include "seal/draw_routines.h"
#include "platform/numeric.h"

namespace seal {

using platform::Round;
using platform::SaturateToInt;
using platform::TPoint;

namespace {

using Real = long double;
constexpr Real kPi = std::numbers::pi_v<long double>;

// A border's box: its pen is centred on the box outline.
struct TBox {
  int x, y, w, h;
};

// The box of a border of width penWidth whose outer edge lies inset from the element's
// edge; the outer border has inset 0.
TBox BorderBox(int X, int Y, int W, int H, long long inset, int penWidth) {
  const Real half = static_cast<Real>(penWidth) / 2;
  return {Round(X + inset + half), Round(Y + inset + half), SaturateToInt(W - 2 * inset - penWidth),
          SaturateToInt(H - 2 * inset - penWidth)};
}

void DrawFrameShape(TCanvas& canvas, TFrameType frameType, const TBox& b, int sr) {
  const int right = SaturateToInt(static_cast<long long>(b.x) + b.w);
  const int bottom = SaturateToInt(static_cast<long long>(b.y) + b.h);
  switch (frameType) {
    case ftEllipse:
      canvas.Ellipse(b.x, b.y, right, bottom);
      break;
    case ftRectangle:
      canvas.Rectangle(b.x, b.y, right, bottom);
      break;
    case ftRoundRect:
      canvas.RoundRect(b.x, b.y, right, bottom, sr, sr);
      break;
    case ftDiamond: {
      const auto at = [](int base, long long offset) { return SaturateToInt(base + offset); };
      canvas.Polygon({{at(b.x, sr), b.y},
                      {at(right, -static_cast<long long>(sr)), b.y},
                      {right, at(b.y, sr)},
                      {right, at(bottom, -static_cast<long long>(sr))},
                      {at(right, -static_cast<long long>(sr)), bottom},
                      {at(b.x, sr), bottom},
                      {b.x, at(bottom, -static_cast<long long>(sr))},
                      {b.x, at(b.y, sr)}});
      break;
    }
  }
}

// The three borders of the stroked frames. A negative outer width draws no outer border
// and insets the inner ones as a zero width would.
void DrawStrokedFrame(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                      int W, int H, int pw, int pw1, int pw2, int oid, int id, int sr, TFrameType frameType) {
  if (W <= 0 || H <= 0) return;
  if (pw >= 0) {
    SetFramePen(canvas, brushStyle, penColour, brushColour, pw);
    DrawFrameShape(canvas, frameType, BorderBox(X, Y, W, H, 0, pw), sr);
  }
  SetInnerLinePen(canvas, brushStyle);
  const long long outer = std::max(pw, 0);
  if (pw1 >= 1) {
    canvas.SetPenWidth(pw1);
    DrawFrameShape(canvas, frameType, BorderBox(X, Y, W, H, outer + oid, pw1), sr);
  }
  if (pw2 >= 1) {
    canvas.SetPenWidth(pw2);
    DrawFrameShape(canvas, frameType, BorderBox(X, Y, W, H, outer + id, pw2), sr);
  }
}

TPoint Moved(TPoint p, long long dx, long long dy) { return {SaturateToInt(p.X + dx), SaturateToInt(p.Y + dy)}; }

// A polygon frame drawn as filled bands: the outer polygon, the polygon inside the outer
// border, and the inset that moves every vertex of a polygon by a distance.
template <class TShape>
void DrawBandedFrame(TCanvas& canvas, TColor colour, TBrushStyle brushStyle, int pw, int pw1, int pw2, int oid, int id,
                     const TShape& shape) {
  canvas.SetPenWidth(1);
  canvas.SetPenColor(colour);
  canvas.SetBrushColor(colour);
  canvas.SetBrushStyle(platform::bsSolid);
  const auto inner = shape.InsideOuterBorder(std::max(pw, 0));
  if (pw >= 0) shape.DrawBand(canvas, shape.Outer(), inner);
  if (brushStyle == platform::bsSolid) {
    shape.Fill(canvas, inner);
    canvas.SetPenColor(platform::clWhite);
    canvas.SetBrushColor(platform::clWhite);
  }
  const auto band = [&](int gap, int width) {
    const auto from = shape.Inset(inner, gap);
    shape.DrawBand(canvas, from, shape.Inset(from, width));
  };
  if (pw1 > 0) band(oid, pw1);
  if (pw2 > 0) band(id, pw2);
}

// Base along the top edge, apex at the bottom centre.
class TTriangleShape {
 public:
  struct TVertices {
    TPoint TL, TR, Apex;
  };

  TTriangleShape(int X, int Y, int W, int H) : X_(X), Y_(Y), W_(W), H_(H) {
    const Real alpha = std::atan(static_cast<Real>(W) / (2 * static_cast<Real>(H)));
    const Real beta = kPi / 4 - alpha / 2;
    f_ = std::cos(beta) / std::sin(beta);
    g_ = std::sin(alpha);
  }

  TVertices Outer() const {
    const TPoint apex{Round(X_ + static_cast<Real>(W_) / 2 - 1), SaturateToInt(Y_ + static_cast<long long>(H_) - 1)};
    return {{X_, Y_}, {SaturateToInt(X_ + static_cast<long long>(W_) - 1), Y_}, apex};
  }

  TVertices InsideOuterBorder(int pw) const {
    const TVertices o = Outer();
    const long long side = Round(pw * f_);
    return {Moved(o.TL, side - 1, pw - 1), Moved(o.TR, -side, pw - 1),
            Moved(o.Apex, 0, -static_cast<long long>(Round(pw / g_)))};
  }

  TVertices Inset(const TVertices& v, int d) const {
    const long long side = Round(d * f_);
    return {Moved(v.TL, side, d), Moved(v.TR, -side, d), Moved(v.Apex, 0, -static_cast<long long>(Round(d / g_)))};
  }

  static void DrawBand(TCanvas& canvas, const TVertices& o, const TVertices& i) {
    canvas.Polygon({i.TL, o.TL, o.TR, o.Apex, i.Apex, i.TR});
    canvas.Polygon({o.TL, o.Apex, i.Apex, i.TL});
  }

  static void Fill(TCanvas& canvas, const TVertices& v) { canvas.Polygon({v.TL, v.TR, v.Apex}); }

 private:
  int X_, Y_, W_, H_;
  Real f_, g_;
};

// Vertices at the middles of the four edges.
class TRhombShape {
 public:
  struct TVertices {
    TPoint T, L, Bm, R;
  };

  TRhombShape(int X, int Y, int W, int H) : X_(X), Y_(Y), W_(W), H_(H) {
    const Real gamma = std::atan(static_cast<Real>(W) / static_cast<Real>(H));
    sin_ = std::sin(gamma);
    cos_ = std::cos(gamma);
  }

  TVertices Outer() const {
    const int tx = Round(X_ + static_cast<Real>(W_) / 2 - 1);
    const int ly = Round(Y_ + static_cast<Real>(H_) / 2 - 1);
    return {{tx, Y_},
            {X_, ly},
            {tx, SaturateToInt(Y_ + static_cast<long long>(H_) - 1)},
            {SaturateToInt(X_ + static_cast<long long>(W_) - 1), ly}};
  }

  TVertices InsideOuterBorder(int pw) const {
    const TVertices o = Outer();
    const long long dy = Round(pw / sin_);
    const long long dx = Round(pw / cos_);
    return {{o.T.X, SaturateToInt(Y_ + dy - 1)},
            {SaturateToInt(X_ + dx - 1), o.L.Y},
            {o.T.X, SaturateToInt(Y_ + static_cast<long long>(H_) - dy - 1)},
            {SaturateToInt(X_ + static_cast<long long>(W_) - dx - 1), o.L.Y}};
  }

  TVertices Inset(const TVertices& v, int d) const {
    const long long dy = Round(d / sin_);
    const long long dx = Round(d / cos_);
    return {Moved(v.T, 0, dy), Moved(v.L, dx, 0), Moved(v.Bm, 0, -dy), Moved(v.R, -dx, 0)};
  }

  static void DrawBand(TCanvas& canvas, const TVertices& o, const TVertices& i) {
    canvas.Polygon({i.T, o.T, o.L, o.Bm, o.R, i.R, i.Bm, i.L, i.T});
    canvas.Polygon({i.T, o.T, o.R, i.R});
  }

  static void Fill(TCanvas& canvas, const TVertices& v) { canvas.Polygon({v.T, v.L, v.Bm, v.R}); }

 private:
  int X_, Y_, W_, H_;
  Real sin_, cos_;
};

}  // namespace

void SetFramePen(TCanvas& canvas, TBrushStyle brushStyle, TColor penColour, TColor brushColour, int pw) {
  canvas.SetBrushColor(brushColour);
  canvas.SetBrushStyle(brushStyle);
  canvas.SetPenColor(penColour);
  canvas.SetPenWidth(pw);
}

void SetInnerLinePen(TCanvas& canvas, TBrushStyle brushStyle) {
  if (brushStyle != platform::bsSolid) return;
  canvas.SetPenColor(platform::clWhite);
  canvas.SetBrushStyle(platform::bsClear);
}

void DrawNameSealFrame(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                       int W, int H, int pw, int pw1, int pw2, int oid, int id, int sr, TFrameType frameType) {
  DrawStrokedFrame(X, Y, canvas, penColour, brushColour, brushStyle, W, H, pw, pw1, pw2, oid, id, sr, frameType);
}

void DrawEllipseFrame(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                      int W, int H, int pw, int pw1, int pw2, int oid, int id) {
  DrawStrokedFrame(X, Y, canvas, penColour, brushColour, brushStyle, W, H, pw, pw1, pw2, oid, id, 0, ftEllipse);
}

void DrawTriangleFrame(int X, int Y, TCanvas& canvas, TColor penColour, TColor /*brushColour*/, TBrushStyle brushStyle,
                       int W, int H, int pw, int pw1, int pw2, int oid, int id) {
  if (std::min(W, H) <= 0) return;
  DrawBandedFrame(canvas, penColour, brushStyle, pw, pw1, pw2, oid, id, TTriangleShape(X, Y, W, H));
}

void DrawRhombFrame(int X, int Y, TCanvas& canvas, TColor penColour, TColor /*brushColour*/, TBrushStyle brushStyle,
                    int W, int H, int pw, int pw1, int pw2, int oid, int id) {
  if (std::min(W, H) <= 0) return;
  DrawBandedFrame(canvas, penColour, brushStyle, pw, pw1, pw2, oid, id, TRhombShape(X, Y, W, H));
}

}  // namespace seal
