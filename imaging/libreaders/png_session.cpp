#include "imaging/libreaders/png_session.h"

#include <cstring>
#include <exception>

#include "imaging/dib/image_limits.h"
#include "imaging/libreaders/png_warning.h"

namespace huemira {

namespace {

// Bounds for what a file may make libpng hold besides the image: its two
// row buffers (up to 8 bytes a pixel, so the width is held to 2^25 pixels,
// far beyond any real picture, to keep each below 256 MiB), many small
// ancillary chunks, or one huge (for example compressed text) chunk.
constexpr png_uint_32 kMaxWidth = 1u << 25;
constexpr png_uint_32 kMaxHeight = static_cast<png_uint_32>(kMaxImagePixels);
constexpr png_uint_32 kMaxCachedChunks = 1000;
constexpr png_alloc_size_t kMaxChunkBytes = 8 * 1024 * 1024;
// How much of an IDAT chunk libpng reads from the stream at a time (its own
// default is 8 KiB): a big chunk then costs a few large reads rather than
// many small ones, each of them a system call through the file stream.
constexpr std::size_t kIdatReadBytes = 256 * 1024;

// Chunks the reader has no use for, skipped unread: libpng would otherwise
// buffer some of them (texts, ICC profiles) whole, at whatever size the file
// claims, before finding out that the data is not there.
constexpr png_byte kIgnoredChunks[] = "cHRM\0iCCP\0sBIT\0tEXt\0zTXt\0iTXt\0tIME\0hIST\0sPLT\0oFFs\0pCAL\0sCAL\0eXIf";
constexpr int kIgnoredChunkCount = sizeof kIgnoredChunks / 5;

void CopyMessage(char (&target)[256], const char* text) {
  std::strncpy(target, text ? text : "", sizeof target - 1);
  target[sizeof target - 1] = '\0';
}

}  // namespace

PngSession::PngSession(TStream& stream, Direction direction) : stream_(stream), direction_(direction) {
  if (direction_ == Direction::Write) {
    png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, OnError, OnWarning);
    if (!png_) throw EPNGError("png_create_write_struct failed");
    info_ = png_create_info_struct(png_);
    if (!info_) {
      png_destroy_write_struct(&png_, nullptr);
      throw EPNGError("png_create_info_struct failed");
    }
    png_set_write_fn(png_, this, WriteToStream, nullptr);
    return;
  }
  png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, OnError, OnWarning);
  if (!png_) throw EPNGError("png_create_read_struct failed");
  info_ = png_create_info_struct(png_);
  if (!info_) {
    png_destroy_read_struct(&png_, nullptr, nullptr);
    throw EPNGError("png_create_info_struct failed");
  }
  png_set_read_fn(png_, this, ReadFromStream);
  png_set_user_limits(png_, kMaxWidth, kMaxHeight);
  png_set_chunk_cache_max(png_, kMaxCachedChunks);
  png_set_chunk_malloc_max(png_, kMaxChunkBytes);
  png_set_keep_unknown_chunks(png_, PNG_HANDLE_CHUNK_NEVER, kIgnoredChunks, kIgnoredChunkCount);
  png_set_compression_buffer_size(png_, kIdatReadBytes);
}

PngSession::~PngSession() {
  if (direction_ == Direction::Write) {
    png_destroy_write_struct(&png_, &info_);
  } else {
    png_destroy_read_struct(&png_, &info_, nullptr);
  }
}

void PngSession::OnError(png_structp png, png_const_charp message) {
  auto* session = static_cast<PngSession*>(png_get_error_ptr(png));
  CopyMessage(session->message_, message);
  png_longjmp(png, 1);
}

// Only the first warning is shown: a file can hold thousands of damaged
// chunks, each worth a warning, and each box waits for the user.
void PngSession::OnWarning(png_structp png, png_const_charp message) {
  auto* session = static_cast<PngSession*>(png_get_error_ptr(png));
  if (QuietPngWarnings || session->silent_ || session->warned_) return;
  session->warned_ = true;
  ShowPngWarning(message ? message : "");
}

// A short read is an error: libpng would otherwise go on with whatever
// happened to be in its buffer.
void PngSession::ReadFromStream(png_structp png, png_bytep data, std::size_t length) {
  auto* session = static_cast<PngSession*>(png_get_io_ptr(png));
  bool complete = false;
  session->message_[0] = '\0';
  try {
    complete = session->stream_.Read(data, length) == length;
  } catch (const std::exception& error) {
    CopyMessage(session->message_, error.what());
  }
  // png_error jumps away: called outside the try block so that no exception
  // is left half handled.
  if (!complete) png_error(png, session->message_[0] ? session->message_ : "Read Error");
}

void PngSession::WriteToStream(png_structp png, png_bytep data, std::size_t length) {
  auto* session = static_cast<PngSession*>(png_get_io_ptr(png));
  bool failed = false;
  try {
    session->stream_.WriteBuffer(data, length);
  } catch (const std::exception& error) {
    CopyMessage(session->message_, error.what());
    failed = true;
  }
  // Outside the try block, as for reading.
  if (failed) png_error(png, session->message_);
}

}  // namespace huemira
