// One libjpeg compression into a stream: the compressor, its error bridge
// and the destination that writes the stream in blocks.
#pragma once

#include "framework/stream.h"
#include "imaging/libreaders/jpeg_error_bridge.h"

namespace huemira {

class JpegCompressor {
 public:
  explicit JpegCompressor(TStream& stream);
  ~JpegCompressor();
  JpegCompressor(const JpegCompressor&) = delete;
  JpegCompressor& operator=(const JpegCompressor&) = delete;

  jpeg_compress_struct& cinfo() { return cinfo_; }

  // As JpegDecompressor::Run; a failing stream write ends up here too.
  template <class Step>
  void Run(Step&& step) {
    errors_.Run(step);
  }

 private:
  struct StreamDestination {
    jpeg_destination_mgr manager;  // first, so that libjpeg's pointer to it is a pointer to us
    TStream* stream;
    JOCTET buffer[4096];
  };

  static void InitDestination(j_compress_ptr cinfo);
  static boolean EmptyOutputBuffer(j_compress_ptr cinfo);
  static void TermDestination(j_compress_ptr cinfo);
  static void WriteOut(j_compress_ptr cinfo, std::size_t count);

  jpeg_compress_struct cinfo_{};
  JpegErrorBridge errors_;
  StreamDestination destination_{};
  bool created_ = false;
};

}  // namespace huemira
