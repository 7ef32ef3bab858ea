#include "tools/frmdrawtools.h"

#include <QAction>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionToolButton>
#include <QTimer>

#include "platform/componentname.h"
#include "services/resources.h"

namespace {

using TButtonSet = TFrmDrawTools::TButtonSet;

constexpr TButtonSet kToolSet = {
    "actDrawHorzLine", "actDrawVertLine",  "actDrawAnyLine",     "actDrawArc",         "actDrawEllipseFrame",
    "actDrawRect",     "actDrawRoundRect", "actDrawDiamond",     "actDrawTriangle",    "actDrawRhombFrame",
    "actDrawHorzText", "actDrawEllipseText", "actDrawAnyText",   "actDrawFiveStar",    "actDrawCell",
    "actDrawImage",    "actScrollPage",    "actPageZoomIn",      "actPageZoomOut",     "actPageZoom",
    "actBringToFront", "actSendToBack",    "actSameCenter",      "actChangePicture",
};

constexpr TButtonSet kTemplateSet = {
    "actDrawGZh",   "actDrawYCW",   "actDrawYZLA",  "actDrawYZLB",  "actDrawEllipse", "actDrawFPZYZ",
    "actDrawTYZLA", "actDrawTYZLB", "actDrawFCW",   "actDrawZZS",   "actDrawFZLA",    "actDrawFZLB",
    "actDrawRhomb", "actDrawSJ",    "actDraw22MZ",  "actDraw3ZFZ",  "actDraw3ZFZA",   "actDraw2ZFZ",
    "actDraw3ZFZB", "actDraw3ZFZC", "actDraw2ZFZA", "actDraw3ZBMZ", "actDraw2ZBMZ",   "actDraw4ZBMZ",
};

// How many of the 24 buttons each of ToolBar1 to ToolBar4 holds, in order.
constexpr int kToolBarButtons[] = {4, 6, 6, 8};

constexpr int kSwatchBorder = 2;
constexpr int kSwitchWidth = 52;
constexpr int kSwitchHeight = 24;
const QString kLogoHint = QStringLiteral("访问作者主页\r\n查看产品信息|访问作者主页");

void SetHint(QWidget* w, const QString& hint) {
  w->setToolTip(hint.section(QLatin1Char('|'), 0, 0));
  w->setStatusTip(hint.section(QLatin1Char('|'), -1));
}

// A tool bar that wraps its buttons two to a row.
QWidget* ButtonBar(QWidget* parent, const std::vector<QToolButton*>& buttons, int top) {
  auto* bar = new QWidget(parent);
  const int rows = int(buttons.size() + 1) / 2;
  bar->setGeometry(0, top, 2 * TFrmDrawTools::kButtonWidth, rows * TFrmDrawTools::kButtonHeight);
  for (size_t i = 0; i < buttons.size(); ++i) {
    buttons[i]->setParent(bar);
    buttons[i]->setGeometry(int(i % 2) * TFrmDrawTools::kButtonWidth, int(i / 2) * TFrmDrawTools::kButtonHeight,
                            TFrmDrawTools::kButtonWidth, TFrmDrawTools::kButtonHeight);
  }
  return bar;
}

}  // namespace

// ---- TShape ----

TShape::TShape(QWidget* parent) : QWidget(parent) {}

void TShape::SetBrushColor(platform::TColor value) {
  if (value == FBrushColor) return;
  FBrushColor = value;
  update();
}

void TShape::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(Qt::black);
  p.setBrush(platform::ToQColor(FBrushColor));
  p.drawRect(0, 0, width() - 1, height() - 1);
}

void TShape::mousePressEvent(QMouseEvent* event) { emit MouseDown(event->button()); }

// ---- TPaletteButton ----

TPaletteButton::TPaletteButton(QWidget* parent) : QToolButton(parent) {}

void TPaletteButton::SetHotImages(THotImages images) {
  FHotImages = std::move(images);
  update();
}

