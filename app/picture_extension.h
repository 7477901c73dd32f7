// Which picture files the program takes, by the extension of their names.
#pragma once

#include <string>

namespace huemira {

// The extension from the last "." of the file's name (folders left out),
// dot included, in upper case: ".JPG" for "photo.JpG". Empty without a dot.
std::wstring ExtensionKey(const std::wstring& fileName);

// A user's own ".BMP" is loaded as it is.
inline bool IsBitmapKey(const std::wstring& key) { return key == L".BMP"; }
// Every other picture is converted into the temporary bitmap first.
bool IsConvertedKey(const std::wstring& key);
// What a drop accepts: the converted ones and ".BMP".
inline bool IsPictureKey(const std::wstring& key) { return IsBitmapKey(key) || IsConvertedKey(key); }

}  // namespace huemira
