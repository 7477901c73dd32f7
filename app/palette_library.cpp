#include "app/palette_library.h"

#include <vector>

#include "app/settings.h"
#include "color/css_color_text.h"
#include "color/css_named_colors.h"
#include "color/css_palette.h"
#include "color/nearest_entry.h"
#include "framework/system_color.h"
#include "framework/text.h"

namespace huemira {

namespace {
constexpr wchar_t kSection[] = L"Palette";
}  // namespace

// The reference with its search structure and its entries' CSS names.
class PaletteLibrary::NearestSearch {
 public:
  explicit NearestSearch(const Palette& palette)
      : palette_(palette), index_(palette), variables_(CssPropertyNames(palette)) {}

  std::optional<NearestToken> Find(TColor color) const {
    const std::optional<NearestMatch> match = index_.Nearest(color);
    if (!match) return std::nullopt;
    const PaletteEntry& entry = palette_.entries[match->index];
    return NearestToken{
        .name = entry.name.empty() ? WideToUtf8(CssHexText(entry.color, HexLetterCase::Lower)) : entry.name,
        .variable = variables_[match->index],
        .color = entry.color,
        .deltaE = match->deltaE};
  }

 private:
  Palette palette_;
  NearestEntryIndex index_;
  std::vector<std::string> variables_;
};

PaletteLibrary::PaletteLibrary(std::wstring folder) : store_(std::move(folder)) {}

PaletteLibrary::~PaletteLibrary() = default;

PaletteStore& PaletteLibrary::LoadedStore() {
  if (!loaded_) {
    store_.Load();
    loaded_ = true;
  }
  return store_;
}

const std::vector<StoredPalette>& PaletteLibrary::Palettes() { return LoadedStore().Palettes(); }

void PaletteLibrary::Reload() {
  loaded_ = false;
  ReferenceChanged();
}

void PaletteLibrary::ReferenceChanged() { search_.reset(); }

void PaletteLibrary::StoreChoice(const wchar_t* key, const std::wstring& value) {
  if (ReadSetting(kSection, key) != value) WriteSetting(kSection, key, value);
}

std::size_t PaletteLibrary::Add(Palette palette) { return LoadedStore().Add(std::move(palette)); }

void PaletteLibrary::Replace(std::size_t index, Palette palette) {
  PaletteStore& store = LoadedStore();
  const std::wstring oldName = Utf8ToWide(store.Palettes().at(index).palette.name);
  const bool wasLastUsed = LastUsed() == index;
  const bool wasReference = Reference() == oldName;
  store.Replace(index, std::move(palette));
  const std::wstring newName = Utf8ToWide(store.Palettes()[index].palette.name);
  if (wasLastUsed) StoreChoice(L"Last", newName);
  if (wasReference) {
    if (newName != oldName) SetReference(newName);
    ReferenceChanged();
  }
}

void PaletteLibrary::Delete(std::size_t index) {
  const bool wasReference = Reference() == Utf8ToWide(LoadedStore().Palettes().at(index).palette.name);
  store_.Delete(index);
  // The built-in colours stand in for a reference that is gone.
  if (wasReference) SetReference(kCssNamedReference);
}

std::optional<std::size_t> PaletteLibrary::LastUsed() {
  const std::wstring name = ReadSetting(kSection, L"Last");
  if (name.empty()) return std::nullopt;
  return LoadedStore().Find(WideToUtf8(name));
}

void PaletteLibrary::SetLastUsed(std::size_t index) {
  StoreChoice(L"Last", Utf8ToWide(LoadedStore().Palettes().at(index).palette.name));
}

std::size_t PaletteLibrary::AddToLastUsed(TColor color) {
  std::optional<std::size_t> index = LastUsed();
  if (!index) index = Add(Palette{.name = kFirstPaletteName});
  Palette palette = store_.Palettes()[*index].palette;
  palette.entries.push_back(PaletteEntry{.color = ColorToRGB(color)});
  Replace(*index, std::move(palette));
  SetLastUsed(*index);
  return *index;
}

std::wstring PaletteLibrary::Reference() {
  if (!reference_) {
    reference_ = ReadSetting(kSection, L"Reference");
    if (reference_->empty()) reference_ = kCssNamedReference;
  }
  return *reference_;
}

void PaletteLibrary::SetReference(const std::wstring& key) {
  if (Reference() == key) return;
  reference_ = key;
  StoreChoice(L"Reference", key);
  ReferenceChanged();
}

const Palette* PaletteLibrary::ReferencePalette() {
  const std::wstring key = Reference();
  if (key == kCssNamedReference) {
    if (!cssNamed_) cssNamed_ = CssNamedColorsPalette();
    return &*cssNamed_;
  }
  const std::optional<std::size_t> index = LoadedStore().Find(WideToUtf8(key));
  return index ? &store_.Palettes()[*index].palette : nullptr;
}

std::optional<NearestToken> PaletteLibrary::ReferenceNearest(TColor color) {
  if (!search_) {
    const Palette* palette = ReferencePalette();
    if (!palette) return std::nullopt;
    search_ = std::make_unique<NearestSearch>(*palette);
  }
  return search_->Find(ColorToRGB(color));
}

}  // namespace huemira
