#pragma once
// What the View menu and the zoom box name: the captions of the show and hide commands and
// the zoom a text of the zoom box stands for.

#include <QString>
#include <cstdint>
#include <optional>

namespace app {

// A show and hide command's caption tells what choosing it does next.
struct TToggleCaption {
  const char* action;
  const char* shown;   // while the thing is shown
  const char* hidden;  // while it is hidden
};
inline constexpr TToggleCaption kToggleCaptions[] = {
    {"actViewOpenOrCloseToolBar", "隐藏工具栏", "显示工具栏"},
    {"actViewOpenOrCloseStatusBar", "隐藏状态栏", "显示状态栏"},
    {"actViewOpenOrCloseGrid", "隐藏网格(&G)", "显示网格(&G)"},
    {"actViewOpenOrClosefrmProp", "关闭属性窗口", "开启属性窗口"},
    {"actViewOpenDrawTools", "关闭绘图工具", "开启绘图工具"},
};
// The caption of that command for the state given; empty for a command not in the table.
QString ToggleCaption(const char* action, bool shown);

// The zooms the zoom commands can reach, which are also those the zoom box applies.
inline constexpr int kMinZoom = 20;
inline constexpr int kMaxZoom = 605;

// The zoom the box's text names: a whole number, with or without a trailing "%", from
// kMinZoom to kMaxZoom; nullopt for anything else.
std::optional<uint16_t> ZoomFromText(const QString& text);
// What the user is told about a text that names no zoom.
QString ZoomTextMessage(const QString& text);

}  // namespace app
