// The program's palettes as one service: the stored palettes, the one the
// swatch menu adds to (the last used), and the reference palette whose
// nearest entry the loupe, "复制为" and the palette window show. Its
// choices live in the settings file's [Palette] section ("Last", the
// palette's name; "Reference", a palette's name or css-named for the CSS
// named colours built in). Everything is read the first time it is needed.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/palette_store.h"
#include "color/palette.h"
#include "framework/color.h"

namespace huemira {

// The reference's entry nearest to a colour by CIEDE2000.
struct NearestToken {
  std::string name;  // UTF-8; the entry's code ("#12ab34") when it has no name
  // The CSS custom property the palette's CSS export gives the entry
  // ("brand-red" for "Brand Red").
  std::string variable;
  TColor color = clBlack;
  double deltaE = 0;
};

class PaletteLibrary {
 public:
  // The reference key of the CSS named colours (a palette of that name
  // cannot be chosen as the reference).
  static constexpr wchar_t kCssNamedReference[] = L"css-named";
  // The palette "添加到调色板" makes when there is none.
  static constexpr char kFirstPaletteName[] = "我的调色板";

  explicit PaletteLibrary(std::wstring folder);
  ~PaletteLibrary();
  PaletteLibrary(const PaletteLibrary&) = delete;
  PaletteLibrary& operator=(const PaletteLibrary&) = delete;

  const std::vector<StoredPalette>& Palettes();
  // A name no stored palette has: wanted, or "wanted 2"...
  std::string UniqueName(const std::string& wanted) { return LoadedStore().UniqueName(wanted); }
  // Reads the folder again (files changed by other programs).
  void Reload();

  // The store's writes (palette_store.h), through which the last used
  // palette and the reference follow a palette that is renamed or deleted.
  std::size_t Add(Palette palette);
  void Replace(std::size_t index, Palette palette);
  void Delete(std::size_t index);

  // The last used palette, while it exists and reads.
  std::optional<std::size_t> LastUsed();
  void SetLastUsed(std::size_t index);
  // Appends the colour, unnamed, to the last used palette, or to a new
  // "我的调色板" when there is none; returns the palette's index.
  std::size_t AddToLastUsed(TColor color);

  std::wstring Reference();
  void SetReference(const std::wstring& key);
  // The reference palette; null when its key names no palette that reads.
  const Palette* ReferencePalette();
  // The reference's nearest entry; none without a reference or entries.
  // The search structure is built once per reference and per change of it.
  std::optional<NearestToken> ReferenceNearest(TColor color);

 private:
  class NearestSearch;

  PaletteStore& LoadedStore();
  // A change of the reference's palette, its name or its colours.
  void ReferenceChanged();
  void StoreChoice(const wchar_t* key, const std::wstring& value);

  PaletteStore store_;
  bool loaded_ = false;
  std::optional<std::wstring> reference_;
  std::optional<Palette> cssNamed_;
  std::unique_ptr<NearestSearch> search_;
};

}  // namespace huemira
