// The picture-format registry: file extension -> picture class. Each reader
// module registers its formats once at start-up; a later registration of an
// extension wins over an earlier one.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "imaging/dib/graphic.h"

namespace huemira {

using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

struct TGraphicFormat {
  std::string extension;  // lower case, no dot
  std::string description;
  TGraphicFactory factory;
};

template <class Graphic>
TGraphicFactory GraphicFactory() {
  return [] { return std::unique_ptr<TGraphic>(std::make_unique<Graphic>()); };
}

// The extension is taken without its dot and lower-cased (ASCII).
void RegisterDibFormat(const std::string& extension, const std::string& description, TGraphicFactory factory);
// The newest registration of extension (with or without a leading dot, any case), or none.
const TGraphicFormat* FindGraphicFormat(const std::string& extension);
// A new picture object for the extension, or none when no class reads it.
std::unique_ptr<TGraphic> CreateGraphicForExtension(const std::string& extension);
// Every registration, oldest first.
std::vector<TGraphicFormat> GraphicFormats();

}  // namespace huemira
