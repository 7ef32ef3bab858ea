#include "dialogs/exporttoimage.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

#include "dialogs/comboboxex.h"
#include "dialogs/formstyle.h"
#include "dialogs/pictures.h"
#include "dialogs/updown.h"
#include "platform/canvas.h"
#include "platform/syscolors.h"

namespace merulin {

namespace {

constexpr int kDefaultDpi = 600;
constexpr int kMaxDpi = 1440;

// The format list in TExportFormat order.
const char* const kFormatCaptions[kFormatCount] = {"Bmp  Windows位图", "EMF  Windows矢量图", "JPG  JPEG压缩影像",
                                                   "GIF  CompuServe GIF", "TIFF Tag影像"};

}  // namespace

TfrmExportToImage::TfrmExportToImage(QWidget* owner)
    : QDialog(owner),
      Label3(Named(new QLabel(QString::fromUtf8("设置图象导出方式"), this), "Label3")),
      Label1(Named(new QLabel(QString::fromUtf8("图象精度："), this), "Label1")),
      Edit1(Named(new QLineEdit(QString::number(kDefaultDpi), this), "Edit1")),
      UpDown1(Named(new TUpDown(Edit1, 0, kMaxDpi, this), "UpDown1")),
      Label2(Named(new QLabel(QString::fromUtf8("dpi"), this), "Label2")),
      CheckBox1(Named(new QCheckBox(QString::fromUtf8("是否镜像导出图象？"), this), "CheckBox1")),
      CheckBox2(Named(new QCheckBox(QString::fromUtf8("导出到Windows剪贴板？"), this), "CheckBox2")),
      ComboBoxEx1(Named(new TComboBoxEx(this), "ComboBoxEx1")),
      Label4(Named(new QLabel(this), "Label4")),
      Button1(Named(new QPushButton(QString::fromUtf8("导  出"), this), "Button1")),
      Button2(Named(new QPushButton(QString::fromUtf8("取  消"), this), "Button2")) {
  PrepareForm(this, Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  Named(this, "frmExportToImage");
  setWindowTitle(QString::fromUtf8("导出为图象"));
  SetBackground(this, platform::ButtonFaceColor());
  SetTextColor(Label3, QColor(0, 128, 255));
  SetBackground(Label3, platform::ButtonFaceColor());
  SetTextColor(Label4, QColor(0, 0, 128));
  UpDown1->SetPosition(kDefaultDpi);
  for (int format = 0; format < kFormatCount; ++format)
    ComboBoxEx1->AddItem(QIcon(ResourcePicture(FormatIconResource(format), true)),
                         QString::fromUtf8(kFormatCaptions[format]));
  ComboBoxEx1->OnChange = [this] { CheckBox2->setEnabled(ComboBoxEx1->ItemIndex() + 1 != ComboBoxEx1->ItemCount()); };
  ComboBoxEx1->SetItemIndex(0);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, [this] { Export(); });
  connect(Button2, &QPushButton::clicked, this, [this] { done(2); });

  const int p = ScreenPixelsPerInch();
  Label4->setText(QString::fromUtf8("当前显示\n器分辨精\n度:%1dpi").arg(p));
  Label4->setWordWrap(true);
  for (QWidget* w : std::initializer_list<QWidget*>{Label3, Label1, Edit1, Label2, CheckBox1, CheckBox2}) w->adjustSize();
  for (QPushButton* b : {Button1, Button2}) SizeButton(b, p);

  Label3->move(p / 8, p / 8);
  Label1->move(p / 12, Bottom(Label3) + p / 8);
  Edit1->setGeometry(Right(Label1), Label1->y() + (Label1->height() - Edit1->height()) / 2, p * 3 / 4, Edit1->height());
  UpDown1->FollowBuddy(p);
  Label2->move(Right(UpDown1) + p / 48, Bottom(UpDown1) - Label2->height() / 2);
  CheckBox1->move(p / 12, Bottom(Edit1) + p / 24);
  CheckBox2->move(p / 12, Bottom(CheckBox1) + p / 48);
  ComboBoxEx1->setGeometry(p / 12, Bottom(CheckBox2) + p / 16,
                           Label1->x() + Label1->width() + Edit1->width() + UpDown1->width() + Label2->width(),
                           ComboBoxEx1->ItemHeight() * (ComboBoxEx1->ItemCount() + 2));
  const int clientHeight = Bottom(ComboBoxEx1) + 6;
  Button2->move(Right(ComboBoxEx1) + p / 12, clientHeight - Button2->height() - p / 10);
  Button1->move(Button2->x(), Button2->y() - Button1->height() - p / 4);
  Label4->setGeometry(Button1->x() + 1, p / 8, Button1->width(), Label4->heightForWidth(Button1->width()));
  PlaceOnScreen(this, Right(Button1) + p / 24, clientHeight);
}

std::optional<TExportSettings> TfrmExportToImage::Settings() const {
  int dpi = 0;
  if (!ReadInteger(Edit1->text(), &dpi) || dpi <= 0) return std::nullopt;
  TExportSettings s{};
  s.Accepted = true;
  s.PixelsPerMm = platform::EncodeExtended(static_cast<long double>(dpi) / 25.4L);
  s.Format = static_cast<uint8_t>(ComboBoxEx1->ItemIndex());
  s.Mirror = CheckBox1->isChecked();
  s.ToClipboard = CheckBox2->isChecked() && CheckBox2->isEnabled();
  return s;
}

void TfrmExportToImage::Export() {
  if (Settings()) {
    done(1);
    return;
  }
  QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(),
                  QString::fromUtf8("图象精度必须是大于零的整数！"), QMessageBox::Ok, this);
  box.exec();
  Edit1->setFocus();
  Edit1->selectAll();
}

void TfrmExportToImage::paintEvent(QPaintEvent*) {
  platform::TPainterCanvas canvas(this);
  const int a = Label1->x() / 2;
  canvas.SetBrushStyle(platform::bsClear);
  canvas.SetPenWidth(1);
  canvas.SetPenColor(platform::clWhite);
  canvas.RoundRect(a, Label3->y() + Label3->height() / 2 + 1, Right(ComboBoxEx1) + a, Bottom(ComboBoxEx1) + a, Label1->x(),
                   Label1->x());
}

}  // namespace merulin
