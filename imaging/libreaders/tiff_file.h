// A libtiff handle on one of our streams. Offsets in the TIFF are taken from
// the stream's position at opening, so a TIFF embedded further in a stream is
// read where it lies. libtiff reports errors through a handler, not by
// jumping: the handler keeps the last message, and callers turn a failed call
// into ETiffError with it.
#pragma once

#include <tiffio.h>

#include <cstdarg>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/stream.h"

namespace huemira {

class TiffFile {
 public:
  // Mapped copies the rest of the stream into memory and lets libtiff map
  // it. That costs the file's size, and is only needed where libtiff 4.5
  // cannot read without a mapping: RGBA conversion of uncompressed tiles.
  enum class Access { Streamed, Mapped };

  // mode is libtiff's ("r" to read). Throws ETiffError "ETiffError TIFFOpen".
  TiffFile(TStream& stream, const char* mode, Access access = Access::Streamed);
  ~TiffFile();
  TiffFile(const TiffFile&) = delete;
  TiffFile& operator=(const TiffFile&) = delete;

  TIFF* get() const { return tif_; }
  // The library's last error text, or fallback when it gave none.
  std::string LastError(const char* fallback) const { return lastError_.empty() ? fallback : lastError_; }

 private:
  static tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size);
  static tmsize_t WriteProc(thandle_t handle, void* buffer, tmsize_t size);
  static toff_t SeekProc(thandle_t handle, toff_t offset, int whence);
  static int CloseProc(thandle_t handle);
  static toff_t SizeProc(thandle_t handle);
  static int MapProc(thandle_t handle, void** base, toff_t* size);
  static void UnmapProc(thandle_t handle, void* base, toff_t size);
  static int OnError(TIFF* tif, void* user, const char* module, const char* format, va_list args);
  static int OnWarning(TIFF* tif, void* user, const char* module, const char* format, va_list args);

  TStream& stream_;
  std::int64_t base_;
  std::string lastError_;
  std::vector<std::uint8_t> mapped_;
  bool isMapped_ = false;
  TIFF* tif_ = nullptr;
};

}  // namespace huemira
