#include "imaging/dib/picture_formats.h"

#include <algorithm>

namespace huemira {
namespace {

std::vector<TGraphicFormat>& Registry() {
  static std::vector<TGraphicFormat> formats;
  return formats;
}

std::string NormalizedExtension(std::string extension) {
  if (!extension.empty() && extension.front() == '.') extension.erase(0, 1);
  // ASCII only: a locale must not change which class reads a file.
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return extension;
}

}  // namespace

void RegisterDibFormat(const std::string& extension, const std::string& description, TGraphicFactory factory) {
  Registry().push_back({NormalizedExtension(extension), description, std::move(factory)});
}

const TGraphicFormat* FindGraphicFormat(const std::string& extension) {
  const std::string key = NormalizedExtension(extension);
  const auto& formats = Registry();
  const auto found = std::find_if(formats.rbegin(), formats.rend(),
                                  [&](const TGraphicFormat& format) { return format.extension == key; });
  return found == formats.rend() ? nullptr : &*found;
}

std::unique_ptr<TGraphic> CreateGraphicForExtension(const std::string& extension) {
  const TGraphicFormat* format = FindGraphicFormat(extension);
  return format && format->factory ? format->factory() : nullptr;
}

std::vector<TGraphicFormat> GraphicFormats() { return Registry(); }

}  // namespace huemira
