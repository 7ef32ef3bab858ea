#pragma once
// The system colour roles that the custom controls paint with, taken from the application
// palette where Qt has the role and fixed to the classic desktop values where it has not.

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

namespace platform {

inline QColor ButtonFaceColor() { return QGuiApplication::palette().color(QPalette::Button); }
inline QColor HighlightColor() { return QGuiApplication::palette().color(QPalette::Highlight); }
inline QColor Light3DColor() { return QGuiApplication::palette().color(QPalette::Midlight); }
inline QColor InactiveBorderColor() { return QColor(212, 208, 200); }
// The desktop behind all windows.
inline QColor DesktopColor() { return QColor(58, 110, 165); }
inline QColor HotLightColor() { return QColor(0, 102, 204); }
// The title bar of the active window: the dialogs' text takes it.
inline QColor ActiveCaptionColor() { return QColor(10, 36, 106); }

}  // namespace platform
