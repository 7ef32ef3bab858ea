#pragma once
// The drawing surface every seal routine draws on, in device pixels, with the rules of the
// graphics device interface the drawing was designed against. One interface serves a
// widget (a QPainter in paintEvent), a QImage, a QPrinter and the recording canvas of the
// tests.
//
// Rules kept, for whoever draws through it:
// - Coordinates are whole device pixels; (x, y) names the pixel x, y.
// - Pens: width 0 or 1 is a one-pixel line; LineTo leaves out its last pixel (the next
//   LineTo starts there). Wider pens are centred on the outline with round caps and round
//   joins: an odd width covers x − w/2 .. x + w/2, an even width x − w/2 .. x + w/2 − 1.
// - Brush coupling: SetBrushColor on a clear brush makes it solid; SetBrushStyle(bsClear)
//   resets the colour to white. A solid brush gives text an opaque background in the
//   brush colour; a clear brush (or SetBackgroundTransparent) leaves it transparent.
//   Hatch styles draw their lines only.
// - Figures take a box (left, top, right, bottom) with right and bottom exclusive: a
//   Rectangle(0, 0, 10, 10) covers pixels 0..9, outline included. RoundRect's corner
//   arguments are the corner ellipse's diameters. Polygons fill alternate (even-odd).
//   FillRect paints the box with the brush and no outline.
// - Arc and Pie run counter-clockwise on the screen from the start radial to the end
//   radial; a radial (x, y) is a direction from the box's centre, not a point on the
//   ellipse. Equal radials give the whole ellipse. A pie is outlined and filled, an arc
//   is pen only.
// - TextOut(x, y, gbk) puts the character cell's top-left at (x, y) in the font colour;
//   the cell is the em square, with the face's ascent share of it above the baseline.
//   Rotation (Escapement) turns about that point.
// - Between BeginPath and EndPath, TextOut records glyph outlines instead of drawing;
//   StrokeAndFillPath fills them with the brush (winding rule, so overlapping contours of
//   substitute faces stay filled) and strokes them with the pen, then forgets the path.
//   The outline runs along the cell's pixel edges, so a wide pen grows a glyph by w/2 on
//   every side, and a one-pixel pen paints the pixels the outline passes through: the
//   glyph's own left and top pixels and the first pixels right of and below it.
//   Other figures draw at once even inside a path.
// - StretchDraw scales a bitmap nearest-neighbour into the box and leaves out its
//   transparent colour when the bitmap is transparent. Draw copies a bitmap or picture at
//   (x, y) through the copy mode: cmSrcCopy replaces, cmSrcPaint ORs the colour values
//   (on raster targets: images and widgets; a printer copies). A transparent bitmap
//   draws as StretchDraw at its own size.
// - Wide pens on figures are centred on the one-pixel outline, so Rectangle(10, 10, 50,
//   40) with width 4 covers 8..50 × 8..40.
// - Nothing is antialiased, shapes and glyphs alike.

#include <QPainterPath>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/bitmap.h"
#include "platform/brush.h"
#include "platform/color.h"
#include "platform/logfont.h"
#include "platform/point.h"

class QPainter;
class QPaintDevice;

namespace platform {

class TPicture;
struct TRealizedFont;

enum class TCopyMode : uint8_t { cmSrcCopy, cmSrcPaint };

struct TPen {
  int Width = 1;
  TColor Color = clBlack;
  bool operator==(const TPen&) const = default;
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::bsSolid;
  bool operator==(const TBrush&) const = default;
};

class TCanvas {
 public:
  virtual ~TCanvas() = default;

  const TPen& Pen() const { return pen_; }
  void SetPenWidth(int width) { pen_.Width = width; }
  void SetPenColor(TColor color) { pen_.Color = color; }

  const TBrush& Brush() const { return brush_; }
  void SetBrushColor(TColor color);
  void SetBrushStyle(TBrushStyle style);

  const TLogFont& Font() const { return font_; }
  void SetFont(const TLogFont& font) { font_ = font; }
  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor color) { fontColor_ = color; }

  // Text backgrounds are transparent until the brush changes again.
  void SetBackgroundTransparent() { transparentBackground_ = true; }
  bool BackgroundTransparent() const {
    return transparentBackground_ || brush_.Style != TBrushStyle::bsSolid;
  }

