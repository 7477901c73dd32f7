#include <gtest/gtest.h>

#include <string>

#include "imaging/dib/picture_formats.h"
#include "imaging/pcx_tga/register.h"

namespace huemira::test {
namespace {

TEST(Registration, EachExtensionFindsItsClassAndDescription) {
  RegisterTgaFormats();
  RegisterPcxFormats();
  RegisterDcxFormats();
  const struct {
    const char* extension;
    const char* description;
    const char* class_name;
  } expected[] = {
      {"TGA", "Truevision Targa", "TTgaGraphic"}, {"vst", "Truevision Vista", "TTgaGraphic"},
      {"afi", "Truevision Targa", "TTgaGraphic"}, {"pcx", "ZSoft PC Paintbrush", "TPcxGraphic"},
      {"PCC", "ZSoft PC Paintbrush", "TPcxGraphic"}, {"dcx", "DCX file", "TDcxGraphic"},
  };
  for (const auto& e : expected) {
    const TGraphicFormat* format = FindGraphicFormat(e.extension);
    ASSERT_NE(format, nullptr) << e.extension;
    EXPECT_EQ(format->description, e.description);
    EXPECT_EQ(std::string(format->factory()->ClassName()), e.class_name);
  }
}

}  // namespace
}  // namespace huemira::test
