// What the reader tests share: a scratch directory, ImageMagick as the
// independent decoder, and pixel comparison against its output.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/stream.h"
#include "imaging/dib/dib_graphic.h"

namespace huemira::test {

// A directory of its own for one test, removed with everything in it afterwards.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // red, green, blue per pixel, top row first
  std::uint32_t At(int x, int y) const;
};

bool HaveImageMagick();
// The picture (page index, 0-based) as ImageMagick decodes it, at 8 bits per sample.
RgbImage DecodeWithImageMagick(const std::filesystem::path& file, int page = 0);

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// Loads bytes into a new graphic of class G through a memory stream.
template <class G>
void LoadBytes(G& graphic, const std::vector<std::uint8_t>& bytes) {
  TMemoryStream stream(bytes);
  graphic.LoadFromStream(stream);
}

// Every pixel within tolerance per channel; reports the first few differences.
::testing::AssertionResult SamePixels(const TDibGraphic& image, const RgbImage& expected, int tolerance = 0);

// Runs statement and checks that it throws exactly Class with exactly message.
#define EXPECT_THROW_MESSAGE(statement, Class, text)                                                     \
  do {                                                                                                   \
    try {                                                                                                \
      statement;                                                                                         \
      ADD_FAILURE() << "no exception";                                                                   \
    } catch (const Class& error) {                                                                       \
      EXPECT_EQ(typeid(error), typeid(Class));                                                           \
      EXPECT_EQ(std::string(error.what()), std::string(text));                                           \
    }                                                                                                    \
  } while (0)

}  // namespace huemira::test
