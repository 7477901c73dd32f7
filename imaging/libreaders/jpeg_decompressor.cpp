#include "imaging/libreaders/jpeg_decompressor.h"

#include <cstring>
#include <exception>

#include <jerror.h>

#include "imaging/dib/image_limits.h"

namespace huemira {

namespace {

// Memory libjpeg may take for whole-image buffers (progressive and
// multi-scan pictures keep every coefficient): enough for the largest picture
// the DIB model admits, and the library's own error instead of a runaway
// allocation beyond it.
constexpr long kMaxLibraryMemory = 1024L * 1024 * 1024;
// A multi-scan file (progressive, or sequential with one scan a component)
// is read whole into a buffer of every coefficient before the first row
// comes out, and each scan walks the blocks of its components there, even a
// scan of a few bytes that only says "nothing changes". Two limits keep a
// crafted file from turning that into minutes:
// - scans: libjpeg's progressive script writes 10 (6 for grey), mozjpeg's
//   searched ones about as many; no encoder comes near ten times that, so
//   more than 100 is a crafted file;
// - blocks walked over all scans: 16 walks over every component of the
//   largest picture the DIB model admits, 3 components of 2^27 / 64 blocks.
//   A real progressive file walks its picture about 5 times (14 component
//   walks of a 4:4:4 colour picture), so the largest real one stays within;
//   a small picture is held by the scan count first.
constexpr int kMaxScans = 100;
constexpr std::int64_t kMaxScanBlocks = 16 * 3 * (kMaxImagePixels / 64);

}  // namespace

JpegDecompressor::JpegDecompressor(TStream& stream) {
  cinfo_.err = &errors_.manager;
  Run([&] { jpeg_create_decompress(&cinfo_); });
  created_ = true;
  cinfo_.mem->max_memory_to_use = kMaxLibraryMemory;

  scanLimit_.manager.progress_monitor = CheckScanCount;
  cinfo_.progress = &scanLimit_.manager;

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

// Called at least once a scan while scans are read, with the new scan's components set up.
void JpegDecompressor::CheckScanCount(j_common_ptr common) {
  if (!common->is_decompressor) return;
  auto* cinfo = reinterpret_cast<j_decompress_ptr>(common);
  auto* limit = reinterpret_cast<ScanLimit*>(cinfo->progress);
  if (cinfo->input_scan_number == limit->lastScan) return;
  limit->lastScan = cinfo->input_scan_number;
  for (int i = 0; i < cinfo->comps_in_scan; ++i) {
    const jpeg_component_info& component = *cinfo->cur_comp_info[i];
    limit->blocksWalked += std::int64_t{component.width_in_blocks} * component.height_in_blocks;
  }
  if (cinfo->input_scan_number > kMaxScans || limit->blocksWalked > kMaxScanBlocks) {
    JpegErrorBridge::Fail(common, "Too many scans in JPEG file");
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
