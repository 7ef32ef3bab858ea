#pragma once
// Whether the bytes of a PDF file hold a whole file, whatever program wrote it: the header,
// and from the end of the file the startxref offset to a cross-reference table or stream
// whose every object in use lies where it is listed, with its trailer (and those of earlier
// sections the trailer chains to), and the end-of-file mark.

#include <string_view>

namespace app {

bool IsWholePdf(std::string_view pdf);

}  // namespace app
