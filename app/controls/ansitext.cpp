#include "controls/ansitext.h"

#include <QList>

#include "platform/gbk.h"

namespace app {

namespace {

size_t CharBytes(uint code) {
  const char32_t c = code;
  if (c < 0x80) return 1;
  try {
    return platform::UnicodeToGbk(QString::fromUcs4(&c, 1)).size();
  } catch (const platform::EEncodingError&) {
    return 1;
  }
}

}  // namespace

size_t AnsiByteLength(const QString& text) {
  size_t n = 0;
  for (const uint c : text.toUcs4()) n += CharBytes(c);
  return n;
}

bool HasDoubleByteChar(const QString& text) {
  for (const uint c : text.toUcs4())
    if (CharBytes(c) > 1) return true;
  return false;
}

}  // namespace app
