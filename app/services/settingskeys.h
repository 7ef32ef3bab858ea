#pragma once
// Where the program keeps its few settings: registry keys and value names.

namespace app {

inline constexpr const char* kConfigKey = "SOFTWARE\\Taverlin\\Brelvonix\\系统配置";
inline constexpr const char* kPageDoubleBufferedValue = "PageDoubleBuffered";
inline constexpr const char* kUserInfoKey = "SOFTWARE\\Taverlin\\Brelvonix\\UserInfo";
// The full path of the wallpaper picture.
inline constexpr const char* kBackGroundValue = "BackGround";
inline constexpr const char* kHomePageKey = "SOFTWARE\\Taverlin\\Brelvonix\\BrelvonixHomePage";

}  // namespace app
