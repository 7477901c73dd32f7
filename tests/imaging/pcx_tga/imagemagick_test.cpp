// Pictures that ImageMagick writes must decode to the pixels ImageMagick
// itself reads from them, and pictures that we write must read back in
// ImageMagick as we wrote them.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "imaging/pcx_tga/dcx_graphic.h"
#include "imaging/pcx_tga/pcx_graphic.h"
#include "imaging/pcx_tga/tga_graphic.h"
#include "test_bytes.h"

namespace huemira::test {
namespace {

namespace fs = std::filesystem;

class ImageMagickCrossCheck : public ::testing::Test {
 protected:
  void SetUp() override {
#ifdef _WIN32
    GTEST_SKIP() << "the cross-check runs natively, where ImageMagick is installed";
#endif
    if (std::system("convert -version > /dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick's convert is missing";
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    dir_ = fs::temp_directory_path() / ("huemira-pcxtga-" + std::to_string(stamp) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    Convert("-size 37x23 -seed 7 plasma:fractal", "source.ppm");
  }
  void TearDown() override {
    if (!dir_.empty()) fs::remove_all(dir_);
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  void Convert(const std::string& input_and_options, const std::string& output) {
    const std::string command = "cd '" + dir_.string() + "' && convert " + input_and_options + " " + output;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }

  // ImageMagick's own reading of a picture as 8-bit red, green, blue triples.
  // ImageMagick keeps a Targa file's rows in stored order and only notes the
  // orientation bit; -auto-orient applies it, as the Targa layout demands.
  Bytes Reference(const std::string& name) {
    Convert(name, "-auto-orient -depth 8 rgb:reference.rgb");
    std::ifstream file(Path("reference.rgb"), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), {});
  }

  // mask drops the low bits that a narrower stored depth does not define.
  void ExpectSamePixels(const TDibGraphic& ours, const std::string& name, std::uint8_t mask = 0xFF) {
    const Bytes reference = Reference(name);
    ASSERT_EQ(reference.size(), static_cast<std::size_t>(ours.Width()) * ours.Height() * 3) << name;
    int differences = 0;
    for (int y = 0; y < ours.Height(); ++y) {
      for (int x = 0; x < ours.Width(); ++x) {
        const std::uint8_t* rgb = &reference[3 * (static_cast<std::size_t>(y) * ours.Width() + x)];
        const std::uint32_t expected = ((rgb[0] & mask) << 16) | ((rgb[1] & mask) << 8) | (rgb[2] & mask);
        if (ours.GetRgbPixel(x, y) != expected && ++differences < 5) {
          ADD_FAILURE() << name << " at " << x << "," << y << ": " << std::hex << ours.GetRgbPixel(x, y)
                        << " instead of " << expected;
        }
      }
    }
    EXPECT_EQ(differences, 0) << name;
  }

  template <typename Graphic>
  void ExpectReadsLikeImageMagick(const std::string& options, const std::string& name, TDibFormat format,
                                  std::uint8_t mask = 0xFF) {
    Convert("source.ppm " + options, name);
    Graphic graphic;
    graphic.LoadFromFile(Path(name));
    EXPECT_EQ(graphic.DibFormat(), format) << name;
    EXPECT_EQ(graphic.Width(), 37);
    EXPECT_EQ(graphic.Height(), 23);
    ExpectSamePixels(graphic, name, mask);
  }

  fs::path dir_;
};

TEST_F(ImageMagickCrossCheck, PcxFiles) {
  ExpectReadsLikeImageMagick<TPcxGraphic>("", "true.pcx", TDibFormat::ifColorRgb24);
  ExpectReadsLikeImageMagick<TPcxGraphic>("-colors 200 -type Palette", "palette.pcx", TDibFormat::ifColor256);
  ExpectReadsLikeImageMagick<TPcxGraphic>("-colors 2 -type Palette", "two.pcx", TDibFormat::ifColor256);
}

TEST_F(ImageMagickCrossCheck, TargaFiles) {
  ExpectReadsLikeImageMagick<TTgaGraphic>("-compress none", "true.tga", TDibFormat::ifColorRgb24);
  ExpectReadsLikeImageMagick<TTgaGraphic>("-compress RLE", "true-rle.tga", TDibFormat::ifColorRgb24);
  ExpectReadsLikeImageMagick<TTgaGraphic>("-orient TopLeft", "top-down.tga", TDibFormat::ifColorRgb24);
  ExpectReadsLikeImageMagick<TTgaGraphic>("-alpha set -channel A -evaluate set 50% +channel", "alpha.tga",
                                          TDibFormat::ifColorRgb24);
  ExpectReadsLikeImageMagick<TTgaGraphic>("-depth 5", "sixteen.tga", TDibFormat::ifColorRgb24, 0xF8);
  ExpectReadsLikeImageMagick<TTgaGraphic>("-colors 100 -type Palette -compress none", "mapped.tga",
                                          TDibFormat::ifColor256);
  ExpectReadsLikeImageMagick<TTgaGraphic>("-colors 100 -type Palette -compress RLE", "mapped-rle.tga",
                                          TDibFormat::ifColor256);
  ExpectReadsLikeImageMagick<TTgaGraphic>("-type Grayscale -compress RLE", "gray-rle.tga", TDibFormat::ifColor256);
}

TEST_F(ImageMagickCrossCheck, DcxPages) {
  Convert("source.ppm", "one.pcx");
  Convert("source.ppm -negate -colors 50 -type Palette", "two.pcx");
  Convert("one.pcx two.pcx", "pages.dcx");
  for (int page = 1; page <= 2; ++page) {
    TDcxGraphic dcx;
    dcx.LoadIndex = page;
    dcx.LoadFromFile(Path("pages.dcx"));
    ExpectSamePixels(dcx, "'pages.dcx[" + std::to_string(page - 1) + "]'");
  }
}

TEST_F(ImageMagickCrossCheck, ImageMagickReadsWhatWeWrite) {
  Convert("source.ppm -compress none", "source.tga");
  TTgaGraphic picture;
  picture.LoadFromFile(Path("source.tga"));
  picture.SaveToFile(Path("ours.tga"));
  ExpectSamePixels(picture, "ours.tga");

  TPcxGraphic pcx;
  pcx.Assign(&picture);
  pcx.SaveToFile(Path("ours.pcx"));
  ExpectSamePixels(pcx, "ours.pcx");

  TDcxGraphic second;
  second.NewImage(5, 4, TDibFormat::ifColor16, nullptr, 0, 0);
  for (int i = 0; i < 20; ++i) second.SetPixelIndex(i % 5, i / 5, i % 16);
  TDcxGraphic dcx;
  dcx.Assign(&picture);
  {
    TFileStream stream(Path("ours.dcx"), FileMode::Create);
    dcx.AppendImage(stream);
    second.AppendImage(stream);
  }
  ExpectSamePixels(second, "'ours.dcx[1]'");
}

}  // namespace
}  // namespace huemira::test
