#pragma once
// The error handling of every libjpeg object of the platform, reader and writer alike.
// libjpeg reports fatal errors through error_exit and expects it not to return; the default
// one ends the process. Ours jumps back to the setjmp of whoever runs libjpeg, which turns
// the message into an exception once it is outside libjpeg's frames.

// jpeglib.h needs size_t and FILE declared before it.
#include <cstdio>
#include <cstring>
#include <jpeglib.h>

#include <csetjmp>

namespace platform {

struct JpegErrorManager {
  jpeg_error_mgr pub;
  jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

// Readies err and returns what the libjpeg object's err field takes. Warnings (corrupt
// entropy data, a premature end) and trace messages stay silent: libjpeg recovers from them.
// A fatal error of libjpeg's own leaves the message empty; JpegFail's is kept.
jpeg_error_mgr* JpegErrors(JpegErrorManager& err);

// Ends the libjpeg run of cinfo with a message of our own, as a fatal libjpeg error does.
[[noreturn]] void JpegFail(j_common_ptr cinfo, const char* message);

}  // namespace platform