QIcon TPaletteButton::HotImage() const {
  if (!FHotImages) return icon();
  const QIcon hot = FHotImages(defaultAction() ? defaultAction()->objectName() : QString());
  return hot.isNull() ? icon() : hot;
}

void TPaletteButton::initStyleOption(QStyleOptionToolButton* option) const {
  QToolButton::initStyleOption(option);
  if (FHotImages && (option->state & QStyle::State_MouseOver) && (option->state & QStyle::State_Enabled))
    option->icon = HotImage();
}

// ---- TFrmDrawTools ----

const TButtonSet& TFrmDrawTools::ToolSet() { return kToolSet; }

const TButtonSet& TFrmDrawTools::TemplateSet() { return kTemplateSet; }

TFrmDrawTools::TFrmDrawTools(QWidget* owner, TActionLookup actions, const QWidget* anchor, int pixelsPerInch)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      FActions(std::move(actions)),
      FAnchor(anchor),
      FPixelsPerInch(pixelsPerInch > 0 ? pixelsPerInch : logicalDpiY()) {
  platform::Named(this, "FrmDrawTools");
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, pal.color(QPalette::Button));
  setPalette(pal);

  ImageEx1 = new TImageEx(this);
  platform::Named(ImageEx1, "ImageEx1");
  ImageEx1->setAlignment(Qt::AlignCenter);
  ImageEx1->setCursor(Qt::PointingHandCursor);
  SetHint(ImageEx1, kLogoHint);
  connect(ImageEx1, &TImageEx::MouseEnter, this, [this] { ImageEx1->setPixmap(app::PaletteBitmap(QStringLiteral("T1"))); });
  connect(ImageEx1, &TImageEx::MouseLeave, this, [this] { ImageEx1->setPixmap(app::PaletteBitmap(QStringLiteral("T2"))); });
  connect(ImageEx1, &TImageEx::Click, this, &TFrmDrawTools::ImageEx1Click);

  Panel1 = new QWidget(this);
  platform::Named(Panel1, "Panel1");
  for (int i = 0; i < kButtonCount; ++i) {
    ToolButtons[i] = new TPaletteButton(this);
    platform::Named(ToolButtons[i], QStringLiteral("ToolButton%1").arg(i + 1));
    ToolButtons[i]->setAutoRaise(true);
    ToolButtons[i]->setIconSize(QSize(kButtonWidth - 4, kButtonHeight - 4));
  }
  int top = 0;
  int first = 0;
  for (int bar = 0; bar < int(std::size(kToolBarButtons)); ++bar) {
    const std::vector<QToolButton*> buttons(ToolButtons.begin() + first,
                                            ToolButtons.begin() + first + kToolBarButtons[bar]);
    ToolBars[bar] = ButtonBar(Panel1, buttons, top);
    top += ToolBars[bar]->height();
    first += kToolBarButtons[bar];
  }

  ToolBars[4] = new QWidget(Panel1);
  Panel2 = new QWidget(ToolBars[4]);
  platform::Named(Panel2, "Panel2");
  Image4 = new QLabel(Panel2);
  platform::Named(Image4, "Image4");
  Shape1 = new TShape(Panel2);
  platform::Named(Shape1, "Shape1");
  Shape1->SetBrushColor(platform::clRed);
  SetHint(Shape1, QStringLiteral("设置颜色|设置颜色"));
  connect(Shape1, &TShape::MouseDown, this, &TFrmDrawTools::Shape1MouseDown);

  ToolBars[5] = new QWidget(Panel1);
  ToolButton25 = new TPaletteButton(ToolBars[5]);
  platform::Named(ToolButton25, "ToolButton25");
  ToolButton25->setAutoRaise(true);
  ToolButton25->setCheckable(true);
  ToolButton25->setIcon(app::PaletteSwitchImage());
  ToolButton25->SetHotImages([](const QString&) { return app::PaletteSwitchImage(true); });
  ToolButton25->setIconSize(QSize(kSwitchWidth - 4, kSwitchHeight - 4));
  ToolButton25->setGeometry(0, 0, kSwitchWidth, kSwitchHeight);
  SetHint(ToolButton25, QStringLiteral("切换工具栏|切换工具栏"));
  connect(ToolButton25, &QToolButton::clicked, this, &TFrmDrawTools::ToolButton25Click);
  for (int i = 0; i < 6; ++i) platform::Named(ToolBars[i], QStringLiteral("ToolBar%1").arg(i + 1));

  FormCreate();
  ShowSet(false);
}

