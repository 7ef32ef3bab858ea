#include "library/frmlib.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "controls/windowstyle.h"
#include "library/dialogstyle.h"

using app::Bottom;
using app::Named;

TfrmLib::TfrmLib(QWidget* owner)
    : QDialog(owner),
      Label1(Named(new QLabel(QStringLiteral("请输入一个章名："), this), "Label1")),
      Edit1(Named(new QLineEdit(this), "Edit1")),
      Bevel1(Named(new QFrame(this), "Bevel1")),
      BitBtn1(Named(new QPushButton(QStringLiteral("存入(&S)..."), this), "BitBtn1")),
      BitBtn2(Named(new QPushButton(QStringLiteral("取  消(&C)"), this), "BitBtn2")) {
  Named(this, "frmLib");
  const int ppi = app::PrepareLibraryDialog(this, QStringLiteral("保存到印章库"));
  app::SetTextColor(Label1, app::kLibraryLabelColor);
  app::SetTextColor(Edit1, Qt::red);
  Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Bevel1->lower();
  BitBtn1->setDefault(true);
  BitBtn1->setAutoDefault(true);
  BitBtn2->setAutoDefault(false);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

  const int m = ppi / 24;
  const int clientWidth = 2 * ppi;
  Label1->adjustSize();
  Label1->move(m, ppi / 12);
  Edit1->setGeometry(m, Bottom(Label1), clientWidth - 2 * m, Edit1->sizeHint().height());
  // Two buttons side by side with 3m outside each and at least m between them.
  const int buttonRoom = (clientWidth - 7 * m) / 2;
  for (QPushButton* b : {BitBtn1, BitBtn2}) app::SizeButton(b, ppi, buttonRoom);
  Bevel1->setGeometry(1, Bottom(Edit1) + 2 * m, clientWidth - 2, BitBtn1->height() + 2 * m);
  const int buttonTop = Bevel1->y() + (Bevel1->height() - BitBtn1->height()) / 2;
  BitBtn1->move(3 * m, buttonTop);
  BitBtn2->move(clientWidth - BitBtn2->width() - 3 * m, buttonTop);
  setFixedSize(clientWidth, Bottom(Bevel1) + m);
}

void TfrmLib::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Edit1->setFocus();
}

QString TfrmLib::DesignName() const { return Edit1->text(); }

void TfrmLib::SetDesignName(const QString& name) { Edit1->setText(name); }
