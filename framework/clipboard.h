// The clipboard as plain text. Each call opens the clipboard and releases it
// at once, so another program is never locked out by us.
#pragma once

#include <string>

namespace huemira {

// Replaces the clipboard's contents by text; throws EClipboardException
// "Cannot open clipboard" when another program holds it.
void SetClipboardText(const std::wstring& text);
// The clipboard's text, or an empty text when it holds none.
std::wstring GetClipboardText();

}  // namespace huemira
