// The window that shows one hint. The framework's hint machinery decides
// when a hint is due and calls ActivateHint; how the hint looks is up to
// the window. This one is the plain look: text on the tooltip colours in a
// thin border. A program installs its own kind with
// Application::Instance().Hints().SetWindow(...).
#pragma once

#include <windows.h>

#include <string>

#include "framework/window.h"

namespace huemira {

class HintWindow : public Window {
 public:
  // style: the window's own style bits besides WS_POPUP (the plain window
  // has a border).
  explicit HintWindow(DWORD style = WS_BORDER);

  // Shows text for a hint that is due. suggested: the framework's place for
  // it, below the pointer; only its left and top are meant.
  virtual void ActivateHint(const RECT& suggested, const std::wstring& text);
  // Hides the window: the hint has ended.
  void ReleaseHint();

  const std::wstring& HintText() const { return text_; }

 protected:
  // Paints the whole client area. The dc is an off-screen bitmap copied to
  // the window in one step, so a hint never flickers.
  virtual void Paint(HDC dc, const RECT& client);
  // Gives the window its place and size and shows it topmost, without
  // taking the activation from the window the user works in.
  void ShowAt(const RECT& bounds);
  void SetHintText(const std::wstring& text) { text_ = text; }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void PaintBuffered();

  std::wstring text_;
};

}  // namespace huemira
