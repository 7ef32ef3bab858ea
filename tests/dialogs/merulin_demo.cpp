// The four dialogs of the library on a real display, each opened through the program's
// binding from a button, as the program's commands open them; the answers of the options
// dialogs are printed. For looking at the dialogs by hand:
//   merulin_demo [about|help|print|export]   opens that dialog at once as well

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <iostream>

#include "services/commandguard.h"
#include "services/dialogs_binding.h"

namespace {

std::string Hex(const void* data, size_t size) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (size_t i = 0; i < size; ++i) {
    const auto b = static_cast<const unsigned char*>(data)[i];
    out += digits[b >> 4];
    out += digits[b & 15];
    out += ' ';
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Merulin"));
  auto* layout = new QVBoxLayout(&window);
  merulin::TPrintSettings print{true, false, false, 1};
  const std::vector<std::pair<QString, std::function<void()>>> dialogs = {
      {QStringLiteral("about"), [&] { app::ShowAboutBox(&window); }},
      {QStringLiteral("help"), [&] { app::ShowHelpViewer(&window); }},
      {QStringLiteral("print"),
       [&] {
         print = app::AskPrintSettings(&window, print);
         std::cout << "print: " << Hex(&print, sizeof print) << std::endl;
       }},
      {QStringLiteral("export"),
       [&] {
         const merulin::TExportSettings s = app::AskExportSettings(&window);
         std::cout << "export: " << Hex(&s, sizeof s) << std::endl;
       }},
  };
  for (const auto& [name, open] : dialogs) {
    auto* button = new QPushButton(name, &window);
    layout->addWidget(button);
    QObject::connect(button, &QPushButton::clicked, &window, [&window, open = open] { app::RunGuarded(&window, open); });
  }
  window.move(20, 20);
  window.show();
  if (argc > 1)
    for (const auto& [name, open] : dialogs)
      if (name == QString::fromLocal8Bit(argv[1]))
        QTimer::singleShot(200, &window, [&window, open = open] { app::RunGuarded(&window, open); });
  return application.exec();
}
