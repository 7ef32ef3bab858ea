#include "dialogs/about.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QUrl>
#include <algorithm>
#include <vector>

#include "dialogs/formstyle.h"
#include "dialogs/pictures.h"
#include "platform/canvas.h"
#include "platform/syscolors.h"

namespace merulin {

namespace {

const char* const kContactAddress = "brelvonix@example.org";
const char* const kVersionText = "版本：     8.0.4.2  ";
const char* const kCredits[] = {"Brelvonix 中文印章设计与打印", "Brelvonix 开发组 版权所有"};

// The contact link: blue with a hand cursor, underlined under the mouse; a click opens a
// mail to the address and closes the box.
class TContactLink : public QLabel {
 public:
  TContactLink(const QString& address, QDialog* box) : QLabel(address, box), box_(box) {
    Named(this, "Link");
    setCursor(Qt::PointingHandCursor);
    SetTextColor(this, QColor(0, 0, 255));
  }

 protected:
  void enterEvent(QEnterEvent*) override { SetUnderline(true); }
  void leaveEvent(QEvent*) override { SetUnderline(false); }
  void mousePressEvent(QMouseEvent* event) override { event->accept(); }
  void mouseReleaseEvent(QMouseEvent* event) override {
    event->accept();
    QDesktopServices::openUrl(QUrl(QString::fromUtf8("Mailto:") + text()));
    box_->reject();
  }

 private:
  void SetUnderline(bool on) {
    QFont f = font();
    f.setUnderline(on);
    setFont(f);
    adjustSize();
  }
  QDialog* box_;
};

QLabel* Caption(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  Named(label, name);
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  label->adjustSize();
  return label;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* owner) : QDialog(owner) {
  PrepareForm(this, Qt::FramelessWindowHint);
  Named(this, "AboutBox");
  setWindowTitle(QString::fromUtf8("关于..."));
  SetBackground(this, Qt::white);
  SetTextColor(this, platform::ActiveCaptionColor());
  const int ppi = ScreenPixelsPerInch();
  const int m = ppi / 8;

  QLabel* logo = Caption(QString::fromUtf8("Logo"), QString(), this);
  logo->setPixmap(ResourcePicture(LogoResource(), true));
  logo->setAlignment(Qt::AlignCenter);
  QLabel* title = Caption(QString::fromUtf8("Title"), QString(), this);
  title->setPixmap(ResourcePicture(TitleResource(), true));
  title->resize(kTitleWidth, kTitleHeight);
  auto* bevel = new QFrame(this);
  Named(bevel, "Bevel1");
  bevel->setFrameStyle(QFrame::HLine | QFrame::Raised);
  bevel->setAttribute(Qt::WA_TransparentForMouseEvents);
  QLabel* version = Caption(QString::fromUtf8("Version"), QString::fromUtf8(kVersionText), this);
  std::vector<QLabel*> credits;
  for (const char* line : kCredits)
    credits.push_back(Caption(QString::fromUtf8("Credit%1").arg(credits.size() + 1), QString::fromUtf8(line), this));
  QLabel* contact = Caption(QString::fromUtf8("Contact"), QString::fromUtf8("致信作者："), this);
  auto* link = new TContactLink(QString::fromUtf8(kContactAddress), this);
  link->adjustSize();

  int rowsWidth = std::max(version->width(), contact->width() + link->width());
  for (const QLabel* c : credits) rowsWidth = std::max(rowsWidth, c->width());
  const int clientWidth = kLogoWidth + std::max(kTitleWidth + 2 * (ppi / 4), rowsWidth + 2 * m);

  // The title centred right of the logo, the bevel under it from the logo to the border.
  title->move((clientWidth + kLogoWidth - kTitleWidth) / 2, ppi / 8);
  bevel->setGeometry(0 + kLogoWidth + 1, title->y() + kTitleHeight + 2, clientWidth - kLogoWidth - 2, 2);
  const int textLeft = bevel->x() + m;
  int top = bevel->y() + bevel->height() + m;
  version->move(textLeft, top);
  top += version->height() + m / 2;
  for (QLabel* c : credits) {
    c->move(textLeft, top);
    top += c->height() + m / 4;
  }
  // The contact row stands at the foot of the box, level with the foot of the logo.
  const int rowHeight = std::max(contact->height(), link->height());
  const int clientHeight = std::max(kLogoHeight, top + m / 4 + rowHeight + m);
  const int rowTop = clientHeight - m - rowHeight;
  contact->move(textLeft, rowTop + (rowHeight - contact->height()) / 2);
  link->move(textLeft + contact->width(), rowTop + (rowHeight - link->height()) / 2);
  logo->setGeometry(0, 0, kLogoWidth, clientHeight);
  PlaceOnScreen(this, clientWidth, clientHeight);
}

void TAboutBox::paintEvent(QPaintEvent*) {
  platform::TPainterCanvas canvas(this);
  DrawBorder(canvas, width(), height());
}

void TAboutBox::mouseReleaseEvent(QMouseEvent*) { reject(); }

}  // namespace merulin
