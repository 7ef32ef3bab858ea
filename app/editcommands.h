#pragma once
// What the edit commands name and tell: the lock captions of the Tools menu, the element
// kinds whose picture can be changed, the picture dialog's folder and filter, and where the
// page's double buffering is kept.

#include <QString>

#include "seal.h"

namespace app {

// The Tools menu's captions, without accelerators, for the state the element or page is in.
QString LockSealCaption(bool locked);
QString LockPageCaption(bool locked);

// Frame seals and free pictures carry a picture; lines, texts, stars and tables do not.
bool TakesPicture(seal::TSealType type);

inline constexpr const char* kEmblemFolder = "我的徽标库";
inline constexpr const char* kPictureFilter =
    "图象文件 (*.bmp *.jpg *.jpeg *.gif *.ico *.emf *.wmf);;所有文件 (*)";

inline constexpr const char* kSettingsKey = "SOFTWARE\\Taverlin\\Brelvonix\\系统配置";
inline constexpr const char* kPageDoubleBufferedValue = "PageDoubleBuffered";

}  // namespace app
