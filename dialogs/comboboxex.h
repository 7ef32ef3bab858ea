#pragma once
// A combo box whose list is always open: the chosen item, with its icon, in a box at the
// top and every item, each with its icon, in a list below. Its item index is the row chosen
// in the list; choosing a row runs OnChange, setting the index from the program does not.

#include <QIcon>
#include <QString>
#include <QWidget>
#include <functional>

class QLabel;
class QListWidget;

namespace merulin {

class TComboBoxEx : public QWidget {
 public:
  explicit TComboBoxEx(QWidget* parent);

  void AddItem(const QIcon& icon, const QString& text);
  int ItemCount() const;
  int ItemIndex() const;
  void SetItemIndex(int index);
  // The height of one row of the list.
  int ItemHeight() const;

  std::function<void()> OnChange;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowChosen();

  QWidget* edit_;
  QLabel* editIcon_;
  QLabel* editText_;
  QListWidget* list_;
  bool settingIndex_ = false;
};

}  // namespace merulin
