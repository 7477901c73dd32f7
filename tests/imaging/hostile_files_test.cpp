// Small files that declare huge pictures or endless work, each read the way
// the program's conversion reads a file: each is refused with its reader's
// error, or decoded within the size cap. Made here at their full declared size.
#include <gtest/gtest.h>

#include <memory>

#include "framework/exception.h"
#include "framework/stream.h"
#include "hostile_files.h"
#include "imaging/dib/bmp_conversion.h"
#include "imaging/gif/gif_image.h"
#include "imaging/libreaders/png_graphic.h"
#include "imaging/register_formats.h"

namespace huemira::test {
namespace {

TEST(HostileFiles, AreRefusedOrDecodedWithinTheCap) {
  RegisterImagingFormats();
  QuietPngWarnings = true;
  for (const HostileFile& file : HostileFiles()) {
    SCOPED_TRACE(file.name);
    const Bytes bytes = file.make();
    std::unique_ptr<TGraphic> picture = CreateReaderForExtension(file.extension);
    TMemoryStream stream(bytes);
    try {
      LoadPicture(*picture, stream);
      EXPECT_EQ(file.refusal, "") << "decoded";
      EXPECT_EQ(picture->Width(), file.width);
      EXPECT_EQ(picture->Height(), file.height);
    } catch (const Exception& error) {
      EXPECT_EQ(error.what(), file.refusal);
    }
    if (auto* gif = dynamic_cast<TGIFImage*>(picture.get())) {
      EXPECT_LE(gif->Frames().size(), 1u);
    }
  }
}

}  // namespace
}  // namespace huemira::test
