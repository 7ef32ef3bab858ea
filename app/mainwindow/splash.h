#pragma once
// The splash window shown while the main window is built, and the routine by which each
// start-up step is announced on it.

#include <QLabel>
#include <QWidget>
#include <memory>

#include "platform/picture.h"

class TSplashForm : public QWidget {
  Q_OBJECT

 public:
  explicit TSplashForm(QWidget* parent = nullptr);
  ~TSplashForm() override;

  // The status line shows the text, painted at once.
  void ShowStatus(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QLabel* Label3;
  std::unique_ptr<platform::TPicture> FSplashPicture;
};

// The splash window while the program starts; nullptr at all other times.
extern TSplashForm* SplashForm;

// Shows "Brelvonix 正在" + step on the splash window at once, then pauses for milliseconds.
void SplashStatus(int milliseconds, const QString& step);
