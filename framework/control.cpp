#include "framework/control.h"

#include <commctrl.h>

#include "framework/application.h"
#include "framework/form.h"

namespace huemira {

namespace {
constexpr wchar_t kControlProperty[] = L"Huemira.Control";
constexpr UINT_PTR kSubclassId = 1;
}  // namespace

RECT Bounds(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

Control::~Control() {
  if (handle_) {
    RemoveWindowSubclass(handle_, SubclassProc, kSubclassId);
    RemovePropW(handle_, kControlProperty);
    DestroyWindow(handle_);
  }
}

void Control::SetTabStop(bool tabStop) const {
  LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_TABSTOP);
  if (tabStop) style |= WS_TABSTOP;
  SetWindowLongPtrW(handle_, GWL_STYLE, style);
}

Control* Control::FromHandle(HWND handle) {
  return static_cast<Control*>(GetPropW(handle, kControlProperty));
}

void Control::RegisterOwnClass(const wchar_t* className, UINT classStyle) {
  HINSTANCE instance = Application::Instance().InstanceHandle();
  WNDCLASSEXW existing{sizeof(existing)};
  if (GetClassInfoExW(instance, className, &existing)) return;
  WNDCLASSEXW windowClass{sizeof(windowClass)};
  windowClass.style = classStyle;
  windowClass.lpfnWndProc = DefWindowProcW;  // the subclass does the work
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = className;
  RegisterClassExW(&windowClass);
}

void Control::CreateControl(Form& parent, const Args& args) {
  hint_ = args.hint;
  parent_ = &parent;
  logicalBounds_ = args.bounds;
  const RECT r = parent.Scale(args.bounds);
  handle_ = CreateWindowExW(args.exStyle, args.className, args.text.c_str(), WS_CHILD | WS_VISIBLE | args.style,
                            r.left, r.top, r.right - r.left, r.bottom - r.top, parent.Handle(), nullptr,
                            Application::Instance().InstanceHandle(), nullptr);
  SetPropW(handle_, kControlProperty, this);
  SetWindowSubclass(handle_, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  SetFont(parent.Font());
  if (!hint_.empty()) parent.AddHint(handle_, hint_);
}

void Control::RescaleForDpi() {
  const RECT r = parent_->Scale(logicalBounds_);
  SetWindowPos(handle_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  // A font the form made from a description follows; another one is the
  // caller's, made at a size of its own.
  if (const auto description = parent_->DescriptionOf(font_)) SetFont(parent_->ScaledFont(*description));
}

LRESULT Control::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(message, wParam, lParam);
}

LRESULT Control::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(handle_, message, wParam, lParam);
}

LRESULT CALLBACK Control::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR data) {
  auto* self = reinterpret_cast<Control*>(data);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, SubclassProc, kSubclassId);
    RemovePropW(window, kControlProperty);
    self->handle_ = nullptr;
    return DefSubclassProc(window, message, wParam, lParam);
  }
  LRESULT result = 0;  // what a message whose handler failed returns
  RunGuarded([&] { result = self->HandleMessage(message, wParam, lParam); });
  return result;
}

}  // namespace huemira
