#include "framework/form.h"

#include <vector>

#include "framework/application.h"
#include "framework/control.h"
#include "framework/fonts.h"
#include "framework/handles.h"

namespace huemira {

namespace {

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM list) {
  if (IsWindowVisible(window) && IsWindowEnabled(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

SIZE SizeOf(const RECT& r) { return SIZE{r.right - r.left, r.bottom - r.top}; }

}  // namespace

HFONT Form::Font() const { return ScaledFont(FontDescription{}); }

HFONT Form::ScaledFont(const FontDescription& description) const {
  for (const ScaledFontEntry& entry : fonts_)
    if (entry.dpi == dpi_ && entry.description == description) return entry.font.get();
  fonts_.push_back({description, dpi_, CreateFontFrom(description, dpi_)});
  return fonts_.back().font.get();
}

std::optional<FontDescription> Form::DescriptionOf(HFONT font) const {
  for (const ScaledFontEntry& entry : fonts_)
    if (font && entry.font.get() == font) return entry.description;
  return std::nullopt;
}

void Form::CreateForm(const Args& args, bool isMainForm) {
  isMainForm_ = isMainForm;
  style_ = args.style;
  exStyle_ = args.exStyle;
  // Forms are made at the top left corner of the primary monitor and laid
  // out for its resolution.
  dpi_ = MonitorDpi(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
  logicalClient_ = SIZE{args.clientWidth, args.clientHeight};
  if (args.outerWidth > 0 || args.outerHeight > 0) {
    const SIZE frame = SizeOf(WindowRectForClient(SIZE{0, 0}, args.style, args.exStyle, kDefaultDpi));
    logicalClient_ = SIZE{args.outerWidth - frame.cx, args.outerHeight - frame.cy};
  }
  const RECT frame = WindowRectForClient(ScaledClientSize(), args.style, args.exStyle, dpi_);
  WindowArgs window;
  window.className = args.className;
  window.text = args.caption;
  window.style = args.style;
  window.exStyle = args.exStyle;
  window.bounds = RECT{0, 0, frame.right - frame.left, frame.bottom - frame.top};
  window.parent = Application::Instance().Handle();
  window.background = args.background;
  CreateHandle(window);
  Application::EnableDialogKeys(Handle());
  if (isMainForm) Application::Instance().SetMainForm(Handle());
}

// The frame that the system computes for a resolution need not be the one
// it draws (Wine draws every frame at the system's resolution): the client
// area is measured and the window sized again where they differ.
void Form::FitClientArea() {
  RECT window{}, client{};
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  const SIZE wanted = ScaledClientSize();
  if (client.right == wanted.cx && client.bottom == wanted.cy) return;
  SetWindowPos(Handle(), nullptr, 0, 0, window.right - window.left + wanted.cx - client.right,
               window.bottom - window.top + wanted.cy - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::ChangeDpi(UINT dpi, const RECT& suggested) {
  if (dpi == dpi_ || dpi == 0) return;
  dpi_ = dpi;
  RECT bounds = suggested;
  // A form of fixed size gets its description's client area exactly; one
  // that the user sizes takes the platform's proportional suggestion.
  if (!(style_ & WS_THICKFRAME)) {
    const SIZE frame = SizeOf(WindowRectForClient(ScaledClientSize(), style_, exStyle_, dpi_));
    bounds.right = bounds.left + frame.cx;
    bounds.bottom = bounds.top + frame.cy;
  }
  SetWindowPos(Handle(), nullptr, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (!(style_ & WS_THICKFRAME)) FitClientArea();
  std::vector<HWND> children;
  EnumChildWindows(Handle(), CollectWindow, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children)
    if (Control* control = Control::FromHandle(child)) control->RescaleForDpi();
  if (OnDpiChanged) OnDpiChanged();
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Form::AddHint(HWND control, const std::wstring& text) { Application::Instance().Hints().Add(control, text); }

void Form::SetBackgroundColor(COLORREF color) {
  background_.reset(CreateSolidBrush(color));
  Invalidate();
}

void Form::CenterOnScreen() {
  RECT frame;
  GetWindowRect(Handle(), &frame);
  SetWindowPos(Handle(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Show() {
  // Sends WM_SHOWWINDOW, which raises the event, only if the window is hidden.
  ShowWindow(Handle(), SW_SHOW);
  if (!shown_) RaiseShow();
}

void Form::Hide() {
  shown_ = false;
  ShowWindow(Handle(), SW_HIDE);
}

void Form::RaiseShow() {
  shown_ = true;
  if (OnShow) OnShow();
}

int Form::ShowModal() {
  HWND previouslyActive = GetActiveWindow();
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
  for (HWND window : disabled) EnableWindow(window, FALSE);

  modal_ = true;
  modalResult_ = mrNone;
  Show();
  SetForegroundWindow(Handle());
  MSG message;
  bool quit = false;
  while (modalResult_ == mrNone) {
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
      quit = true;
      break;
    }
    Application::Dispatch(message);
  }
  modal_ = false;
  for (HWND window : disabled) EnableWindow(window, TRUE);
  Hide();
  if (previouslyActive && IsWindow(previouslyActive)) SetActiveWindow(previouslyActive);
  if (quit) PostQuitMessage(static_cast<int>(message.wParam));
  return modalResult_;
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam != 0) {
        if (Control* control = Control::FromHandle(reinterpret_cast<HWND>(lParam))) {
          control->HandleCommand(HIWORD(wParam));
          return 0;
        }
      } else if (HIWORD(wParam) == 0 && HandleMenuCommand(LOWORD(wParam))) {
        return 0;
      }
      break;
    case WM_NOTIFY:
      if (Control* control = Control::FromHandle(reinterpret_cast<NMHDR*>(lParam)->hwndFrom)) {
        control->HandleNotify(reinterpret_cast<NMHDR*>(lParam)->code);
        return 0;
      }
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (Control* control = Control::FromHandle(reinterpret_cast<HWND>(lParam))) {
        control->HandleScroll(LOWORD(wParam));
        return 0;
      }
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      if (Control* control = Control::FromHandle(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = control->HandleColor(reinterpret_cast<HDC>(wParam)))
          return reinterpret_cast<LRESULT>(brush);
      }
      break;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item.CtlType != ODT_MENU)
        if (Control* control = Control::FromHandle(item.hwndItem); control && control->HandleDrawItem(item))
          return TRUE;
      break;
    }
    case WM_ERASEBKGND:
      if (background_) {
        RECT area;
        GetClientRect(Handle(), &area);
        FillRect(reinterpret_cast<HDC>(wParam), &area, background_.get());
        return 1;
      }
      break;
    case WM_PAINT:
      if (OnPaint) {
        const PaintDc paint(Handle());
        OnPaint(paint.get());
        return 0;
      }
      break;
    case WM_LBUTTONDBLCLK:
      if (OnDblClick) {
        OnDblClick();
        return 0;
      }
      break;
    case WM_SHOWWINDOW:
      if (!wParam) {
        shown_ = false;
        // A hint of a control that goes out of sight goes with it.
        HintController& hints = Application::Instance().Hints();
        if (hints.HintControl() && IsChild(Handle(), hints.HintControl())) hints.Cancel();
      } else if (!shown_) {
        RaiseShow();
      }
      break;
    case WM_CLOSE:
      if (OnClose) OnClose();
      if (isMainForm_) {
        DestroyWindow(Handle());
      } else {
        if (modal_ && modalResult_ == mrNone) modalResult_ = mrCancel;
        Hide();
      }
      return 0;
    case WM_DESTROY:
      if (isMainForm_) Application::Instance().Terminate();
      break;
    case WM_DPICHANGED:
      ChangeDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace huemira
