#pragma once
// The project's own home page and contact address, shown in the status bar and opened by
// the first run, the help menu and the about box.

namespace app {

inline constexpr const char* kHomePageAddress = "https://brelvonix.example.org/";
inline constexpr const char* kMailAddress = "Mailto:brelvonix@example.org";

}  // namespace app
