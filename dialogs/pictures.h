#pragma once
// The library's built-in pictures (help pages, the about box's pictures, the format icons) and
// the help topics they belong to, shared by the dialogs and by the generator that draws the
// pictures at build time.

#include <QString>
#include <array>

namespace merulin {

struct THelpTopic {
  int Number;           // the page's number, its label's tag
  const char* Caption;  // the label's text and the page's heading
};

inline constexpr std::array<THelpTopic, 18> kHelpTopics{{
    {3, "使用绘图工具"},  {4, "印章元素分解"},  {5, "约定概念解释"},  {6, "文字排版之一"},
    {7, "文字排版之二"},  {8, "阴章阳章设计"},  {9, "纹线编码设计"},  {10, "图符图象操作"},
    {11, "拓展编辑功能"}, {12, "印章库的使用"}, {13, "导出印章图象"}, {14, "文字笔画处理"},
    {15, "设计艺术印章"}, {16, "设计电子公函"}, {17, "设计双语印章"}, {18, "一些杂项技巧"},
    {19, "打印印章文件"}, {20, "作者一些申明"},
}};

// Every help page has this size, so the viewer keeps its size from page to page.
inline constexpr int kHelpPageWidth = 600;
inline constexpr int kHelpPageHeight = 540;

// The about box's pictures.
inline constexpr int kLogoWidth = 134;
inline constexpr int kLogoHeight = 258;
inline constexpr int kTitleWidth = 192;
inline constexpr int kTitleHeight = 58;

// The export dialog's format icons, one per TExportFormat.
inline constexpr int kFormatCount = 5;
inline constexpr int kFormatIconSide = 16;

// Resource names: "H" and the page number in three digits ("H003" .. "H020").
inline QString HelpPageName(int number) { return QString::fromUtf8("H%1").arg(number, 3, 10, QLatin1Char('0')); }
inline QString HelpPageResource(int number) { return QString::fromUtf8(":/merulin/") + HelpPageName(number); }
inline QString LogoResource() { return QString::fromUtf8(":/merulin/Logo"); }
inline QString TitleResource() { return QString::fromUtf8(":/merulin/Title"); }
inline QString FormatIconResource(int format) { return QString::fromUtf8(":/merulin/Format%1").arg(format); }

}  // namespace merulin
