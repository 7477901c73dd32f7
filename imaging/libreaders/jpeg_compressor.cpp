#include "imaging/libreaders/jpeg_compressor.h"

#include <cstring>
#include <exception>

namespace huemira {

JpegCompressor::JpegCompressor(TStream& stream) {
  cinfo_.err = &errors_.manager;
  Run([&] { jpeg_create_compress(&cinfo_); });
  created_ = true;
  destination_.stream = &stream;
  destination_.manager.init_destination = InitDestination;
  destination_.manager.empty_output_buffer = EmptyOutputBuffer;
  destination_.manager.term_destination = TermDestination;
  cinfo_.dest = &destination_.manager;
}

JpegCompressor::~JpegCompressor() {
  if (created_) jpeg_destroy_compress(&cinfo_);
}

void JpegCompressor::InitDestination(j_compress_ptr cinfo) {
  auto* destination = reinterpret_cast<StreamDestination*>(cinfo->dest);
  destination->manager.next_output_byte = destination->buffer;
  destination->manager.free_in_buffer = sizeof destination->buffer;
}

boolean JpegCompressor::EmptyOutputBuffer(j_compress_ptr cinfo) {
  WriteOut(cinfo, sizeof StreamDestination::buffer);
  InitDestination(cinfo);
  return TRUE;
}

void JpegCompressor::TermDestination(j_compress_ptr cinfo) {
  WriteOut(cinfo, sizeof StreamDestination::buffer - cinfo->dest->free_in_buffer);
}

void JpegCompressor::WriteOut(j_compress_ptr cinfo, std::size_t count) {
  auto* destination = reinterpret_cast<StreamDestination*>(cinfo->dest);
  bool failed = false;
  char failure[JMSG_LENGTH_MAX] = {};
  try {
    destination->stream->WriteBuffer(destination->buffer, count);
  } catch (const std::exception& error) {
    std::strncpy(failure, error.what(), sizeof failure - 1);
    failed = true;
  }
  // Outside the try block: the jump must not leave an exception half handled.
  if (failed) JpegErrorBridge::Fail(reinterpret_cast<j_common_ptr>(cinfo), failure);
}

}  // namespace huemira
