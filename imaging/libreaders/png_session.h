// One libpng read or write: the png and info structures, the stream they
// read from or write to, and the bridge from libpng's error jump to EPNGError.
// Of libpng's warnings the user sees the first only: one a picture.
//
// libpng reports a fatal error by longjmp. A longjmp must never skip a C++
// frame that owns an object with a destructor, so every libpng call runs
// through Run(), whose setjmp sits directly around the call: the only frames
// the jump can skip are libpng's own and our callbacks, which own nothing.
#pragma once

#include <png.h>

#include <csetjmp>
#include <cstddef>

#include "framework/stream.h"
#include "imaging/libreaders/png_graphic.h"

namespace huemira {

class PngSession {
 public:
  enum class Direction { Read, Write };

  // Throws EPNGError "png_create_read_struct failed" (or "..._write_struct
  // failed") / "png_create_info_struct failed".
  PngSession(TStream& stream, Direction direction);
  ~PngSession();
  PngSession(const PngSession&) = delete;
  PngSession& operator=(const PngSession&) = delete;

  png_structp png() const { return png_; }
  png_infop info() const { return info_; }

  // Keeps libpng's warnings of this session from the user, for PNG data that
  // is part of another format (icons) whose readers report no warnings.
  void SilenceWarnings() { silent_ = true; }

  // Calls step(); a libpng error raised inside it becomes EPNGError with the
  // library's text. step must not own objects with destructors.
  template <class Step>
  void Run(Step&& step) {
    if (setjmp(png_jmpbuf(png_))) throw EPNGError(message_);
    step();
  }

 private:
  static void OnError(png_structp png, png_const_charp message);
  static void OnWarning(png_structp png, png_const_charp message);
  static void ReadFromStream(png_structp png, png_bytep data, std::size_t length);
  static void WriteToStream(png_structp png, png_bytep data, std::size_t length);

  TStream& stream_;
  Direction direction_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
  char message_[256] = {};
  bool silent_ = false;
  bool warned_ = false;
};

}  // namespace huemira
