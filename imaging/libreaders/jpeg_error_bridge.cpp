#include "imaging/libreaders/jpeg_error_bridge.h"

#include <cstring>

namespace huemira {

namespace {

void ErrorExit(j_common_ptr cinfo) {
  auto* bridge = reinterpret_cast<JpegErrorBridge*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, bridge->message);
  std::longjmp(bridge->jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int level) {
  if (level < 0) ++cinfo->err->num_warnings;
}

}  // namespace

JpegErrorBridge::JpegErrorBridge() : message{} {
  jpeg_std_error(&manager);
  manager.error_exit = ErrorExit;
  manager.emit_message = EmitMessage;
}

void JpegErrorBridge::Fail(j_common_ptr cinfo, const char* text) {
  auto* bridge = reinterpret_cast<JpegErrorBridge*>(cinfo->err);
  std::strncpy(bridge->message, text, sizeof bridge->message - 1);
  bridge->message[sizeof bridge->message - 1] = '\0';
  std::longjmp(bridge->jump, 1);
}

}  // namespace huemira
