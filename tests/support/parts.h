#pragma once
// A window's parts by their component names: every part of the program's windows carries
// its name as its object name, and the tests reach a part this way only. The search keeps
// to the window's own parts: it does not go into the other windows the window owns (the
// palette, the property window, a dialog), which have parts of the same names.

#include <QObject>
#include <QString>
#include <QWidget>

// The part of that name and kind; nullptr when the window has none.
template <typename W = QWidget>
W* Part(const QObject* window, const QString& name) {
  for (QObject* child : window->children())
    if (auto* part = dynamic_cast<W*>(child); part && child->objectName() == name) return part;
  for (QObject* child : window->children()) {
    if (const auto* widget = qobject_cast<const QWidget*>(child); widget && widget->isWindow()) continue;
    if (W* part = Part<W>(child, name)) return part;
  }
  return nullptr;
}

template <typename W = QWidget>
W* Part(const QObject* window, const char* name) {
  return Part<W>(window, QString::fromLatin1(name));
}
