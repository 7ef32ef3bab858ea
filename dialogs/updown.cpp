#include "dialogs/updown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

#include "platform/componentname.h"

namespace merulin {

bool ReadInteger(const QString& text, int* value) {
  bool ok = false;
  const int v = text.trimmed().toInt(&ok, 10);
  if (ok) *value = v;
  return ok;
}

TUpDown::TUpDown(QLineEdit* buddy, int min, int max, QWidget* parent)
    : QWidget(parent),
      buddy_(buddy),
      min_(min),
      max_(max),
      position_(min),
      up_(new QToolButton(this)),
      down_(new QToolButton(this)) {
  for (QToolButton* b : {up_, down_}) {
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
  }
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  platform::Named(up_, "Up");
  platform::Named(down_, "Down");
  connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
  connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
  buddy_->installEventFilter(this);
}

void TUpDown::SetPosition(int value) {
  position_ = std::clamp(value, min_, max_);
  buddy_->setText(QString::number(position_));
}

void TUpDown::FollowBuddy(int pixelsPerInch) {
  setGeometry(buddy_->x() + buddy_->width(), buddy_->y(), WidthAt(pixelsPerInch), buddy_->height());
}

int TUpDown::Position() {
  int value = 0;
  if (ReadInteger(buddy_->text(), &value) && value >= min_ && value <= max_) position_ = value;
  return position_;
}

void TUpDown::Step(int delta) {
  SetPosition(Position() + delta);
  buddy_->selectAll();
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event) {
  if (watched == buddy_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      Step(key == Qt::Key_Up ? 1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TUpDown::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace merulin
