#pragma once
// What the document commands name, ask and tell: window captions, the document dialogs'
// filter, the Save As name rule and the messages of opening and saving.

#include <QString>

#include "services/services.h"

namespace app {

inline constexpr TMessageSpec kFileMissingMessage{TMsgKind::Warning, mbOK, "文件不存在！"};
inline constexpr TMessageSpec kAlreadyOpenMessage{TMsgKind::Information, mbYes, "该文件已经打开！看见了吧^_^"};
// %1: the version the file was written by.
inline constexpr TMessageSpec kOldDocumentMessage{TMsgKind::Information, mbOK, "Brelvonix %1.x+保存的文件，不能打开！"};
// %1: the file's name without its folder.
inline constexpr TMessageSpec kOpenFailedMessage{TMsgKind::Information, mbOK,
                                                 "<%1>文件不是Brelvonix\n格式文档，打开失败！"};
inline constexpr const char* kDocumentFilter = "Brelvonix 印章文件(*.dyz)";
inline constexpr const char* kDocumentExtension = ".dyz";

// The caption of a new document when windowCount document windows are open before it.
QString NewDocumentCaption(int windowCount);
// A caption that a new document was given, which no save has replaced.
bool IsNeverSaved(const QString& caption);
// A name without extension gets ".dyz"; any other name stays as it is.
QString WithDocumentExtension(const QString& name);

}  // namespace app
