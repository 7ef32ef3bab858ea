#include "seal/seal.h"

#include "platform/event_point.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

#include "platform/gbk.h"
#include "platform/numeric.h"

namespace seal {

using platform::Round;

namespace {

// Seals that hold one decoded picture in one colour hold one recoloured copy: a page of a
// hundred copies of a photograph would otherwise hold a hundred bitmaps of its size. A copy
// is kept here only while some seal holds it too.
class TRecolourCache {
 public:
  QImage Take(const QImage& picture, platform::TColor fill) {
    Prune();
    QImage& copy = FCopies[{picture.cacheKey(), fill}];
    if (copy.isNull()) {
      platform::TBitmap bitmap(picture.width(), picture.height());
      bitmap.Fill(fill);
      platform::OrCopy(bitmap.Image(), 0, 0, picture);
      copy = bitmap.Image();
    }
    return copy;
  }
  // Drops the copies that no seal holds any more.
  void Prune() {
    for (auto at = FCopies.begin(); at != FCopies.end();) at = at->second.isDetached() ? FCopies.erase(at) : ++at;
  }

 private:
  std::map<std::pair<qint64, platform::TColor>, QImage> FCopies;
};

TRecolourCache& RecolourCache() {
  static TRecolourCache cache;
  return cache;
}

}  // namespace

TFaceName FaceName(const char* utf8) {
  TFaceName face{};
  const std::string bytes = platform::GbkCut(platform::Gbk(utf8), face.size() - 1);
  std::memcpy(face.data(), bytes.data(), bytes.size());
  return face;
}

int ScreenPixelsPerInch() {
  if (!qGuiApp) return 96;
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? Round(screen->logicalDotsPerInch()) : 96;
}

TSeal::TSeal(QWidget* parent) : QWidget(parent) {
  // Painted over the page by the page itself showing through.
  setAutoFillBackground(false);
  setAttribute(Qt::WA_NoSystemBackground);
  // Moves are reported whether or not a button is held, as a control's owner expects.
  setMouseTracking(true);
  setGeometry(0, 0, 0, 0);
  SetIsEllipse(true);
  FPicture.OnChange = [this] { PictureChanged(); };
  setVisible(false);
}

TSeal::~TSeal() {
  FPicture.OnChange = nullptr;
  if (FRecolourBitmap) {
    FRecolourBitmap.reset();
    RecolourCache().Prune();
  }
}

void TSeal::Invalidate() {
  ++FInvalidateCount;
  update();
}

long double TSeal::Scale() const { return static_cast<long double>(FZoom) * FPixelsPerMm / 100; }

int TSeal::MmToPixels(long double mm) const { return Round(Scale() * mm); }

int TSeal::HundredthsToPixels(long double hundredths) const { return Round(Scale() * hundredths / 100); }

bool TSeal::IsSlanted() const { return FSealType == stAnyAngleLine || FSealType == stAnyAngleText; }

bool TSeal::IsOneColumnBlock() const { return FSealType == stHorzText && !FRowCol && FRowColCount == 1; }

bool TSeal::IsOneRowBlock() const { return FSealType == stHorzText && FRowCol && FRowColCount == 1; }

void TSeal::SetPixelBounds(int left, int top, int width, int height) {
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  const auto limit = [](int v, int lo) { return std::clamp(v, lo, QWIDGETSIZE_MAX); };
  setGeometry(limit(left, -QWIDGETSIZE_MAX), limit(top, -QWIDGETSIZE_MAX), limit(width, 0), limit(height, 0));
}

void TSeal::SetBounds(int left, int top, int width, int height) {
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  SetPixelBounds(left, top, width, height);
  Invalidate();
}

// Centres follow the pixel corner without rounding. At a zero or broken scale there is
// no corner to follow, and the centre stays where it was.
float TSeal::CentreXFromLeft() const {
  const long double c = FLeft / Scale() + FRealWidth / 2.0L;
  return std::isfinite(c) ? static_cast<float>(c) : FRealCenterX;
}

float TSeal::CentreYFromTop() const {
  const long double c = FTop / Scale() + FRealHeight / 2.0L;
  return std::isfinite(c) ? static_cast<float>(c) : FRealCenterY;
}

void TSeal::RecentreX() { FRealCenterX = CentreXFromLeft(); }

void TSeal::RecentreY() { FRealCenterY = CentreYFromTop(); }

void TSeal::SetPenColor(platform::TColor v) {
  if (v == FPenColor) return;
  FPenColor = v;
  FBrushColor = v;
  if (FPicture.HasGraphic() && FPicClrChange)
    PictureChanged();
  else
    Invalidate();
}

void TSeal::PictureOptionChanged() {
  if (FPicture.HasGraphic())
    PictureChanged();
  else
    Invalidate();
}

void TSeal::SetPicture(const platform::TPicture* v) {
  // The copy raises the picture's change notification, which recolours.
  if (v == &FPicture) {
    PictureChanged();
  } else if (v) {
    FPicture.Assign(*v);
  } else {
    FPicture.Clear();
  }
}

void TSeal::PictureChanged() {
  if (!FPicture.HasGraphic()) return;
  // The old copy goes first, so that the cache can let it go when no other seal holds it.
  FRecolourBitmap.reset();
  const QImage& picture = FPicture.Image();
  FRecolourBitmap = picture.isNull() ? std::make_unique<platform::TBitmap>()
                                     : std::make_unique<platform::TBitmap>(RecolourCache().Take(picture, RecolourFill()));
  FRecolourBitmap->SetTransparent(FPicTransParnt);
  Invalidate();
}

platform::TColor TSeal::RecolourFill() const { return FPicClrChange ? FPenColor : platform::clBlack; }

void TSeal::DropPicture() {
  if (FPicture.HasGraphic()) FPicture.Clear();
  FRecolourBitmap.reset();
  RecolourCache().Prune();
}

void TSeal::SetHaveImage(bool v) {
  if (!Store(FHaveImage, v)) return;
  if (!v) FImageIsStar = false;
  if (!FHaveImage || FImageIsStar) DropPicture();
  Invalidate();
}

void TSeal::SetImageIsStar(bool v) {
  if (!Store(FImageIsStar, v)) return;
  if (v) {
    FHaveImage = true;
    DropPicture();
  }
  Invalidate();
}

void TSeal::AngleFromBounds(bool fromWidth) {
  FRealTextLength = static_cast<float>(std::sqrt(static_cast<long double>(FRealWidth) * FRealWidth +
                                                 static_cast<long double>(FRealHeight) * FRealHeight));
  // Without a length there is no direction: the element keeps its angle.
  if (!(FRealTextLength > 0)) return;
  const long double ratio = (fromWidth ? FRealWidth : FRealHeight) / static_cast<long double>(FRealTextLength);
  if (std::isnan(ratio)) return;
  const long double a = fromWidth ? std::acos(platform::ClampUnit(ratio)) : std::asin(platform::ClampUnit(ratio));
  const int d = Round(a / platform::kTenthDegreeToRadian);
  const int old = (FTextAngle % 3600 + 3600) % 3600;
  if (old < 900)
    FTextAngle = d;
  else if (old < 1800)
    FTextAngle = 1800 - d;
  else if (old < 2700)
    FTextAngle = 1800 + d;
  else
    FTextAngle = 3600 - d;
}

void TSeal::BoundsFromAngle() {
  const long double r = FTextAngle * platform::kTenthDegreeToRadian;
  FRealWidth = static_cast<float>(std::fabs(std::cos(r)) * FRealTextLength);
  FRealHeight = static_cast<float>(FRealTextLength * std::fabs(std::sin(r)));
  const long double s = Scale();
  SetPixelBounds(FLeft, FTop, Round(s * FRealWidth), Round(s * FRealHeight));
  RecentreX();
  RecentreY();
}

void TSeal::SetRealWidth(float v) {
  if (!Store(FRealWidth, v)) return;
  if (FSealType == stVertLine) FPenWidth = FRealWidth;
  if (IsOneColumnBlock()) FTextWidth = FRealWidth;
  if (IsSlanted()) AngleFromBounds(true);
  SetPixelBounds(FLeft, FTop, Round(Scale() * FRealWidth), FHeight);
  RecentreX();
  RebuildCutLines();
  Invalidate();
}

void TSeal::SetRealHeight(float v) {
  if (!Store(FRealHeight, v)) return;
  if (FSealType == stHorzLine) FPenWidth = FRealHeight;
  if (FSealType == stVertLine) FPenWidth = FRealWidth;
  if (IsOneRowBlock()) FTextHeight = FRealHeight;
  if (IsSlanted()) AngleFromBounds(false);
  SetPixelBounds(FLeft, FTop, FWidth, Round(Scale() * FRealHeight));
  RecentreY();
  RebuildCutLines();
  Invalidate();
}

void TSeal::SetPenWidth(float v) {
  if (!Store(FPenWidth, v)) return;
  RebuildCutLines();
  if (FSealType == stHorzLine) {
    FRealHeight = FPenWidth;
    SetPixelBounds(FLeft, FTop, FWidth, Round(Scale() * FRealHeight));
    RecentreY();
  } else if (FSealType == stVertLine) {
    FRealWidth = FPenWidth;
    SetPixelBounds(FLeft, FTop, Round(Scale() * FRealWidth), FHeight);
    RecentreX();
  }
  Invalidate();
}

void TSeal::SetTextWidth(float v) {
  if (!Store(FTextWidth, v)) return;
  if (IsOneColumnBlock()) {
    FRealWidth = v;
    SetPixelBounds(FLeft, FTop, Round(static_cast<long double>(v) * Scale()), FHeight);
    RecentreX();
  }
  Invalidate();
}

void TSeal::SetTextHeight(float v) {
  if (!Store(FTextHeight, v)) return;
  if (IsOneRowBlock()) {
    FRealHeight = v;
    SetPixelBounds(FLeft, FTop, FWidth, Round(static_cast<long double>(v) * Scale()));
    RecentreY();
  }
  Invalidate();
}

void TSeal::SetRowCol(bool v) {
  if (!Store(FRowCol, v)) return;
  if (FSealType == stHorzText) {
    // The block turns about its top-left corner.
    std::swap(FRealWidth, FRealHeight);
    const long double s = Scale();
    SetPixelBounds(FLeft, FTop, Round(s * FRealWidth), Round(s * FRealHeight));
    RecentreX();
    RecentreY();
  }
  Invalidate();
}

void TSeal::SetRowColCount(int v) {
  if (v == FRowColCount) return;
  const int k = std::max(1, v);
  FRowColCount = k;
  if (FSealType == stHorzText) {
    // The block grows to hold k lines with 0.2 mm per glyph to spare, but never shrinks.
    if (k * static_cast<long double>(FTextWidth) > FRealWidth) {
      SetRealWidth(static_cast<float>(k * static_cast<long double>(FTextWidth) + k * 0.2L));
      SetPixelBounds(FLeft, FTop, Round(Scale() * FRealWidth), FHeight);
      SetRealCenterX(CentreXFromLeft());
    } else if (k * static_cast<long double>(FTextHeight) > FRealHeight) {
      SetRealHeight(static_cast<float>(k * static_cast<long double>(FTextHeight) + k * 0.2L));
      SetPixelBounds(FLeft, FTop, FWidth, Round(Scale() * FRealHeight));
      SetRealCenterY(CentreYFromTop());
    }
    // A single line fits its glyphs exactly.
    if (FRowColCount == 1 && FRowCol) {
      SetRealHeight(FTextHeight);
      SetPixelBounds(FLeft, FTop, FWidth, Round(Scale() * FRealHeight));
      SetRealCenterY(CentreYFromTop());
    } else if (FRowColCount == 1 && !FRowCol) {
      SetRealWidth(FTextWidth);
      SetPixelBounds(FLeft, FTop, Round(Scale() * FRealWidth), FHeight);
      SetRealCenterX(CentreXFromLeft());
    }
  }
  Invalidate();
}

void TSeal::SetTextAngle(int v) {
  if (!Store(FTextAngle, v)) return;
  if (IsSlanted()) BoundsFromAngle();
  Invalidate();
}

void TSeal::SetRealTextLength(float v) {
  if (!IsSlanted()) return;
  if (!Store(FRealTextLength, v)) return;
  BoundsFromAngle();
  Invalidate();
}

void TSeal::SetRealCenterX(float v) {
  if (!Store(FRealCenterX, v)) return;
  const long double left = (FRealCenterX - FRealWidth / 2.0L) * FPixelsPerMm * FZoom / 100;
  SetPixelBounds(Round(left), FTop, FWidth, FHeight);
  Invalidate();
}

void TSeal::SetRealCenterY(float v) {
  if (!Store(FRealCenterY, v)) return;
  const long double top = (FRealCenterY - FRealHeight / 2.0L) * FPixelsPerMm * FZoom / 100;
  SetPixelBounds(FLeft, Round(top), FWidth, FHeight);
  Invalidate();
}

void TSeal::SetPixelsPerMm(float v) {
  if (!Store(FPixelsPerMm, v)) return;
  const long double s = static_cast<long double>(FPixelsPerMm) * FZoom / 100;
  SetPixelBounds(Round(s * (FRealCenterX - FRealWidth / 2.0L)), Round(s * (FRealCenterY - FRealHeight / 2.0L)), FWidth,
                 FHeight);
  Invalidate();
}

void TSeal::RecomputeBounds() {
  const long double s = Scale();
  SetPixelBounds(Round(s * (FRealCenterX - FRealWidth / 2.0L)), Round(s * (FRealCenterY - FRealHeight / 2.0L)),
                 Round(s * FRealWidth), Round(s * FRealHeight));
  RebuildCutLines();
  Invalidate();
}

void TSeal::SetZoom(int v) {
  if (!Store(FZoom, v)) return;
  RecomputeBounds();
}

void TSeal::SetLineCount(int v) {
  if (!Store(FLineCount, v)) return;
  FCutLinePoints.resize(static_cast<size_t>(std::clamp(FLineCount, 0, kMaxCutLines)));
  RebuildCutLines();
  Invalidate();
}

void TSeal::BeginUpdate() { ++FUpdateDepth; }

void TSeal::EndUpdate(bool rebuild) {
  if (FUpdateDepth == 0 || --FUpdateDepth > 0) return;
  const bool pending = FCutLinesPending;
  FCutLinesPending = false;
  if (pending && rebuild) RebuildCutLines();
}

void TSeal::RebuildCutLines() {
  if (FUpdateDepth > 0) {
    FCutLinesPending = true;
    return;
  }
  ++FCutLineRebuildCount;
  const int pw = MmToPixels(FPenWidth);
  switch (FSealType) {
    case stName22:
    case stName4:
    case stName12:
    case stName12A:
    case stName21:
    case stName21A:
    case stName11:
    case stName11A:
    case stName111:
    case stRect:
      if (FNameSealFrameType == ftEllipse)
        FCutLinePoints =
            BuildEllipseCutLines(FWidth, FHeight, FOutSide, FInSide, FCodeTopOrDown, FLineAngle, FLineCount, pw);
      else
        FCutLinePoints = BuildRectCutLines(FWidth, FHeight, FOutSide, FInSide, FLineCount, pw);
      break;
    case stEllipse:
    case stEpsCL:
      FCutLinePoints =
          BuildEllipseCutLines(FWidth, FHeight, FOutSide, FInSide, FCodeTopOrDown, FLineAngle, FLineCount, pw);
      break;
    case stTriangle:
      FCutLinePoints = BuildTriangleCutLines(FWidth, FHeight, FOutSide, FInSide, FLineCount, pw);
      break;
    case stRhomb:
      FCutLinePoints = BuildRhombCutLines(FWidth, FHeight, FOutSide, FInSide, FLineCount, pw);
      break;
    default:
      break;
  }
}

void TSeal::paintEvent(QPaintEvent*) { Paint(); }

void TSeal::mousePressEvent(QMouseEvent* event) { PassPress(this, *event); }

void TSeal::mouseDoubleClickEvent(QMouseEvent* event) { PassDoubleClick(this, *event); }

void TSeal::mouseMoveEvent(QMouseEvent* event) { PassMove(this, *event); }

void TSeal::mouseReleaseEvent(QMouseEvent* event) { PassRelease(this, *event); }

void TSeal::contextMenuEvent(QContextMenuEvent* event) { PassContextMenu(this, *event); }

TShiftState ShiftStateOf(const QMouseEvent& event, bool doubleClick) {
  TShiftState s = 0;
  const Qt::KeyboardModifiers keys = event.modifiers();
  if (keys & Qt::ShiftModifier) s |= ssShift;
  if (keys & Qt::AltModifier) s |= ssAlt;
  if (keys & Qt::ControlModifier) s |= ssCtrl;
  const Qt::MouseButtons buttons = event.buttons();
  if (buttons & Qt::LeftButton) s |= ssLeft;
  if (buttons & Qt::RightButton) s |= ssRight;
  if (buttons & Qt::MiddleButton) s |= ssMiddle;
  if (doubleClick) s |= ssDouble;
  return s;
}

bool MouseButtonOf(const QMouseEvent& event, TMouseButton* button) {
  switch (event.button()) {
    case Qt::LeftButton:
      *button = mbLeft;
      return true;
    case Qt::RightButton:
      *button = mbRight;
      return true;
    case Qt::MiddleButton:
      *button = mbMiddle;
      return true;
    default:
      return false;
  }
}

}  // namespace seal
