#include "dialogs/comboboxex.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <algorithm>

#include "dialogs/pictures.h"
#include "platform/componentname.h"

namespace merulin {

TComboBoxEx::TComboBoxEx(QWidget* parent)
    : QWidget(parent), edit_(new QFrame(this)), editIcon_(new QLabel), editText_(new QLabel), list_(new QListWidget(this)) {
  auto* frame = static_cast<QFrame*>(edit_);
  frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  frame->setAutoFillBackground(true);
  frame->setBackgroundRole(QPalette::Base);
  auto* row = new QHBoxLayout(frame);
  row->setContentsMargins(4, 0, 4, 0);
  row->setSpacing(4);
  row->addWidget(editIcon_);
  row->addWidget(editText_, 1);
  platform::Named(edit_, "Chosen");
  platform::Named(editText_, "ChosenText");
  platform::Named(list_, "List");
  list_->setIconSize(QSize(kFormatIconSide, kFormatIconSide));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(list_, &QListWidget::currentRowChanged, this, [this] {
    ShowChosen();
    if (!settingIndex_ && OnChange) OnChange();
  });
}

void TComboBoxEx::AddItem(const QIcon& icon, const QString& text) {
  auto* item = new QListWidgetItem(icon, text, list_);
  item->setSizeHint(QSize(list_->fontMetrics().horizontalAdvance(text) + kFormatIconSide + 16, ItemHeight()));
}

int TComboBoxEx::ItemCount() const { return list_->count(); }

int TComboBoxEx::ItemIndex() const { return list_->currentRow(); }

void TComboBoxEx::SetItemIndex(int index) {
  settingIndex_ = true;
  list_->setCurrentRow(index);
  settingIndex_ = false;
  ShowChosen();
}

int TComboBoxEx::ItemHeight() const { return std::max(fontMetrics().height(), kFormatIconSide) + 4; }

void TComboBoxEx::ShowChosen() {
  const QListWidgetItem* item = list_->currentItem();
  editIcon_->setPixmap(item ? item->icon().pixmap(kFormatIconSide, kFormatIconSide) : QPixmap());
  editText_->setText(item ? item->text() : QString());
}

void TComboBoxEx::resizeEvent(QResizeEvent*) {
  const int listHeight = ItemHeight() * ItemCount() + 2 * list_->frameWidth();
  const int editHeight = std::max(0, height() - listHeight - 2);
  edit_->setGeometry(0, 0, width(), editHeight);
  list_->setGeometry(0, height() - listHeight, width(), listHeight);
}

}  // namespace merulin
