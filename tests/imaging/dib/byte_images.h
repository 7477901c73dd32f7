// A test reader whose "file" is a run of bytes, each a 1 x 1 gray image of
// that value. Every image is read from the position the load started at.
#pragma once

#include <memory>
#include <vector>

#include "imaging/dib/dib_graphic.h"

namespace huemira {

class TByteImages : public TDibGraphic {
 public:
  const char* ClassName() const override { return "TByteImages"; }
  std::unique_ptr<TDibGraphic> CreateNew() const override { return std::make_unique<TByteImages>(); }
  int GetImageCount(TStream& stream) override {
    const auto count = static_cast<int>(stream.Remaining());
    stream.Seek(0, SeekOrigin::End);  // a count that reads to the end, as a real reader might
    return count;
  }
  void ReadImage(TStream& stream, int index) override {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream.Remaining()));
    stream.ReadBuffer(bytes.data(), bytes.size());
    NewImage(1, 1, TDibFormat::ifGrayscale256, nullptr, 0, 0);
    SetPixelIndex(0, 0, bytes.at(static_cast<std::size_t>(index) - 1));
  }
};

}  // namespace huemira
