#include "app/web_code.h"

#include <windows.h>

#include "app/settings.h"
#include "framework/clipboard.h"

namespace huemira {

namespace {
std::wstring Prefix() { return ReadSetting(L"QeltColor", L"LSign"); }
std::wstring Suffix() { return ReadSetting(L"QeltColor", L"RSign"); }
}  // namespace

std::wstring ColorToWebCode(TColor color) { return FormatWebCode(ColorToRGB(color), Prefix(), Suffix()); }

std::wstring BlackWebCode() { return Prefix() + L"000000" + Suffix(); }

void CopyToClipboard(const std::wstring& text) { SetClipboardText(text); }

}  // namespace huemira
