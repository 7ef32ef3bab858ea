#include "library/frmeditlib.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

#include "controls/windowstyle.h"
#include "formats/whole_file.h"
#include "library/dialogstyle.h"
#include "library/libraryfolder.h"
#include "services/services.h"

using app::Bottom;
using app::Named;
using app::Right;

TfrmEditLib::TfrmEditLib(QWidget* owner, const QString& folder)
    : QDialog(owner),
      Label1(Named(new QLabel(QStringLiteral("库存印章"), this), "Label1")),
      ListBox1(Named(new QListWidget(this), "ListBox1")),
      Bevel1(Named(new QFrame(this), "Bevel1")),
      Button1(Named(new QPushButton(QStringLiteral("删    除"), this), "Button1")),
      Button2(Named(new QPushButton(QStringLiteral("全部删除"), this), "Button2")),
      Button3(Named(new QPushButton(QStringLiteral("关    闭"), this), "Button3")) {
  Named(this, "frmEditLib");

  FFileList = app::ListLibraryFiles(folder, false);
  app::SortLibraryNames(FFileList);
  for (const QString& file : FFileList) ListBox1->addItem(app::LibraryDesignName(file));

  const int ppi = app::PrepareLibraryDialog(this, QStringLiteral("编辑印章库"));
  app::SetTextColor(Label1, app::kLibraryLabelColor);
  app::SetTextColor(ListBox1, QColor(0, 128, 192));
  ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Bevel1->lower();
  Button1->setDefault(true);
  for (QPushButton* b : {Button2, Button3}) b->setAutoDefault(false);
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
  connect(Button3, &QPushButton::clicked, this, &QDialog::accept);
  connect(ListBox1, &QListWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });

  const int m = ppi / 24;
  ListBox1->resize(ppi * 5 / 3, 3 * ppi);
  Label1->adjustSize();
  Label1->move(m, m);
  ListBox1->move(m, Label1->y() * 3 / 2 + Label1->height());
  const int clientHeight = Bottom(ListBox1) + m;
  for (QPushButton* b : {Button1, Button2, Button3}) app::SizeButton(b, ppi, ppi * 2);
  const int buttonWidth = std::max({Button1->width(), Button2->width(), Button3->width()});
  for (QPushButton* b : {Button1, Button2, Button3}) b->resize(buttonWidth, b->height());
  Bevel1->setGeometry(Right(ListBox1) + m, m, buttonWidth + 2 * m, clientHeight - 2 * m);
  const int buttonLeft = Bevel1->x() + (Bevel1->width() - buttonWidth) / 2;
  Button1->move(buttonLeft, Bevel1->height() / 8);
  Button2->move(buttonLeft, Button1->y() + Bevel1->height() / 3);
  Button3->move(buttonLeft, Button2->y() + Bevel1->height() / 3);
  setFixedSize(Right(Bevel1) + m, clientHeight);
  UpdateButtons();
}

void TfrmEditLib::UpdateButtons() {
  Button1->setEnabled(!ListBox1->selectedItems().isEmpty());
  Button2->setEnabled(ListBox1->count() > 0);
}

void TfrmEditLib::DeleteRows(const std::vector<int>& rows) {
  QStringList failed;
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    const int row = *it;
    try {
      app::DeleteLibraryFile(FFileList[row]);
    } catch (const formats::EFileError& e) {
      failed.append(QString::fromUtf8(e.what()));
      continue;
    }
    FFileList.removeAt(row);
    delete ListBox1->takeItem(row);
  }
  UpdateButtons();
  if (!failed.isEmpty())
    app::ShowMessage(this, app::TMsgKind::Error, failed.join(QLatin1Char('\n')), app::mbOK);
}

void TfrmEditLib::Button1Click() {
  std::vector<int> rows;
  for (int i = 0; i < ListBox1->count(); ++i)
    if (ListBox1->item(i)->isSelected()) rows.push_back(i);
  if (rows.empty()) return;
  if (app::ShowMessage(this, app::TMsgKind::Confirmation, QStringLiteral("确实要删除这些模板印章吗？"),
                       app::mbYes | app::mbNo) != app::mbYes)
    return;
  DeleteRows(rows);
}

void TfrmEditLib::Button2Click() {
  if (FFileList.isEmpty()) return;
  if (app::ShowMessage(this, app::TMsgKind::Confirmation, QStringLiteral("确实要删除所有模板印章吗？"),
                       app::mbYes | app::mbNo) != app::mbYes)
    return;
  std::vector<int> rows(size_t(FFileList.size()));
  for (size_t i = 0; i < rows.size(); ++i) rows[i] = int(i);
  DeleteRows(rows);
}

// Esc closes as the close button does, accepted; only the close box rejects.
void TfrmEditLib::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);
}
