#pragma once
// Text lives in the model and in files as GBK (code page 936) bytes, exactly as stored.
// Conversion to and from Unicode happens only where text meets the user interface.

#include <QString>
#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

class EEncodingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A byte that starts a double-byte character (0x81..0xFE).
inline bool IsGbkLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// Length in bytes of the character starting at s[i]: 2 for a lead byte followed by another
// byte, otherwise 1 (a lone lead byte at the end counts as one character).
size_t GbkCharLength(std::string_view s, size_t i);

// Characters in s: a double-byte character is one glyph.
size_t GbkGlyphCount(std::string_view s);

// The longest prefix of s of at most maxBytes bytes that ends on a character boundary.
std::string GbkCut(std::string_view s, size_t maxBytes);

// GBK bytes to Unicode. Undecodable bytes become U+FFFD; decoding never fails.
QString GbkToUnicode(std::string_view gbk);

// Unicode to GBK bytes. Throws EEncodingError when a character has no GBK form.
std::string UnicodeToGbk(const QString& text);

// The characters of text that have no GBK form, each once, in the order they first come;
// empty when the whole text can be written in GBK.
QString NonGbkCharacters(const QString& text);

// GBK bytes from a UTF-8 literal in our own sources (captions, defaults).
std::string Gbk(std::string_view utf8);

}  // namespace platform
