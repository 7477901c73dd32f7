// One object shared by every user of a kind (every tray icon, every simple
// timer): the first reference creates it, the last one destroys it.
#pragma once

#include <memory>

namespace huemira {

template <typename Handler>
class SharedHandler {
 public:
  SharedHandler() {
    if (References()++ == 0) Instance() = std::make_unique<Handler>();
  }
  ~SharedHandler() {
    if (--References() == 0) Instance().reset();
  }
  SharedHandler(const SharedHandler&) = delete;
  SharedHandler& operator=(const SharedHandler&) = delete;

  Handler& operator*() const { return *Instance(); }
  Handler* operator->() const { return Instance().get(); }

  // How many users hold the shared object now (0: it does not exist).
  static int Count() { return References(); }

 private:
  static int& References() {
    static int count = 0;
    return count;
  }
  static std::unique_ptr<Handler>& Instance() {
    static std::unique_ptr<Handler> instance;
    return instance;
  }
};

}  // namespace huemira
