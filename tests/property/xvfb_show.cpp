// The property window on a real display, beside a page holding a round official seal,
// driven from standard input so that a person or a script can look at it:
//   page <1..4>          presses and releases that page button
//   rollup               activates the page window, which rolls the property window up
//   type <tag> <text>    types over the text of that control
//   popup <tag>          opens the list of that combo box
//   quit

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSocketNotifier>
#include <QVBoxLayout>
#include <QtTest>
#include <iostream>
#include <memory>

#include "command_input.h"
#include "controls/kivspinedit.h"
#include "controls/kivcontrols.h"
#include "platform/gbk.h"
#include "property/propertyhost.h"
#include "property/proprty.h"
#include "seal/seal.h"
#include "document/sealtemplates.h"
#include "parts.h"

namespace {

struct ShowHost : property::TPropertyHost {
  seal::TSeal* seal = nullptr;
  QLabel* status = nullptr;
  const seal::TSeal* CurrentSeal() const override { return seal; }
  void EditCurrentSeal(const std::function<void(seal::TSeal&)>& change, const QString& text) override {
    if (!seal) return;
    change(*seal);
    seal->update();
    status->setText(text);
  }
};

void TypeOver(QWidget* control, const QString& text) {
  if (auto* combo = qobject_cast<QComboBox*>(control)) control = combo->lineEdit();
  if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
  if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) memo->selectAll();
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(control, &press);
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget main;
  main.setWindowTitle(QStringLiteral("Brelvonix"));
  main.setGeometry(20, 20, 700, 600);
  auto* layout = new QVBoxLayout(&main);
  auto* page = new QWidget(&main);
  page->setAutoFillBackground(true);
  QPalette palette = page->palette();
  palette.setColor(QPalette::Window, Qt::white);
  page->setPalette(palette);
  auto* status = new QLabel(QStringLiteral("文件状态：未修改"), &main);
  layout->addWidget(page, 1);
  layout->addWidget(status);

  const app::TSealTemplate* row = app::SealTemplate(17);
  auto element = std::make_unique<seal::TSeal>(page);
  element->SetPixelsPerMm(float(seal::ScreenPixelsPerInch() / 25.4));
  element->SetZoom(200);
  element->SetSealType(row->kind);
  for (const app::TTemplateSetting& s : row->settings) s.ApplyTo(*element, nullptr);
  element->SetCode("1234567890123");
  element->SetRealCenterX(60);
  element->SetRealCenterY(35);
  element->show();

  ShowHost host;
  host.seal = element.get();
  host.status = status;
  main.show();
  auto* window = new TfrmProprty(&host, &main);
  frmProprty = window;
  window->move(740, 20);
  window->show();
  window->activateWindow();

  QSocketNotifier input(0, QSocketNotifier::Read);
  testsupport::RunCommandInput(application, input, [&](const std::string& line) {
    const QStringList words = QString::fromStdString(line).split(QLatin1Char(' '));
    if (words.value(0) == QLatin1String("page") && frmProprty) {
      TKivButton* button =
          Part<TKivButton>(frmProprty, QStringLiteral("KivButton%1").arg(std::clamp(words.value(1).toInt(), 1, 4)));
      QTest::mousePress(button, Qt::LeftButton, {}, QPoint(4, 4));
      QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(4, 4));
    } else if (words.value(0) == QLatin1String("rollup")) {
      main.activateWindow();
    } else if (words.value(0) == QLatin1String("type") && frmProprty) {
      if (QWidget* control = frmProprty->Control(words.value(1).toInt()))
        TypeOver(control, words.mid(2).join(QLatin1Char(' ')));
    } else if (words.value(0) == QLatin1String("popup") && frmProprty) {
      if (QComboBox* box = frmProprty->ComboBox(words.value(1).toInt())) box->showPopup();
    }
  });
  const int result = application.exec();
  delete frmProprty;
  return result;
}