void TFrmDrawTools::FormCreate() {
  ImageEx1->setPixmap(app::PaletteBitmap(QStringLiteral("T2")));
  Image4->setPixmap(app::PaletteBitmap(QStringLiteral("C1")));
  Image4->resize(Image4->pixmap().size());

  const int panelWidth = 2 * kButtonWidth;
  const int m = FPixelsPerInch / 32;
  const int logoHeight = ImageEx1->pixmap().height();
  const int clientWidth = panelWidth + 2 * m;
  ImageEx1->setGeometry(0, 0, clientWidth, logoHeight);
  Panel1->move(m, logoHeight + m);

  QWidget* bar5 = ToolBars[4];
  const int bar5Top = ToolBars[3]->geometry().bottom() + 1;
  const int bar5ClientWidth = panelWidth - 2 * kSwatchBorder;
  Panel2->setGeometry(kSwatchBorder, kSwatchBorder, bar5ClientWidth, Image4->height());
  bar5->setGeometry(0, bar5Top, panelWidth, Panel2->height() + 2 * kSwatchBorder);
  Image4->move(0, 0);
  Shape1->setGeometry(Image4->x() + Image4->width() + 2 * m, Image4->y(), Panel2->width() - Image4->width() - 2 * m,
                      Image4->height());
  ToolBars[5]->setGeometry(0, bar5->geometry().bottom() + 1, panelWidth, kSwitchHeight);
  Panel1->resize(panelWidth, ToolBars[5]->geometry().bottom() + 1);

  setFixedWidth(clientWidth);
  PlaceUnderCoolBar();
}

void TFrmDrawTools::PlaceUnderCoolBar() { move(FAnchor->mapToGlobal(QPoint(0, FAnchor->height()))); }

void TFrmDrawTools::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormShow();
}

void TFrmDrawTools::FormShow() {
  // The main window lays out its bars and takes its place on the screen only as it is
  // shown, so the place taken at creation is taken again once, when the palette first
  // appears beside a shown main window and that window has settled.
  if (!FPlaced && parentWidget()->isVisible()) {
    FPlaced = true;
    QTimer::singleShot(0, this, [this] { PlaceUnderCoolBar(); });
  }
  Panel1->resize(Panel1->width(), ToolBars[5]->y() + ToolBars[5]->height() + 1);
  setFixedHeight(Panel1->y() + Panel1->height());
}

void TFrmDrawTools::ImageEx1Click() { FActions(QString::fromUtf8(kHomePageAction))->trigger(); }

void TFrmDrawTools::Shape1MouseDown(Qt::MouseButton) { FActions(QString::fromUtf8(kSetColourAction))->trigger(); }

void TFrmDrawTools::ToolButton25Click() { ShowSet(ToolButton25->isChecked()); }

// The tool set has hot images, the templates have none.
void TFrmDrawTools::ShowSet(bool templates) {
  const TButtonSet& set = templates ? kTemplateSet : kToolSet;
  for (int i = 0; i < kButtonCount; ++i) {
    TPaletteButton* button = ToolButtons[i];
    button->SetHotImages(templates ? TPaletteButton::THotImages() : app::HotToolImage);
    // A button holding more than its one action would offer the others as a pop-up menu.
    if (QAction* old = button->defaultAction()) button->removeAction(old);
    QAction* action = FActions(QString::fromUtf8(set[i]));
    button->setDefaultAction(action);
    button->setCheckable(action->isCheckable());
  }
}
