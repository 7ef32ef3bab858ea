#include "services/commandguard.h"

#include <QAction>
#include <QWidget>
#include <algorithm>
#include <exception>
#include <new>
#include <string_view>

#include "platform/stream.h"
#include "services/services.h"

namespace app {

QString UserMessage(const std::exception& e) {
  if (dynamic_cast<const platform::EFormatError*>(&e)) return QStringLiteral("文件不完整或者已损坏，无法读取。");
  if (dynamic_cast<const std::bad_alloc*>(&e)) return QStringLiteral("内存不足，无法完成操作。");
  const std::string_view text = e.what();
  if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return QStringLiteral("程序内部错误，无法完成操作。");
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

void RunGuarded(QWidget* parent, const std::function<void()>& command) {
  QString message;
  try {
    command();
    return;
  } catch (const std::exception& e) {
    message = UserMessage(e);
  } catch (...) {
    message = QStringLiteral("未知错误");
  }
  try {
    ShowMessage(parent, TMsgKind::Error, message, mbOK);
  } catch (...) {
    // The error box itself failed: there is nowhere left to report to.
  }
}

void BindAction(QAction* action, QWidget* parent, std::function<void()> command) {
  QObject::connect(action, &QAction::triggered, parent,
                   [parent, command = std::move(command)] { RunGuarded(parent, command); });
}

}  // namespace app
