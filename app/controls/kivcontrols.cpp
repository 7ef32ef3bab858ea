#include "controls/kivcontrols.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "controls/ansitext.h"
#include "platform/numeric.h"
#include "controls/penstyle.h"
#include "platform/syscolors.h"

using app::GdiPen;
using app::GdiRectangle;
using platform::ToQColor;

// ---- TKivStatusBar ----

TKivStatusBar::TKivStatusBar(QWidget* parent)
    : QStatusBar(parent), FArea(new QWidget(this)), FHintTimer(new QTimer(this)) {
  FHintTimer->setSingleShot(true);
  connect(FHintTimer, &QTimer::timeout, this, &TKivStatusBar::EndHint);
  auto* layout = new QHBoxLayout(FArea);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addStretch(1);
  addPermanentWidget(FArea, 1);
  setSizeGripEnabled(false);
}

namespace {
constexpr int kPanelFrame = QFrame::Panel | QFrame::Sunken;
}

void TKivStatusBar::AddPanel(const QString& text, int width, const QString& fitText) {
  auto* panel = new QLabel(text, FArea);
  panel->setFrameStyle(kPanelFrame);
  panel->setTextFormat(Qt::PlainText);
  auto* layout = static_cast<QHBoxLayout*>(FArea->layout());
  layout->insertWidget(layout->count() - 1, panel);
  FPanels.push_back(panel);
  FFits.push_back({width, fitText});
  Refit(FPanels.size() - 1);
}

// Qt's own measure of a label, so that frame, indent and margins count as the panel draws them.
int TKivStatusBar::FitWidth(const QString& text) const {
  QLabel probe(text);
  probe.setFrameStyle(kPanelFrame);
  probe.setTextFormat(Qt::PlainText);
  probe.setFont(font());
  return probe.sizeHint().width();
}

void TKivStatusBar::Refit(size_t index) {
  const TFit& fit = FFits[index];
  const int width = fit.text.isEmpty() ? fit.width : std::max(fit.width, FitWidth(fit.text));
  FPanels[index]->setFixedWidth(std::max(0, width));
}

void TKivStatusBar::changeEvent(QEvent* event) {
  QStatusBar::changeEvent(event);
  if (event->type() != QEvent::FontChange) return;
  for (size_t i = 0; i < FPanels.size(); ++i)
    if (!FFits[i].text.isEmpty()) Refit(i);
}

void TKivStatusBar::SetPanelText(int index, const QString& text) {
  if (index == FHintPanel)
    FHintHidden = text;
  else
    Panel(index)->setText(text);
}

void TKivStatusBar::ShowHint(int index, const QString& text, int milliseconds) {
  if (index != FHintPanel) {
    EndHint();
    FHintPanel = index;
    FHintHidden = PanelText(index);
  }
  Panel(index)->setText(text);
  FHintTimer->start(milliseconds);
}

void TKivStatusBar::EndHint() {
  if (FHintPanel < 0) return;
  Panel(FHintPanel)->setText(FHintHidden);
  FHintPanel = -1;
  FHintTimer->stop();
}

int TKivStatusBar::PanelWidth(int index) const { return Panel(index)->width(); }

void TKivStatusBar::SetPanelWidth(int index, int width) { Panel(index)->setFixedWidth(std::max(0, width)); }

// ---- TKivButton ----

TKivButton::TKivButton(QWidget* parent) : QWidget(parent), FCaption(QStringLiteral("KivBtn")) {
  resize(70, 22);
  setAttribute(Qt::WA_Hover);
}

void TKivButton::SetBtnState(TButtonState value) {
  if (value == FBtnState) return;
  const int half = height() / 2;
  if (value == TButtonState::bsDown) resize(width() + half, height());
  if (FBtnState == TButtonState::bsDown) resize(width() - half, height());
  FBtnState = value;
  update();
}

void TKivButton::SetCaption(const QString& caption) {
  FCaption = caption;
  update();
}

void TKivButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, false);
  const int w = width();
  const int h = height();
  QFont font = this->font();
  font.setBold(FBtnState == TButtonState::bsDown);
  p.setFont(font);
  const QFontMetrics metrics(font);
  const int tw = metrics.horizontalAdvance(FCaption);
  const int th = metrics.height();

  const QColor fill = FBtnState == TButtonState::bsDown     ? platform::HighlightColor()
                      : FBtnState == TButtonState::bsActive ? platform::Light3DColor()
                                                             : platform::ButtonFaceColor();
  p.setPen(GdiPen(Qt::black, Qt::SolidLine));
  p.setBrush(fill);
  const QPoint tab[] = {{1, 1}, {1, h - 1}, {w - 1, h - 1}, {w - h + 1, 1}};
  p.drawPolygon(tab, 4);

  const auto caption = [&](const QColor& color, int x) {
    p.setPen(color);
    p.drawText(QRect(x, (h - th) / 2 + 1, std::max(tw, 1) + 1, th), Qt::AlignLeft | Qt::AlignTop, FCaption);
  };
  switch (FBtnState) {
    case TButtonState::bsUp:
      caption(Qt::black, (w - h - tw) / 2);
      break;
    case TButtonState::bsDown: {
      p.drawLine(2, 2, 2, h);
      const size_t bytes = app::AnsiByteLength(FCaption);
      const int g = bytes == 0 ? 0 : tw / int(bytes) - 2;
      caption(Qt::white, g);
      const int a = th / 2 - 2;
      p.setPen(GdiPen(Qt::white, Qt::SolidLine));
      p.setBrush(Qt::white);
      const QPoint arrow[] = {{tw + 2 * g, h / 2 - a}, {tw + 2 * g + a, h / 2}, {tw + 2 * g, h / 2 + a}};
      p.drawPolygon(arrow, 3);
      break;
    }
    case TButtonState::bsActive:
      p.setPen(GdiPen(Qt::white, Qt::SolidLine));
      p.drawLine(2, 2, 2, h - 2);
      p.drawLine(2, 2, w - h + 1, 2);
      p.setPen(GdiPen(platform::InactiveBorderColor(), Qt::SolidLine));
      p.drawLine(w - h + 1, 2, w - 3, h - 2);
      p.drawLine(w - 3, h - 2, 2, h - 2);
      caption(platform::HotLightColor(), (w - h - tw) / 2);
      break;
  }
}

void TKivButton::enterEvent(QEnterEvent*) {
  raise();
  if (FBtnState == TButtonState::bsUp) {
    FBtnState = TButtonState::bsActive;
    update();
  }
}

void TKivButton::leaveEvent(QEvent*) {
  if (FBtnState == TButtonState::bsActive) {
    FBtnState = TButtonState::bsUp;
    update();
  }
}

void TKivButton::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = app::EventPoint(event->position());
  emit MouseDown(event->button(), event->modifiers(), pos.x(), pos.y());
  if (event->button() == Qt::LeftButton) {
    FPressed = true;
    SetBtnState(FBtnState == TButtonState::bsDown ? TButtonState::bsUp : TButtonState::bsDown);
  }
}

void TKivButton::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = FPressed && event->button() == Qt::LeftButton;
  FPressed = false;
  if (click) emit Click();
  const QPoint pos = app::EventPoint(event->position());
  emit MouseUp(event->button(), event->modifiers(), pos.x(), pos.y());
}

// ---- TKivFlatPanel ----

TKivFlatPanel::TKivFlatPanel(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(100, 22);
}

void TKivFlatPanel::SetPanelStyle(TPanelStyle value) {
  if (value == FPanelStyle) return;
  FPanelStyle = value;
  update();
}

void TKivFlatPanel::SetPenColor(platform::TColor value) {
  if (value == FPenColor) return;
  FPenColor = value;
  update();
}

void TKivFlatPanel::SetColorA(platform::TColor value) {
  if (value == FColorA) return;
  FColorA = value;
  update();
}

void TKivFlatPanel::SetFrameWidth(int value) {
  if (value == FFrameWidth) return;
  FFrameWidth = value;
  update();
}

void TKivFlatPanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, false);
  // Opaque: the background colour is the parent's button face.
  p.fillRect(rect(), platform::ButtonFaceColor());
  if (FPanelStyle == TPanelStyle::psDefault) return;
  p.setPen(GdiPen(Qt::black, Qt::SolidLine));
  p.drawLine(0, 0, 0, height());
  p.setPen(GdiPen(ToQColor(FPenColor), Qt::SolidLine));
  p.setBrush(ToQColor(FColorA));
  GdiRectangle(p, 6 * FFrameWidth, FFrameWidth, width(), height() - FFrameWidth);
}

// ---- TImagePreview ----

namespace {

constexpr platform::TColor kActiveFrame = 0xFF0000;
constexpr platform::TColor kIdleFrame = 0x40B0EF;
constexpr platform::TColor kFocusColor = 0xFFFF00;

}  // namespace

TImagePreview::TImagePreview(QWidget* parent) : TKivMouseControl(parent) { setAttribute(Qt::WA_Hover); }

void TImagePreview::SetActived(bool value) {
  if (value == FActived) return;
  FActived = value;
  update();
}

void TImagePreview::SetSelected(bool value) {
  if (value == FSelected) return;
  FSelected = value;
  update();
}

QRect TImagePreview::PictureRect(int w, int h, int pw, int ph) {
  if (pw <= 0 || ph <= 0) return QRect();
  if (pw <= w && ph <= h) return QRect((w - pw) / 2, (h - ph) / 2, pw, ph);
  const long long bw = w - 4;
  const long long bh = h - 4;
  // A tile of four pixels or less has no room inside its frame.
  if (bw <= 0 || bh <= 0) return QRect();
  int dw;
  int dh;
  if (bw * ph >= static_cast<long long>(pw) * bh) {
    dh = int(bh);
    dw = platform::Round(static_cast<long double>(pw) * bh / ph);
  } else {
    dw = int(bw);
    dh = platform::Round(static_cast<long double>(ph) * bw / pw);
  }
  if (dw <= 0 || dh <= 0) return QRect();
  return QRect((w - dw) / 2, (h - dh) / 2, dw, dh);
}

void TImagePreview::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  const int w = width();
  const int h = height();
  const QImage& image = FPicture.Image();
  if (FPicture.HasGraphic()) {
    if (!image.isNull()) {
      const QRect target = PictureRect(w, h, image.width(), image.height());
      if (!target.isEmpty()) p.drawImage(target, image);
    }
    p.setBrush(Qt::NoBrush);
    if (FSelected)
      p.setPen(GdiPen(platform::HighlightColor(), Qt::SolidLine, 3));
    else
      p.setPen(GdiPen(ToQColor(FActived ? kActiveFrame : kIdleFrame), Qt::SolidLine));
    GdiRectangle(p, 1, 1, w - 1, h - 1);
  } else if (FActived) {
    QPen pen(ToQColor(kFocusColor));
    pen.setCosmetic(true);
    pen.setStyle(Qt::CustomDashLine);
    pen.setDashPattern({1, 1});
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    GdiRectangle(p, 0, 0, w, h);
  }
}

void TImagePreview::enterEvent(QEnterEvent*) { SetActived(true); }

void TImagePreview::leaveEvent(QEvent*) { SetActived(false); }

void TImagePreview::mousePressEvent(QMouseEvent* event) {
  TKivMouseControl::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) SetSelected(!FSelected);
}

void TImagePreview::contextMenuEvent(QContextMenuEvent* event) {
  if (FPopupMenu) FPopupMenu->popup(event->globalPos());
}

// ---- TImageEx ----

TImageEx::TImageEx(QWidget* parent) : QLabel(parent) {}

void TImageEx::enterEvent(QEnterEvent* event) {
  QLabel::enterEvent(event);
  emit MouseEnter(this);
}

void TImageEx::leaveEvent(QEvent* event) {
  QLabel::leaveEvent(event);
  emit MouseLeave(this);
}

void TImageEx::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(app::EventPoint(event->position()))) emit Click();
}