  TCopyMode CopyMode() const { return copyMode_; }
  void SetCopyMode(TCopyMode mode) { copyMode_ = mode; }

  TPoint PenPos() const { return penPos_; }
  void MoveTo(int x, int y) { penPos_ = {x, y}; }
  void LineTo(int x, int y);
  void Line(int x0, int y0, int x1, int y1) {
    MoveTo(x0, y0);
    LineTo(x1, y1);
  }

  virtual void Rectangle(int left, int top, int right, int bottom) = 0;
  virtual void FillRect(int left, int top, int right, int bottom) = 0;
  virtual void Ellipse(int left, int top, int right, int bottom) = 0;
  virtual void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) = 0;
  virtual void Polygon(const std::vector<TPoint>& points) = 0;
  virtual void Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) = 0;
  virtual void Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) = 0;
  virtual void TextOut(int x, int y, std::string_view gbk) = 0;
  virtual void BeginPath() = 0;
  virtual void EndPath() = 0;
  virtual void StrokeAndFillPath() = 0;
  virtual void StretchDraw(int left, int top, int right, int bottom, const TBitmap& bitmap) = 0;
  virtual void StretchDraw(int left, int top, int right, int bottom, const TPicture& picture) = 0;
  virtual void Draw(int x, int y, const TBitmap& bitmap) = 0;
  virtual void Draw(int x, int y, const TPicture& picture) = 0;

 protected:
  virtual void DrawLine(TPoint from, TPoint to) = 0;

 private:
  TPen pen_;
  TBrush brush_;
  TLogFont font_;
  TColor fontColor_ = clBlack;
  bool transparentBackground_ = false;
  TCopyMode copyMode_ = TCopyMode::cmSrcCopy;
  TPoint penPos_;
};

// The canvas over a QPainter: a widget's painter in paintEvent, or a painter it opens on a
// QImage or QPrinter itself.
class TPainterCanvas final : public TCanvas {
 public:
  // Draws through an active painter that stays the caller's.
  explicit TPainterCanvas(QPainter& painter);
  // Opens its own painter on the device for its lifetime.
  explicit TPainterCanvas(QPaintDevice* device);
  ~TPainterCanvas() override;
  TPainterCanvas(const TPainterCanvas&) = delete;
  TPainterCanvas& operator=(const TPainterCanvas&) = delete;

  QPainter& Painter() { return *painter_; }

  void Rectangle(int left, int top, int right, int bottom) override;
  void FillRect(int left, int top, int right, int bottom) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) override;
  void Polygon(const std::vector<TPoint>& points) override;
  void Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
  void Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
  void TextOut(int x, int y, std::string_view gbk) override;
  void BeginPath() override;
  void EndPath() override;
  void StrokeAndFillPath() override;
  void StretchDraw(int left, int top, int right, int bottom, const TBitmap& bitmap) override;
  void StretchDraw(int left, int top, int right, int bottom, const TPicture& picture) override;
  void Draw(int x, int y, const TBitmap& bitmap) override;
  void Draw(int x, int y, const TPicture& picture) override;

 protected:
  void DrawLine(TPoint from, TPoint to) override;

 private:
  void Prepare();
  // The device's area in the painter's coordinates.
  QRect VisibleRect() const;
  void FillAndStroke(const QPainterPath& area, const QPainterPath& outline, bool fill);
  void StretchImage(int left, int top, int right, int bottom, const QImage& image, bool transparent,
                    TColor transparentColor);
  void CopyImage(int x, int y, const QImage& image);

  std::unique_ptr<QPainter> owned_;
  QPainter* painter_;
  // The font last made, kept while the record stays the same (one per glyph otherwise).
  std::unique_ptr<TRealizedFont> realized_;
  TLogFont realizedFrom_;
  bool recordingPath_ = false;
  QPainterPath path_;
};

// Parametric angle in degrees, counter-clockwise, of the point where the radial through
// (x, y) from the centre of the box meets the box's ellipse.
double RadialToParametricDegrees(int left, int top, int right, int bottom, int x, int y);
// Counter-clockwise sweep in degrees from start to end radial, in (0, 360]; equal
// directions give the whole ellipse.
double ArcSweepDegrees(double startDegrees, double endDegrees);

}  // namespace platform
