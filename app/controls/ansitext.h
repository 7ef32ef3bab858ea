#pragma once
// Byte lengths of interface text as the GBK code page holds it. A character without a GBK
// form counts as the one-byte replacement the code page would give it.

#include <QString>
#include <cstddef>

namespace app {

size_t AnsiByteLength(const QString& text);
// Whether the text holds at least one double-byte character.
bool HasDoubleByteChar(const QString& text);

}  // namespace app
