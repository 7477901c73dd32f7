// The text of an INI file, changed key by key and written back whole: the
// lines it does not change (other sections, unknown keys, comments) stay as
// they are, so that a program that writes its own keys loses nobody else's.
// Names are matched as the platform's profile functions match them: blanks
// around them dropped, letter case ignored.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace huemira {

class IniDocument {
 public:
  IniDocument() = default;
  // Lines may end in "\r\n", "\n" or "\r".
  explicit IniDocument(std::wstring_view text);

  // Replaces the key's value in the first section of that name, or adds
  // the key at the end of that section, or the section at the end of the
  // document. The value is stored so that the profile functions read back
  // exactly this text (see StoredIniValue).
  void Set(std::wstring_view section, std::wstring_view key, std::wstring_view value);

  // The document, every line ended with "\r\n".
  std::wstring Text() const;

 private:
  std::vector<std::wstring> lines_;
};

// The profile functions drop blanks around a value and one pair of
// enclosing quotation marks (single or double) when they read it; a value
// that would lose either is stored inside a pair of double quotation marks,
// which reading removes again. A line break cannot be stored: the value
// ends before it.
std::wstring StoredIniValue(std::wstring_view value);

}  // namespace huemira
