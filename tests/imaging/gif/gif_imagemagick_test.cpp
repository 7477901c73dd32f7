// Pixel-exact comparison with ImageMagick on GIFs it makes, in both
// directions: its files through our decoder, our files through its decoder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "gif_test_support.h"

namespace huemira::test {
namespace {

namespace fs = std::filesystem;

class GifImageMagick : public ::testing::Test {
 protected:
  void SetUp() override {
#ifdef _WIN32
    GTEST_SKIP() << "ImageMagick is compared on the native side";
#endif
    if (std::system("convert -version > /dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick's convert is missing";
    dir_ = fs::temp_directory_path() / ("huemira-gif-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    if (!dir_.empty()) fs::remove_all(dir_);
  }

  fs::path Make(const std::string& name, const std::string& arguments) {
    const fs::path path = dir_ / name;
    const std::string command = "convert " + arguments + " '" + path.string() + "' 2> /dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return path;
  }

  // The first frame over white as ImageMagick sees it, (red, green, blue) per pixel.
  std::vector<std::uint8_t> TheirPixels(const fs::path& gif) {
    const fs::path raw = dir_ / "their.rgb";
    const std::string command = "convert '" + gif.string() + "[0]' +repage -background white -alpha remove -alpha off " +
                                "-depth 8 'rgb:" + raw.string() + "' 2> /dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream in(raw, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  static std::vector<std::uint8_t> OurPixels(const fs::path& gif) {
    TGIFImage image;
    image.LoadFromFile(gif);
    TDibGraphic bitmap;
    image.AssignToBitmap24(bitmap);
    return RgbBytes(bitmap);
  }

  fs::path dir_;
};

TEST_F(GifImageMagick, TheirFilesDecodeToTheSamePixels) {
  struct Case {
    const char* name;
    std::string arguments;
  };
  const std::vector<Case> cases = {
      {"two.gif", "-size 53x31 plasma:red-blue -colors 2"},
      {"eight.gif", "-size 40x40 plasma:fractal -colors 8"},
      {"sixteen-interlaced.gif", "-size 77x45 plasma:fractal -colors 16 -interlace GIF"},
      {"full.gif", "-size 300x200 xc: +noise Random -colors 256"},
      {"gradient.gif", "-size 640x480 gradient:navy-orange"},
      {"transparent.gif", "-size 30x20 xc:blue -fill red -draw 'rectangle 5,5 20,15' -transparent blue"},
      {"gray.gif", "-size 129x3 gradient: -colorspace Gray -colors 100"},
      {"tall-interlaced.gif", "-size 3x97 plasma:green-yellow -colors 32 -interlace GIF"},
  };
  for (const Case& c : cases) {
    const fs::path gif = Make(c.name, c.arguments);
    const std::vector<std::uint8_t> theirs = TheirPixels(gif);
    ASSERT_FALSE(theirs.empty()) << c.name;
    EXPECT_EQ(OurPixels(gif), theirs) << c.name;
  }
}

TEST_F(GifImageMagick, OurFilesDecodeToTheSamePixelsThere) {
  // Noise through the colour-reducing writer, then our decode against theirs.
  const fs::path source = Make("noise.gif", "-size 211x157 xc: +noise Random -colors 200");
  TGIFImage image;
  image.LoadFromFile(source);
  TDibGraphic truecolor;
  image.AssignToBitmap24(truecolor);

  for (const bool reduce : {false, true}) {
    TGIFImage written;
    if (reduce) written.Assign(truecolor);
    else written.Assign(image.Frames()[0]->Bitmap());
    const fs::path ours = dir_ / (reduce ? "ours-reduced.gif" : "ours-indexed.gif");
    written.SaveToFile(ours);
    EXPECT_EQ(TheirPixels(ours), OurPixels(ours)) << reduce;
    EXPECT_EQ(OurPixels(ours), RgbBytes(truecolor)) << reduce;
  }
}

}  // namespace
}  // namespace huemira::test
