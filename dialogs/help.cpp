#include "dialogs/help.h"

#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <exception>

#include "dialogs/formstyle.h"
#include "dialogs/pictures.h"
#include "platform/syscolors.h"

namespace merulin {

namespace {

const QColor kTopicColor(0, 128, 255);
const QColor kHoverColor(0, 0, 255);
const QColor kCurrentColor(255, 0, 0);

// Labels stand this far from the panel's edge, one topic under the other at this pitch.
constexpr int kLabelLeft = 8;
constexpr int kFirstTopicTop = 40;
constexpr int kTopicPitch = 23;

}  // namespace

// One topic of the panel, its number as its tag: underlined under the mouse, blue there
// unless it is the current (red) one; a click shows its page.
class TTopicLabel : public QLabel {
 public:
  TTopicLabel(const THelpTopic& topic, TfrmHelp* form, QWidget* panel)
      : QLabel(QString::fromUtf8(topic.Caption), panel), Tag(topic.Number), form_(form) {
    Named(this, QString::fromUtf8("Topic%1").arg(topic.Number));
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignCenter);
    adjustSize();
  }

  void Paint(const QColor& colour) { SetTextColor(this, colour); }
  bool IsRed() const { return palette().color(QPalette::WindowText) == kCurrentColor; }

  const int Tag;

 protected:
  void enterEvent(QEnterEvent*) override {
    SetUnderline(true);
    if (!IsRed()) Paint(kHoverColor);
  }
  void leaveEvent(QEvent*) override {
    SetUnderline(false);
    if (!IsRed()) Paint(kTopicColor);
  }
  void mousePressEvent(QMouseEvent* event) override { event->accept(); }
  void mouseReleaseEvent(QMouseEvent* event) override {
    event->accept();
    if (rect().contains(event->position().toPoint())) form_->ShowTopic(this);
  }

 private:
  void SetUnderline(bool on) {
    QFont f = font();
    f.setUnderline(on);
    setFont(f);
  }
  TfrmHelp* form_;
};

TfrmHelp::TfrmHelp(QWidget* owner) : QDialog(owner), page_(new QLabel(this)) {
  PrepareForm(this, Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  Named(this, "frmHelp");
  setWindowTitle(QString::fromUtf8("Brelvonix帮助……"));
  SetBackground(this, Qt::white);

  auto* panel = new QWidget(this);
  Named(panel, "Panel1");
  SetBackground(panel, platform::Light3DColor());
  SetTextColor(panel, kTopicColor);
  auto* title = new QLabel(QString::fromUtf8("目录"), panel);
  Named(title, "TitleLabel");
  QFont underlined = title->font();
  underlined.setUnderline(true);
  title->setFont(underlined);
  title->adjustSize();
  for (const THelpTopic& topic : kHelpTopics) topics_.push_back(new TTopicLabel(topic, this, panel));
  auto* close = new QPushButton(QString::fromUtf8("退出（&C）"), panel);
  Named(close, "Button1");
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);

  Named(page_, "Image1");
  LoadPage(topics_.front()->Tag);

  for (size_t k = 0; k < topics_.size(); ++k) topics_[k]->move(kLabelLeft, kFirstTopicTop + kTopicPitch * int(k));
  FCurrentLabel = topics_.front();
  FCurrentLabel->Paint(kCurrentColor);
  const int panelWidth = topics_.front()->width() + 16;
  panel->setGeometry(0, 0, panelWidth, page_->height());
  page_->move(panelWidth + 4, 0);
  title->move((panelWidth - title->width()) / 2 - 2, 12);
  const int buttonWidth = panelWidth - 16;
  const int buttonHeight = 2 * topics_.front()->height() + 4;
  close->setGeometry((panelWidth - buttonWidth) / 2, topics_.back()->y() + 35, buttonWidth, buttonHeight);
  PlaceOnScreen(this, page_->x() + page_->width(), page_->height());
}

TfrmHelp::~TfrmHelp() = default;

void TfrmHelp::LoadPage(int number) {
  QFile file(HelpPageResource(number));
  if (!file.open(QIODevice::ReadOnly)) throw platform::EPictureError("missing help page");
  const QByteArray bytes = file.readAll();
  FPageImage.LoadFromBytes(platform::TGraphicKind::Gif, std::vector<uint8_t>(bytes.begin(), bytes.end()));
  page_->setPixmap(QPixmap::fromImage(FPageImage.Image()));
  page_->resize(FPageImage.Width(), FPageImage.Height());
}

void TfrmHelp::ShowTopic(TTopicLabel* label) {
  try {
    LoadPage(label->Tag);
  } catch (const std::exception&) {
    return;  // the page shown stays; a click handler must not throw into the event loop
  }
  FCurrentLabel->Paint(kTopicColor);
  label->Paint(kCurrentColor);
  FCurrentLabel = label;
}

}  // namespace merulin
