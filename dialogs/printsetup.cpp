#include "dialogs/printsetup.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "dialogs/formstyle.h"
#include "dialogs/updown.h"
#include "platform/canvas.h"
#include "platform/syscolors.h"

namespace merulin {

namespace {

constexpr int kMinCopies = 1;
constexpr int kMaxCopies = 100;

}  // namespace

TfrmPrintSetup::TfrmPrintSetup(QWidget* owner)
    : QDialog(owner),
      Label1(Named(new QLabel(QString::fromUtf8("打印风格设置"), this), "Label1")),
      CheckBox1(Named(new QCheckBox(QString::fromUtf8("是否使用真彩打印？"), this), "CheckBox1")),
      CheckBox2(Named(new QCheckBox(QString::fromUtf8("是否镜像打印文件？"), this), "CheckBox2")),
      Label2(Named(new QLabel(QString::fromUtf8("打印页数："), this), "Label2")),
      Edit1(Named(new QLineEdit(QString::fromUtf8("1"), this), "Edit1")),
      UpDown1(Named(new TUpDown(Edit1, kMinCopies, kMaxCopies, this), "UpDown1")),
      Button1(Named(new QPushButton(QString::fromUtf8("打印"), this), "Button1")),
      Button2(Named(new QPushButton(QString::fromUtf8("取消"), this), "Button2")) {
  PrepareForm(this, Qt::FramelessWindowHint);
  Named(this, "frmPrintSetup");
  SetBackground(this, Qt::white);
  SetTextColor(Label1, QColor(0, 128, 255));
  SetTextColor(Edit1, QColor(0, 0, 128));
  UpDown1->SetPosition(1);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, [this] { done(1); });
  connect(Button2, &QPushButton::clicked, this, [this] { done(2); });

  const int ppi = ScreenPixelsPerInch();
  const int m = ppi / 8;
  for (QWidget* w : std::initializer_list<QWidget*>{Label1, CheckBox1, CheckBox2, Label2, Edit1}) w->adjustSize();
  for (QPushButton* b : {Button1, Button2}) SizeButton(b, ppi);

  Label1->move(m, m);
  CheckBox1->move(m, Bottom(Label1) + 2 * m);
  CheckBox2->move(m, Bottom(CheckBox1) + m);
  Edit1->setGeometry(m + Label2->width(), Bottom(CheckBox2) + m,
                     CheckBox1->width() - Label2->width() - TUpDown::WidthAt(ppi) - 12, Edit1->height());
  UpDown1->FollowBuddy(ppi);
  Label2->move(m, Edit1->y() + (Edit1->height() - Label2->height()) / 2);
  Button1->move(ppi / 8 + Right(CheckBox1), m);
  Button2->move(Button1->x(), Bottom(Button1) + ppi / 8);
  PlaceOnScreen(this, Right(Button1) + ppi / 12, Bottom(Edit1) + m);
}

void TfrmPrintSetup::Preset(bool trueColor, bool mirror, int32_t copies) {
  CheckBox1->setChecked(trueColor);
  CheckBox2->setChecked(mirror);
  UpDown1->SetPosition(std::clamp(copies, kMinCopies, kMaxCopies));
}

TPrintSettings TfrmPrintSetup::Settings(int modalResult) const {
  if (modalResult != 1) return kPrintCancelled;
  return {CheckBox1->isChecked(), CheckBox2->isChecked(), true, UpDown1->Position()};
}

void TfrmPrintSetup::paintEvent(QPaintEvent*) {
  platform::TPainterCanvas canvas(this);
  DrawBorder(canvas, width(), height());
  canvas.SetPenWidth(1);
  canvas.SetPenColor(platform::FromQColor(platform::Light3DColor()));
  canvas.RoundRect(5, 5, width() - 5, height() - 5, 8, 8);
  const int left = Label1->x(), right = Right(Label1), bottom = Bottom(Label1);
  canvas.SetPenColor(platform::RGBColor(255, 128, 128));
  canvas.Line(left, bottom, right, bottom);
  canvas.SetPenColor(platform::RGBColor(255, 166, 166));
  canvas.Line(left, bottom + 1, right, bottom + 1);
}

}  // namespace merulin
