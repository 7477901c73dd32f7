// One libjpeg decompression: the decompressor, its error manager and the
// data source that reads the stream in blocks.
//
// libjpeg's fatal errors must not return, and exit() is out of the question;
// they longjmp back into Run(), whose setjmp sits directly around the library
// call, so that the jump only ever skips libjpeg's frames and our callbacks,
// which own nothing. Run() then throws Exception with the library's text.
#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdio>  // jpeglib.h needs FILE and size_t first

#include <jpeglib.h>

#include "framework/exception.h"
#include "framework/stream.h"

namespace huemira {

class JpegDecompressor {
 public:
  explicit JpegDecompressor(TStream& stream);
  ~JpegDecompressor();
  JpegDecompressor(const JpegDecompressor&) = delete;
  JpegDecompressor& operator=(const JpegDecompressor&) = delete;

  jpeg_decompress_struct& cinfo() { return cinfo_; }
  // Warnings (for example corrupt entropy data) are counted, not reported.
  long Warnings() const { return errors_.manager.num_warnings; }

  // Calls step(); a fatal library error inside it becomes Exception with the
  // library's formatted message. step must not own objects with destructors.
  template <class Step>
  void Run(Step&& step) {
    if (setjmp(errors_.jump)) throw Exception(errors_.message);
    step();
  }

 private:
  struct ErrorManager {
    jpeg_error_mgr manager;  // first, so that libjpeg's pointer to it is a pointer to us
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
  };
  struct StreamSource {
    jpeg_source_mgr manager;  // first, as above
    TStream* stream;
    bool started;
    JOCTET buffer[4096];
  };
  struct ScanLimit {
    jpeg_progress_mgr manager;  // first, as above
  };

  static void ErrorExit(j_common_ptr cinfo);
  static void EmitMessage(j_common_ptr cinfo, int level);
  static void CheckScanCount(j_common_ptr cinfo);
  [[noreturn]] static void Fail(j_common_ptr cinfo, const char* text);
  static void InitSource(j_decompress_ptr cinfo);
  static boolean FillInputBuffer(j_decompress_ptr cinfo);
  static void SkipInputData(j_decompress_ptr cinfo, long count);
  static void TermSource(j_decompress_ptr cinfo);

  jpeg_decompress_struct cinfo_{};
  ErrorManager errors_{};
  StreamSource source_{};
  ScanLimit scanLimit_{};
  bool created_ = false;
};

}  // namespace huemira
