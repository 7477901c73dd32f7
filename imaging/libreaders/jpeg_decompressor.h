// One libjpeg decompression: the decompressor, its error bridge and the
// data source that reads the stream in blocks.
#pragma once

#include <cstdint>

#include "framework/stream.h"
#include "imaging/libreaders/jpeg_error_bridge.h"

namespace huemira {

class JpegDecompressor {
 public:
  explicit JpegDecompressor(TStream& stream);
  ~JpegDecompressor();
  JpegDecompressor(const JpegDecompressor&) = delete;
  JpegDecompressor& operator=(const JpegDecompressor&) = delete;

  jpeg_decompress_struct& cinfo() { return cinfo_; }

  // Calls step(); a fatal library error inside it becomes Exception with the
  // library's formatted message. step must not own objects with destructors.
  template <class Step>
  void Run(Step&& step) {
    errors_.Run(step);
  }

 private:
  struct StreamSource {
    jpeg_source_mgr manager;  // first, so that libjpeg's pointer to it is a pointer to us
    TStream* stream;
    bool started;
    JOCTET buffer[4096];
  };

  // The progress monitor, which counts the scans and the blocks they walk.
  struct ScanLimit {
    jpeg_progress_mgr manager;  // first, so that libjpeg's pointer to it is a pointer to us
    int lastScan;
    std::int64_t blocksWalked;
  };

  static void CheckScanCount(j_common_ptr cinfo);
  static void InitSource(j_decompress_ptr cinfo);
  static boolean FillInputBuffer(j_decompress_ptr cinfo);
  static void SkipInputData(j_decompress_ptr cinfo, long count);
  static void TermSource(j_decompress_ptr cinfo);

  jpeg_decompress_struct cinfo_{};
  JpegErrorBridge errors_;
  StreamSource source_{};
  ScanLimit scanLimit_{};
  bool created_ = false;
};

}  // namespace huemira
