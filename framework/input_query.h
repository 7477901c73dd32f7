// A small modal box that asks for one line of text: a prompt, a field, and
// 确定 / 取消 (Enter and Esc answer as in any dialog).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "framework/button.h"
#include "framework/edit.h"
#include "framework/form.h"
#include "framework/label.h"

namespace huemira {

class InputQueryForm : public Form {
 public:
  static constexpr wchar_t kClassName[] = L"HuemiraInputQuery";

  InputQueryForm(HWND owner, const std::wstring& caption, const std::wstring& prompt, const std::wstring& value);
  // The text given with 确定, or none when the box was cancelled.
  std::optional<std::wstring> Run();

  Label Label_Prompt;
  Edit Edit_Value;
  Button Button_Ok, Button_Cancel;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND owner_;
};

// Runs an InputQueryForm over owner.
std::optional<std::wstring> InputQuery(HWND owner, const std::wstring& caption, const std::wstring& prompt,
                                       const std::wstring& value);

}  // namespace huemira
