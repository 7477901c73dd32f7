#include "reader_test_support.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace huemira::test {

ScratchDir::ScratchDir() {
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() / ("huemira-libreaders-" + std::to_string(random()));
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::uint32_t RgbImage::At(int x, int y) const {
  const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
  return MakeRgb(rgb[i], rgb[i + 1], rgb[i + 2]);
}

bool HaveImageMagick() {
  static const bool present = std::system("convert -version > /dev/null 2>&1") == 0;
  return present;
}

RgbImage DecodeWithImageMagick(const std::filesystem::path& file, int page) {
  const std::filesystem::path ppm = file.string() + ".reference.ppm";
  const std::string command =
      "convert '" + file.string() + "[" + std::to_string(page) + "]' -depth 8 'ppm:" + ppm.string() + "' 2>/dev/null";
  RgbImage image;
  if (std::system(command.c_str()) != 0) return image;
  std::ifstream in(ppm, std::ios::binary);
  std::string magic;
  int maxValue = 0;
  in >> magic >> image.width >> image.height >> maxValue;
  in.get();
  image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
  in.read(reinterpret_cast<char*>(image.rgb.data()), static_cast<std::streamsize>(image.rgb.size()));
  if (magic != "P6" || maxValue != 255 || !in) image = RgbImage{};
  return image;
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

::testing::AssertionResult SamePixels(const TDibGraphic& image, const RgbImage& expected, int tolerance) {
  if (image.Width() != expected.width || image.Height() != expected.height) {
    return ::testing::AssertionFailure() << "size " << image.Width() << "x" << image.Height() << ", expected "
                                         << expected.width << "x" << expected.height;
  }
  int differences = 0;
  std::ostringstream report;
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      const std::uint32_t got = image.GetRgbPixel(x, y), want = expected.At(x, y);
      const bool close = std::abs(RedOf(got) - RedOf(want)) <= tolerance &&
                         std::abs(GreenOf(got) - GreenOf(want)) <= tolerance &&
                         std::abs(BlueOf(got) - BlueOf(want)) <= tolerance;
      if (!close && ++differences <= 5) {
        report << " (" << x << "," << y << "): " << std::hex << got << " != " << want << std::dec;
      }
    }
  }
  if (differences == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << differences << " pixels differ:" << report.str();
}

}  // namespace huemira::test
