// What the program needs of a "graphic": a picture of some class that can be
// loaded from a stream and turned into the 24-bit bitmap the picture window
// shows. Every picture class of the imaging library derives from it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>

#include "framework/stream.h"

namespace huemira {

class TDibGraphic;

// Receives row y (0 = top) of a 24-bit picture as width x (blue, green, red) bytes.
using TRow24Sink = std::function<void(int y, const std::uint8_t* bgr)>;

class TGraphic {
 public:
  TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;
  virtual ~TGraphic() = default;

  virtual const char* ClassName() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const = 0;
  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToStream(TStream& stream) = 0;
  void LoadFromFile(const std::filesystem::path& path);
  void SaveToFile(const std::filesystem::path& path);

  // The 24-bit bitmap of the same size that the picture window shows (dest becomes ifColorRgb24).
  virtual void AssignToBitmap24(TDibGraphic& dest) const = 0;

  // Hands the rows of that 24-bit bitmap to sink, bottom row first (the order
  // of a BMP file). The base builds the whole bitmap first; a class that holds
  // its pixels overrides it to convert one row at a time, so that writing a
  // BMP costs no second copy of the picture.
  virtual void ForEachRow24BottomUp(const TRow24Sink& sink) const;
};

}  // namespace huemira
