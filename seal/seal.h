#pragma once
// One seal element on a document page: every property of its design, the setters that keep
// its pixel bounds and cut lines in step with its millimetre geometry, and its drawing.
//
// The element is a windowless child of its page: it paints over the page and keeps its own
// Left, Top, Width and Height, which may be negative or larger than a widget can be; the
// widget geometry mirrors them as far as the window system allows. It works unparented and
// hidden too, which is how exports and thumbnails use scratch elements.

#include <QWidget>
#include <array>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <type_traits>

#include "platform/bitmap.h"
#include "platform/brush.h"
#include "platform/color.h"
#include "seal/control_events.h"
#include "seal/cut_lines.h"
#include "platform/picture.h"

namespace platform {
class TCanvas;
}

namespace seal {

enum TSealType : uint8_t {
  stName22 = 0,
  stName4 = 1,
  stName12 = 2,
  stName12A = 3,
  stName21 = 4,
  stName21A = 5,
  stName11 = 6,
  stName11A = 7,
  stName111 = 8,
  stRect = 9,
  stEllipse = 10,
  stEpsCL = 11,
  stTriangle = 12,
  stRhomb = 13,
  stHorzLine = 14,
  stVertLine = 15,
  stAnyAngleLine = 16,
  stArc = 17,
  stHorzText = 18,
  stEllipseText = 19,
  stAnyAngleText = 20,
  stFiveStar = 21,
  stCell = 22,
  stAnyImage = 23,
};

enum TFrameType : uint8_t { ftRectangle = 0, ftRoundRect = 1, ftDiamond = 2, ftEllipse = 3 };

// A face name as stored: a terminated name in the system code page, compared and copied
// as all 64 bytes.
using TFaceName = std::array<char, 64>;
// The face name holding the GBK bytes of a UTF-8 literal, cut to leave a terminator.
TFaceName FaceName(const char* utf8);

// The screen's logical pixels per inch, rounded; 96 without a screen.
int ScreenPixelsPerInch();

// Scalars are passed and returned by value, strings and face names by reference.
template <class T>
using TArg = std::conditional_t<std::is_scalar_v<T>, T, const T&>;

// The stored properties in declaration order, the first three before `Picture` and the
// rest after it, with their defaults and what their setter does:
//   R  store and repaint;
//   C  store, rebuild the cut lines, repaint;
//   P  store, then recolour the picture when one is loaded, else repaint;
//   X  a setter of its own below.
#define BRELVONIX_SEAL_FIELDS_BEFORE_PICTURE(F)     \
  F(C, TSealType, SealType, stName22)               \
  F(X, platform::TColor, PenColor, platform::clRed) \
  F(R, platform::TColor, BrushColor, platform::clRed)

#define BRELVONIX_SEAL_FIELDS(F)                             \
  F(R, platform::TBrushStyle, BrushStyle, platform::bsClear) \
  F(R, std::string, Text, {})                                \
  F(R, std::string, Text1, {})                               \
  F(R, std::string, Text2, {})                               \
  F(R, std::string, Text3, {})                               \
  F(R, std::string, Code, {})                                \
  F(R, std::string, Image, {})                               \
  F(R, TFaceName, TextFontName, FaceName("宋体"))            \
  F(R, TFaceName, TextFontName1, FaceName("宋体"))           \
  F(R, TFaceName, TextFontName2, FaceName("宋体"))           \
  F(R, TFaceName, TextFontName3, FaceName("宋体"))           \
  F(R, TFaceName, CodeFontName, FaceName("黑体"))            \
  F(R, bool, CodeOn, true)                                   \
  F(X, bool, HaveImage, false)                               \
  F(X, bool, ImageIsStar, false)                             \
  F(C, bool, CodeTopOrDown, false)                           \
  F(P, bool, PicTransParnt, true)                            \
  F(R, bool, TopOrDown, true)                                \
  F(R, bool, TopOrDown1, true)                               \
  F(R, bool, TopOrDown2, false)                              \
  F(R, bool, TopOrDown3, false)                              \
  F(R, bool, LineType, false)                                \
  F(C, bool, InSide, true)                                   \
  F(C, bool, OutSide, true)                                  \
  F(X, float, RealWidth, 42)                                 \
  F(X, float, RealHeight, 42)                                \
  F(R, float, LineABW, 0)                                    \
  F(R, float, CLineCenterX, 0)                               \
  F(R, float, CLineCenterY, 0)                               \
  F(X, float, PenWidth, 1.2f)                                \
  F(R, float, PenWidth1, 0)                                  \
  F(R, float, PenWidth2, 0)                                  \
  F(R, float, PenWidth3, 0)                                  \
  F(R, float, PenWidth4, 0)                                  \
  F(R, float, LineWidth, 0.08f)                              \
  F(X, float, PixelsPerMm, float(ScreenPixelsPerInch()))     \
  F(R, float, ImageWidth, 12)                                \
  F(R, float, ImageHeight, 12)                               \
  F(R, float, CLWidth, 20)                                   \
  F(R, float, CLHeight, 6)                                   \
  F(X, float, TextWidth, 4.5f)                               \
  F(R, float, TextWidth1, 3)                                 \
  F(R, float, TextWidth2, 4)                                 \
  F(R, float, TextWidth3, 3.5f)                              \
  F(R, float, CodeWidth, 0.8f)                               \
  F(X, float, TextHeight, 7.5f)                              \
  F(R, float, TextHeight1, 5)                                \
  F(R, float, TextHeight2, 6)                                \
  F(R, float, TextHeight3, 5.5f)                             \
  F(R, float, CodeHeight, 1.1f)                              \
  F(R, float, CodeToFrame, 0.8f)                             \
  F(R, float, CodeLength, 16)                                \
  F(R, float, OutInDelta, 0.8f)                              \
  F(R, float, InDelta, 8)                                    \
  F(R, float, RealSR, 0)                                     \
  F(X, float, RealTextLength, 0)                             \
  F(R, float, TextsWidth, 39)                                \
  F(R, float, TextsWidth1, 25)                               \
  F(R, float, TextsWidth2, 25)                               \
  F(R, float, TextsWidth3, 39)                               \
  F(X, float, RealCenterX, 0)                                \
  F(R, float, TextsHeight, 39)                               \
  F(R, float, TextsHeight1, 25)                              \
  F(R, float, TextsHeight2, 25)                              \
  F(R, float, TextsHeight3, 39)                              \
  F(X, float, RealCenterY, 0)                                \
  F(R, float, TextCenterX, 0)                                \
  F(R, float, TextCenterX1, 0)                               \
  F(R, float, TextCenterX2, 0)                               \
  F(R, float, TextCenterX3, 0)                               \
  F(R, float, ImageCenterX, 0)                               \
  F(R, float, TextCenterY, 0)                                \
  F(R, float, TextCenterY1, 0)                               \
  F(R, float, TextCenterY2, float(FRealHeight / 6.0L))       \
  F(R, float, TextCenterY3, float(FRealHeight / 3.0L))       \
  F(R, float, ImageCenterY, 0)                               \
  F(R, int, TextWeight, 700)                                 \
  F(R, int, TextWeight1, 700)                                \
  F(R, int, TextWeight2, 700)                                \
  F(R, int, TextWeight3, 700)                                \
  F(R, int, CodeWeight, 700)                                 \
  F(X, int, LineCount, 0)                                    \
  F(X, int, TextAngle, 2600)                                 \
  F(R, int, TextAngle1, 2600)                                \
  F(R, int, TextAngle2, 900)                                 \
  F(R, int, TextAngle3, 900)                                 \
  F(X, int, Zoom, 1)                                         \
  F(C, int, LineAngle, 3000)                                 \
  F(X, int, RowColCount, 1)                                  \
  F(R, int, RowColCount1, 1)                                 \
  F(R, int, RowColCount2, 1)                                 \
  F(R, int, RowColCount3, 1)                                 \
  F(R, int, CodeAngle, 600)                                  \
  F(R, int, CodePenWidth, 0)                                 \
  F(R, int, TextPenWidth, 0)                                 \
  F(R, int, TextPenWidth1, 0)                                \
  F(R, int, TextPenWidth2, 0)                                \
  F(R, int, TextPenWidth3, 0)                                \
  F(C, TFrameType, NameSealFrameType, ftRectangle)           \
  F(R, bool, LeftRight, true)                                \
  F(R, bool, LeftRight1, true)                               \
  F(R, bool, LeftRight2, true)                               \
  F(R, bool, LeftRight3, true)                               \
  F(P, bool, PicClrChange, true)                             \
  F(X, bool, RowCol, true)                                   \
  F(R, bool, RowCol1, true)                                  \
  F(R, bool, RowCol2, true)                                  \
  F(R, bool, RowCol3, true)                                  \
  F(R, bool, IsZhuanLunA, false)                             \
  F(R, bool, CBlank, false)                                  \
  F(R, bool, CBold, false)                                   \
  F(R, bool, CItalic, false)                                 \
  F(R, bool, IsEllipse, false)                               \
  F(R, bool, IsEllipse1, false)                              \
  F(R, bool, IsEllipse2, false)                              \
  F(R, bool, IsEllipse3, false)                              \
  F(R, bool, Blank, false)                                   \
  F(R, bool, Bold, false)                                    \
  F(R, bool, Italic, false)                                  \
  F(R, bool, Blank1, false)                                  \
  F(R, bool, Bold1, false)                                   \
  F(R, bool, Italic1, false)                                 \
  F(R, bool, Blank2, false)                                  \
  F(R, bool, Bold2, false)                                   \
  F(R, bool, Italic2, false)                                 \
  F(R, bool, Blank3, false)                                  \
  F(R, bool, Bold3, false)                                   \
  F(R, bool, Italic3, false)

class TSeal : public QWidget, public TControlMouse<TSeal> {
  // Gives the element its own meta-object, so findChildren<TSeal*> and qobject_cast find
  // elements only, not every widget on the page.
  Q_OBJECT

