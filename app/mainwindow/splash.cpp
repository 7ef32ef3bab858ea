#include "mainwindow/splash.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "controls/windowstyle.h"
#include "pandrel/pandrel.h"
#include "platform/componentname.h"
#include "services/services.h"

TSplashForm* SplashForm = nullptr;

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      Label3(new QLabel(this)),
      FSplashPicture(std::make_unique<platform::TPicture>()) {
  platform::Named(this, "SplashForm");
  app::SetBackground(this, Qt::white);

  LoadAPicture(*FSplashPicture, "Splash");
  // A window of no size cannot be shown; an empty picture leaves a one-pixel window.
  setFixedSize(std::max(1, FSplashPicture->Width()), std::max(1, FSplashPicture->Height()));
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->geometry().center() - rect().center());

  platform::Named(Label3, "Label3");
  QFont font(QStringLiteral("宋体"));
  font.setPixelSize(13);
  Label3->setFont(font);
  app::SetTextColor(Label3, QColor(0, 0, 128));
  Label3->setAttribute(Qt::WA_TranslucentBackground);
  Label3->move(65, 180);
}

TSplashForm::~TSplashForm() = default;

void TSplashForm::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!FSplashPicture->Image().isNull()) p.drawImage(0, 0, FSplashPicture->Image());
  QPen pen(QColor(255, 128, 192));
  pen.setWidth(2);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawRect(1, 1, width() - 2, height() - 2);
}

void TSplashForm::ShowStatus(const QString& text) {
  Label3->setText(text);
  Label3->adjustSize();
  repaint();
}

void SplashStatus(int milliseconds, const QString& step) {
  if (SplashForm) SplashForm->ShowStatus(QStringLiteral("Brelvonix 正在") + step);
  app::Services().Pause(milliseconds);
}
