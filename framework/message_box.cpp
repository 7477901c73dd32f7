#include "framework/message_box.h"

namespace huemira {

namespace {

std::function<int(const MessageBoxRequest&)>& Handler() {
  static std::function<int(const MessageBoxRequest&)> handler;
  return handler;
}

}  // namespace

int ShowMessageBox(const MessageBoxRequest& request) {
  if (Handler()) return Handler()(request);
  return MessageBoxW(request.owner, request.text.c_str(), request.caption.c_str(), request.type);
}

void SetMessageBoxHandler(std::function<int(const MessageBoxRequest& request)> handler) {
  Handler() = std::move(handler);
}

}  // namespace huemira
