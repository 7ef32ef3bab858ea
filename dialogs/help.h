#pragma once
// The help viewer: a panel of topics on the left and the page of the chosen topic, a
// picture of the library's resources, on the right. It opens on the first topic; clicking
// a topic shows its page and marks it red.

#include <QDialog>
#include <vector>

#include "platform/picture.h"

class QLabel;

namespace merulin {

class TTopicLabel;

class TfrmHelp : public QDialog {
 public:
  explicit TfrmHelp(QWidget* owner);
  ~TfrmHelp() override;

  // Shows the page of that label's topic and makes it the current one.
  void ShowTopic(TTopicLabel* label);

 private:
  void LoadPage(int number);

  std::vector<TTopicLabel*> topics_;
  QLabel* page_;
  TTopicLabel* FCurrentLabel = nullptr;
  // The page now shown; each page replaces the last in the same picture.
  platform::TPicture FPageImage;
};

}  // namespace merulin
