#include <gtest/gtest.h>

#include "imaging/dib/dib_graphic.h"
#include "imaging/dib/picture_formats.h"

namespace huemira {
namespace {

class TFirstReader : public TDibGraphic {
 public:
  const char* ClassName() const override { return "TFirstReader"; }
};
class TSecondReader : public TDibGraphic {
 public:
  const char* ClassName() const override { return "TSecondReader"; }
};

// The registry is global; these tests use extensions no reader registers.
TEST(PictureFormats, NewestRegistrationWinsWhateverTheCase) {
  RegisterDibFormat("QZA", "First", GraphicFactory<TFirstReader>());
  RegisterDibFormat("qzb", "Other", GraphicFactory<TFirstReader>());
  RegisterDibFormat("qza", "Second", GraphicFactory<TSecondReader>());

  const TGraphicFormat* format = FindGraphicFormat(".QzA");
  ASSERT_NE(format, nullptr);
  EXPECT_EQ(format->extension, "qza");
  EXPECT_EQ(format->description, "Second");
  EXPECT_STREQ(CreateGraphicForExtension("qza")->ClassName(), "TSecondReader");
  EXPECT_STREQ(CreateGraphicForExtension("QZB")->ClassName(), "TFirstReader");
  EXPECT_EQ(FindGraphicFormat("qzc"), nullptr);
  EXPECT_EQ(CreateGraphicForExtension(""), nullptr);
}

}  // namespace
}  // namespace huemira
