#include "imaging/libreaders/jpeg_decompressor.h"

#include <cstring>
#include <exception>

#include <jerror.h>

namespace huemira {

namespace {

// Memory libjpeg may take for whole-image buffers (progressive and
// multi-scan pictures keep every coefficient): enough for the largest picture
// the DIB model admits, and the library's own error instead of a runaway
// allocation beyond it.
constexpr long kMaxLibraryMemory = 1024L * 1024 * 1024;
// A real progressive file has about ten scans; a crafted one can have
// thousands, each a pass over the whole picture.
constexpr int kMaxScans = 500;

}  // namespace

JpegDecompressor::JpegDecompressor(TStream& stream) {
  cinfo_.err = &errors_.manager;
  Run([&] { jpeg_create_decompress(&cinfo_); });
  created_ = true;
  cinfo_.mem->max_memory_to_use = kMaxLibraryMemory;

  scanLimit_.progress_monitor = CheckScanCount;
  cinfo_.progress = &scanLimit_;

  source_.stream = &stream;
  source_.manager.init_source = InitSource;
  source_.manager.fill_input_buffer = FillInputBuffer;
  source_.manager.skip_input_data = SkipInputData;
  source_.manager.resync_to_restart = jpeg_resync_to_restart;
  source_.manager.term_source = TermSource;
  cinfo_.src = &source_.manager;
}

JpegDecompressor::~JpegDecompressor() {
  if (created_) jpeg_destroy_decompress(&cinfo_);
}

void JpegDecompressor::CheckScanCount(j_common_ptr cinfo) {
  if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans) {
    JpegErrorBridge::Fail(cinfo, "Too many scans in JPEG file");
  }
}

void JpegDecompressor::InitSource(j_decompress_ptr cinfo) {
  reinterpret_cast<StreamSource*>(cinfo->src)->started = false;
}

boolean JpegDecompressor::FillInputBuffer(j_decompress_ptr cinfo) {
  auto* source = reinterpret_cast<StreamSource*>(cinfo->src);
  std::size_t count = 0;
  bool failed = false;
  char failure[JMSG_LENGTH_MAX] = {};
  try {
    count = source->stream->Read(source->buffer, sizeof source->buffer);
  } catch (const std::exception& error) {
    std::strncpy(failure, error.what(), sizeof failure - 1);
    failed = true;
  }
  // Outside the try block: the jump must not leave an exception half handled.
  if (failed) JpegErrorBridge::Fail(reinterpret_cast<j_common_ptr>(cinfo), failure);
  if (count == 0) {
    if (!source->started) ERREXIT(cinfo, JERR_INPUT_EMPTY);
    // Data ends early: hand the library an end-of-image marker; it warns
    // and fills the rest of the picture.
    WARNMS(cinfo, JWRN_JPEG_EOF);
    source->buffer[0] = 0xFF;
    source->buffer[1] = JPEG_EOI;
    count = 2;
  }
  source->manager.next_input_byte = source->buffer;
  source->manager.bytes_in_buffer = count;
  source->started = true;
  return TRUE;
}

void JpegDecompressor::SkipInputData(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  jpeg_source_mgr* source = cinfo->src;
  while (count > static_cast<long>(source->bytes_in_buffer)) {
    count -= static_cast<long>(source->bytes_in_buffer);
    FillInputBuffer(cinfo);
  }
  source->next_input_byte += count;
  source->bytes_in_buffer -= static_cast<std::size_t>(count);
}

void JpegDecompressor::TermSource(j_decompress_ptr) {}

}  // namespace huemira
