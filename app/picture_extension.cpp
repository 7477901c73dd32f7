#include "app/picture_extension.h"

#include <algorithm>
#include <array>

namespace huemira {

std::wstring ExtensionKey(const std::wstring& fileName) {
  const std::size_t nameStart = fileName.find_last_of(L"\\/");
  const std::size_t dot = fileName.rfind(L'.');
  if (dot == std::wstring::npos || (nameStart != std::wstring::npos && dot < nameStart)) return {};
  std::wstring key = fileName.substr(dot);
  // Only ASCII letters change: an extension in another script matches nothing anyway.
  for (wchar_t& c : key) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return key;
}

bool IsConvertedKey(const std::wstring& key) {
  static const std::array<const wchar_t*, 12> kConverted = {L".JPG", L".JPEG", L".ICO", L".WMF", L".EMF", L".GIF",
                                                            L".PNG", L".PCX", L".DCX", L".TIF", L".TIFF", L".TGA"};
  return std::any_of(kConverted.begin(), kConverted.end(), [&key](const wchar_t* known) { return key == known; });
}

}  // namespace huemira
