// The reader registry as the program sets it up, and huemira-convert end to
// end: pictures made by ImageMagick come out of our readers as BMPs whose
// pixels ImageMagick reads back unchanged.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "imaging/dib/picture_formats.h"
#include "imaging/register_formats.h"

namespace huemira {
namespace {

namespace fs = std::filesystem;

TEST(RegisterImagingFormats, EachExtensionFindsItsReader) {
  RegisterImagingFormats();
  const std::pair<const char*, const char*> expected[] = {
      {"bmp", "TBmpGraphic"},  {"ICO", "TIcon"},
      {"tif", "TTiffGraphic"}, {"TIFF", "TTiffGraphic"}, {"tga", "TTgaGraphic"}, {"vst", "TTgaGraphic"},
      {"afi", "TTgaGraphic"},  {"pcx", "TPcxGraphic"},   {"pcc", "TPcxGraphic"}, {"dcx", "TDcxGraphic"},
      {"png", "TPngGraphic"},  {"gif", "TGIFImage"},     {"jpg", "TJpegGraphic"}, {".JPEG", "TJpegGraphic"}};
  for (const auto& [extension, className] : expected) {
    const auto graphic = CreateGraphicForExtension(extension);
    ASSERT_NE(graphic, nullptr) << extension;
    EXPECT_STREQ(graphic->ClassName(), className) << extension;
  }
  // Icons and bitmaps come first, where the program's metafiles leave off.
  const auto formats = GraphicFormats();
  ASSERT_GE(formats.size(), 2u);
  EXPECT_EQ(formats[0].extension, "ico");
  EXPECT_EQ(formats[1].extension, "bmp");
  EXPECT_EQ(formats[1].description, "Bitmaps");
}

class ConvertTool : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::system("command -v convert >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick not installed";
    dir_ = fs::temp_directory_path() / ("huemira_convert_test_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    if (!dir_.empty()) fs::remove_all(dir_, ignored);
  }

  static std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

  // Runs the tool; returns its exit status and keeps its standard error.
  int Convert(const fs::path& input, const fs::path& output) {
    const std::string command = std::string("'") + HUEMIRA_CONVERT_PATH + "' " + Quoted(input) + " " +
                                Quoted(output) + " 2>" + Quoted(dir_ / "stderr.txt");
    const int status = std::system(command.c_str());
    std::ifstream in(dir_ / "stderr.txt");
    stderr_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // The picture's pixels as ImageMagick decodes them, 8-bit RGB.
  std::vector<char> PixelsOf(const fs::path& picture) {
    const fs::path raw = dir_ / "pixels.rgb";
    const std::string command = "convert " + Quoted(picture) + "[0] -depth 8 " + Quoted("rgb:" + raw.string());
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream in(raw, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  fs::path dir_;
  std::string stderr_;
};

TEST_F(ConvertTool, LosslessAndJpegPicturesKeepTheirPixels) {
  const fs::path source = dir_ / "source.png";
  // Odd width: every format pads its rows somewhere.
  ASSERT_EQ(std::system(("convert -seed 7 -size 37x23 plasma:fractal -depth 8 " + Quoted(source)).c_str()), 0);
  const std::vector<std::pair<std::string, std::string>> formats = {
      // Without gAMA: our PNG reader corrects a file's gamma for the display, ImageMagick does not.
      {"png", "-define png:exclude-chunks=gAMA,cHRM,sRGB,bKGD"}, {"tif", "-compress Zip"}, {"gif", ""}, {"pcx", ""}, {"dcx", ""}, {"jpg", "-quality 85"},
      {"pcx", "-colors 16 -type Palette"},
      {"bmp", ""}, {"bmp", "-colors 50 -type Palette -compress RLE"}, {"ico", ""},
      // This ImageMagick stores the top row first yet marks the file bottom-up unless told the orientation.
      {"tga", "-orient TopLeft"}};
  for (const auto& [extension, options] : formats) {
    SCOPED_TRACE(extension + " " + options);
    const fs::path picture = dir_ / ("picture." + extension), bitmap = dir_ / "out.bmp";
    ASSERT_EQ(std::system(("convert " + Quoted(source) + " " + options + " " + Quoted(picture)).c_str()), 0);
    ASSERT_EQ(Convert(picture, bitmap), 0) << stderr_;
    EXPECT_EQ(PixelsOf(bitmap), PixelsOf(picture));
  }
}

TEST_F(ConvertTool, FailuresReportTheMessageAndLeaveNoBitmap) {
  const fs::path png = dir_ / "picture.png", truncated = dir_ / "truncated.png", bitmap = dir_ / "out.bmp";
  ASSERT_EQ(std::system(("convert -size 40x40 xc:red " + Quoted(png)).c_str()), 0);
  const auto size = fs::file_size(png);
  fs::copy_file(png, truncated);
  fs::resize_file(truncated, size / 2);
  EXPECT_EQ(Convert(truncated, bitmap), 1);
  EXPECT_FALSE(stderr_.empty());
  EXPECT_FALSE(fs::exists(bitmap));

  const fs::path text = dir_ / "notes.xyz";
  std::ofstream(text) << "not a picture";
  EXPECT_EQ(Convert(text, bitmap), 1);
  EXPECT_EQ(stderr_, "No reader for \".xyz\" files\n");

  EXPECT_EQ(Convert(dir_ / "missing.png", bitmap), 1);
  EXPECT_NE(stderr_.find("missing.png"), std::string::npos);
  EXPECT_FALSE(fs::exists(bitmap));
}

TEST(ConvertToolVersion, IsTheProjectVersion) {
  FILE* output = ::popen((std::string("'") + HUEMIRA_CONVERT_PATH + "' --version").c_str(), "r");
  ASSERT_NE(output, nullptr);
  char line[128] = {};
  ASSERT_NE(std::fgets(line, sizeof line, output), nullptr);
  EXPECT_EQ(::pclose(output), 0);
  EXPECT_STREQ(line, "huemira-convert " HUEMIRA_VERSION "\n");
}

}  // namespace
}  // namespace huemira
