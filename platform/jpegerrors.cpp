#include "platform/jpegerrors.h"

namespace platform {

namespace {

// libjpeg's own messages are English and name its internals; the user is told what the
// caller makes of an empty message.
void JpegErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
  err->message[0] = 0;
  longjmp(err->jump, 1);
}

void JpegEmitMessage(j_common_ptr, int) {}

}  // namespace

jpeg_error_mgr* JpegErrors(JpegErrorManager& err) {
  jpeg_error_mgr* pub = jpeg_std_error(&err.pub);
  pub->error_exit = JpegErrorExit;
  pub->emit_message = JpegEmitMessage;
  err.message[0] = 0;
  return pub;
}

void JpegFail(j_common_ptr cinfo, const char* message) {
  auto* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
  std::snprintf(err->message, sizeof err->message, "%s", message);
  longjmp(err->jump, 1);
}

}  // namespace platform
