#include "platform/gbk.h"

#include <QList>
#include <iconv.h>

#include <cerrno>
#include <vector>

namespace platform {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw EEncodingError(std::string("no converter ") + from + " to " + to);
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts all of in; on an invalid sequence calls onInvalid, which either throws or
  // appends a replacement and says how many input bytes to skip.
  template <typename OnInvalid>
  std::string Run(std::string_view in, OnInvalid onInvalid) {
    std::string out;
    std::vector<char> buf(in.size() * 4 + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    while (srcLeft > 0) {
      char* dst = buf.data();
      size_t dstLeft = buf.size();
      const size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buf.data(), static_cast<size_t>(dst - buf.data()));
      if (r == static_cast<size_t>(-1)) {
        if (errno == E2BIG) continue;
        const size_t skip = onInvalid(out, std::string_view(src, srcLeft));
        src += skip;
        srcLeft -= skip;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
      }
    }
    return out;
  }

 private:
  iconv_t cd_;
};

}  // namespace

size_t GbkCharLength(std::string_view s, size_t i) {
  if (IsGbkLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) return 2;
  return 1;
}

size_t GbkGlyphCount(std::string_view s) {
  size_t n = 0;
  for (size_t i = 0; i < s.size(); i += GbkCharLength(s, i)) ++n;
  return n;
}

std::string GbkCut(std::string_view s, size_t maxBytes) {
  size_t i = 0;
  while (i < s.size()) {
    const size_t len = GbkCharLength(s, i);
    if (i + len > maxBytes) break;
    i += len;
  }
  return std::string(s.substr(0, i));
}

QString GbkToUnicode(std::string_view gbk) {
  Converter c("UTF-8", "CP936");
  const std::string utf8 = c.Run(gbk, [&](std::string& out, std::string_view rest) -> size_t {
    out += "\xEF\xBF\xBD";
    return rest.empty() ? 0 : GbkCharLength(rest, 0);
  });
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string UnicodeToGbk(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  Converter c("CP936", "UTF-8");
  return c.Run(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())),
               [](std::string&, std::string_view) -> size_t {
                 throw EEncodingError("a character cannot be written in the GBK code page");
               });
}

QString NonGbkCharacters(const QString& text) {
  try {
    UnicodeToGbk(text);
    return {};
  } catch (const EEncodingError&) {
  }
  QString refused;
  for (const char32_t c : text.toUcs4()) {
    const QString one = QString::fromUcs4(&c, 1);
    if (refused.contains(one)) continue;
    try {
      UnicodeToGbk(one);
    } catch (const EEncodingError&) {
      refused += one;
    }
  }
  return refused;
}

std::string Gbk(std::string_view utf8) {
  return UnicodeToGbk(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

}  // namespace platform
