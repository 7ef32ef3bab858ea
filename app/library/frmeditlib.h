#pragma once
// The library editor: the designs of the library folder in a list, deleted a few or all at
// once. It deletes the files itself and keeps the list of those that remain, by which the
// library panel drops the tiles of the others once the editor is closed with its button.

#include <QDialog>
#include <QStringList>

class QFrame;
class QKeyEvent;
class QLabel;
class QListWidget;
class QPushButton;

class TfrmEditLib : public QDialog {
  Q_OBJECT

 public:
  // Lists the library folder (with its trailing separator).
  TfrmEditLib(QWidget* owner, const QString& folder);

  // The files that remain, sorted; entry i of the list box shows file i.
  const QStringList& FileList() const { return FFileList; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Button1Click();
  void Button2Click();
  QLabel* Label1;
  QListWidget* ListBox1;
  QFrame* Bevel1;
  // "删    除", "全部删除", and "关    闭", which closes accepted, as Esc does; the close
  // box closes rejected.
  QPushButton* Button1;
  QPushButton* Button2;
  QPushButton* Button3;

  void UpdateButtons();
  // Deletes the files of the list box's rows, from the last to the first; a file that
  // cannot be deleted keeps its row and is named in one error message at the end.
  void DeleteRows(const std::vector<int>& rows);

  QStringList FFileList;
};