 public:
  // Created hidden; the creator sets parent, scale, geometry and visibility.
  explicit TSeal(QWidget* parent = nullptr);
  ~TSeal() override;
  TSeal(const TSeal&) = delete;
  TSeal& operator=(const TSeal&) = delete;

#define BRELVONIX_SEAL_GETTER(kind, type, name, def) \
  TArg<type> name() const { return F##name; }
  BRELVONIX_SEAL_FIELDS_BEFORE_PICTURE(BRELVONIX_SEAL_GETTER)
  BRELVONIX_SEAL_FIELDS(BRELVONIX_SEAL_GETTER)
#undef BRELVONIX_SEAL_GETTER

#define BRELVONIX_SEAL_SETTER_R(type, name) \
  void Set##name(TArg<type> v) {            \
    if (Store(F##name, v)) Invalidate();    \
  }
#define BRELVONIX_SEAL_SETTER_C(type, name) \
  void Set##name(TArg<type> v) {            \
    if (!Store(F##name, v)) return;         \
    RebuildCutLines();                      \
    Invalidate();                           \
  }
#define BRELVONIX_SEAL_SETTER_P(type, name)        \
  void Set##name(TArg<type> v) {                   \
    if (Store(F##name, v)) PictureOptionChanged(); \
  }
#define BRELVONIX_SEAL_SETTER_X(type, name)
#define BRELVONIX_SEAL_SETTER(kind, type, name, def) BRELVONIX_SEAL_SETTER_##kind(type, name)
  BRELVONIX_SEAL_FIELDS_BEFORE_PICTURE(BRELVONIX_SEAL_SETTER)
  BRELVONIX_SEAL_FIELDS(BRELVONIX_SEAL_SETTER)
#undef BRELVONIX_SEAL_SETTER
#undef BRELVONIX_SEAL_SETTER_X
#undef BRELVONIX_SEAL_SETTER_P
#undef BRELVONIX_SEAL_SETTER_C
#undef BRELVONIX_SEAL_SETTER_R

  // Both colours take v; an equal PenColor leaves a differing BrushColor alone.
  void SetPenColor(platform::TColor v);

  const platform::TPicture& Picture() const { return FPicture; }
  // Always takes a copy of the given picture (none: empty).
  void SetPicture(const platform::TPicture* v);
  // Recolours Picture into RecolourBitmap (black pixels take the seal colour) and repaints;
  // does nothing while Picture is empty.
  virtual void PictureChanged();
  // Null until a picture has been recoloured. Seals whose pictures share their decoded
  // pixels and whose fills agree share the recoloured pixels too.
  const platform::TBitmap* RecolourBitmap() const { return FRecolourBitmap.get(); }
  // The colour the picture's black takes in the recoloured copy: the seal's colour, or black
  // when the picture keeps its own colours.
  platform::TColor RecolourFill() const;

  // The centre emblem is either the picture or the star.
  void SetHaveImage(bool v);
  void SetImageIsStar(bool v);

  void SetRealWidth(float v);
  void SetRealHeight(float v);
  void SetPenWidth(float v);
  void SetTextWidth(float v);
  void SetTextHeight(float v);
  void SetRealTextLength(float v);
  void SetRealCenterX(float v);
  void SetRealCenterY(float v);
  void SetPixelsPerMm(float v);
  void SetZoom(int v);
  void SetLineCount(int v);
  void SetTextAngle(int v);
  void SetRowCol(bool v);
  void SetRowColCount(int v);

  // Pixel bounds and cut lines derived again from the millimetre geometry at the current
  // Zoom and PixelsPerMm, for a new device resolution at an unchanged zoom (printing,
  // export), where the setters see nothing to change.
  void RecomputeBounds();

  // While a whole design is applied at once (a block read, a design copied), the cut lines
  // are built once, when the outermost update ends, instead of by every setter on the way;
  // the builders depend on nothing but the final state, so the points are the same.
  void BeginUpdate();
  // Without rebuild (an update abandoned by a failure) the points stay as they were.
  void EndUpdate(bool rebuild = true);

  // Device pixels per millimetre at the current zoom, Zoom x PixelsPerMm / 100, and the
  // one conversion of millimetres and hundredths of a millimetre to whole pixels.
  long double Scale() const;
  int MmToPixels(long double mm) const;
  int HundredthsToPixels(long double hundredths) const;

  const TArrayPoints& CutLinePoints() const { return FCutLinePoints; }
  // Replaces CutLinePoints by the points of the frame kinds; other kinds keep theirs.
  void RebuildCutLines();

  // Device pixels, the element's own, whatever the widget could take.
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Moves and sizes the control in pixels, repainting when anything changes; the
  // millimetre geometry is the caller's to keep in step.
  void SetBounds(int left, int top, int width, int height);

  // Drawing on the control's own surface and on any other canvas; colour mode False draws
  // a coloured element in black.
  void Paint();
  void DrawTo(int X, int Y, platform::TCanvas* canvas, bool colourMode);

  // Repaint requests and cut-line rebuilds since creation, for whoever needs to know that
  // a setter did its work (and only that).
  int InvalidateCount() const { return FInvalidateCount; }
  int CutLineRebuildCount() const { return FCutLineRebuildCount; }

 protected:
  void Invalidate();

  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  template <class T>
  static bool Store(T& field, const T& v) {
    if (field == v) return false;
    field = v;
    return true;
  }
  bool IsSlanted() const;
  bool IsOneColumnBlock() const;
  bool IsOneRowBlock() const;
  void PictureOptionChanged();
  void DropPicture();
  // Direction of a slanted element from its bounds, by ArcCos of the width or ArcSin of
  // the height, in the quadrant of the old angle.
  void AngleFromBounds(bool fromWidth);
  // Bounds of a slanted element from its length and angle, about its top-left corner.
  void BoundsFromAngle();
  float CentreXFromLeft() const;
  float CentreYFromTop() const;
  void RecentreX();
  void RecentreY();
  void SetPixelBounds(int left, int top, int width, int height);

  // The stored-field table reaches the fields themselves, so that a whole stored design can
  // be put back as it was stored (seal/seal_fields.h).
  friend struct TSealFieldTable;

#define BRELVONIX_SEAL_FIELD(kind, type, name, def) type F##name = def;
  BRELVONIX_SEAL_FIELDS_BEFORE_PICTURE(BRELVONIX_SEAL_FIELD)
  platform::TPicture FPicture;
  BRELVONIX_SEAL_FIELDS(BRELVONIX_SEAL_FIELD)
#undef BRELVONIX_SEAL_FIELD
  TArrayPoints FCutLinePoints;
  std::unique_ptr<platform::TBitmap> FRecolourBitmap;

  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  int FInvalidateCount = 0;
  int FCutLineRebuildCount = 0;
  int FUpdateDepth = 0;
  bool FCutLinesPending = false;
};

// Holds back a seal's cut lines for as long as it lives; a failure that ends its scope leaves
// them unbuilt, for a seal that is then discarded.
class TSealUpdate {
 public:
  explicit TSealUpdate(TSeal& seal) : FSeal(seal), FExceptions(std::uncaught_exceptions()) { FSeal.BeginUpdate(); }
  ~TSealUpdate() { FSeal.EndUpdate(std::uncaught_exceptions() == FExceptions); }
  TSealUpdate(const TSealUpdate&) = delete;
  TSealUpdate& operator=(const TSealUpdate&) = delete;

 private:
  TSeal& FSeal;
  int FExceptions;
};

}  // namespace seal
