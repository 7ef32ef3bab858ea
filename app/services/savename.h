#pragma once
// Choosing the name a file is saved under. The dialog only chooses the name; the questions
// about the file are asked once the name has its extension, so that the file they ask about
// is the file written: an existing one before it is replaced, a new one before it is made.

#include <QString>
#include <functional>

#include "services/services.h"

class QWidget;

namespace app {

// %1: the path.
inline constexpr TMessageSpec kOverwriteQuestion{TMsgKind::Confirmation, mbYes | mbNo, "%1 已存在。\n要替换它吗？"};
inline constexpr TMessageSpec kCreateQuestion{TMsgKind::Confirmation, mbYes | mbNo,
                                              "%1\n该文件不存在。\n要创建该文件吗？"};

// Whether a name that is no file yet is asked about before it is made.
enum class TNewFileQuestion { Ask, None };

// dialog is shown with name, then with each name the user turned down; complete gives the
// chosen name its extension. A No to the question goes back to the dialog. Returns the
// completed name, empty when the dialog was cancelled.
QString ChooseSaveName(QWidget* parent, const std::function<QString(const QString& offered)>& dialog,
                       const std::function<QString(const QString& chosen)>& complete, QString name,
                       TNewFileQuestion newFile = TNewFileQuestion::Ask);

}  // namespace app
