#pragma once
// The component name each part of a window carries, by which the windows find their parts
// and the tests reach them. The program's windows and the dialogs library name their parts
// alike by this.

#include <QObject>
#include <QString>

namespace platform {

// The part, given its component name.
template <typename W>
W* Named(W* part, const QString& name) {
  part->setObjectName(name);
  return part;
}

template <typename W>
W* Named(W* part, const char* name) {
  return Named(part, QString::fromLatin1(name));
}

}  // namespace platform
