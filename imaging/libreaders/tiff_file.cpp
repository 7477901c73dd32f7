#include "imaging/libreaders/tiff_file.h"

#include <cstdio>
#include <exception>
#include <memory>

#include "imaging/libreaders/tiff_error.h"
#include "imaging/libreaders/tiff_private_tags.h"

namespace huemira {

namespace {

// The largest single block a file may make libtiff allocate (a strip buffer,
// a colour map, a tag's values): the size of the largest image we accept.
constexpr tmsize_t kMaxLibraryAllocation = tmsize_t{384} * 1024 * 1024;

struct OpenOptionsDeleter {
  void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};

}  // namespace

TiffFile::TiffFile(TStream& stream, const char* mode, Access access)
    : stream_(stream), base_(stream.Position()), isMapped_(access == Access::Mapped) {
  MakePrivateTiffTagsKnown();
  if (isMapped_) {
    mapped_.resize(static_cast<std::size_t>(stream.Remaining()));
    stream.ReadBuffer(mapped_.data(), mapped_.size());
    stream.SetPosition(base_);
  }
  std::unique_ptr<TIFFOpenOptions, OpenOptionsDeleter> options(TIFFOpenOptionsAlloc());
  if (!options) throw TiffError("TIFFOpen");
  TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), kMaxLibraryAllocation);
  TIFFOpenOptionsSetErrorHandlerExtR(options.get(), OnError, this);
  TIFFOpenOptionsSetWarningHandlerExtR(options.get(), OnWarning, this);
  tif_ = TIFFClientOpenExt("stream", mode, this, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc, MapProc,
                           UnmapProc, options.get());
  if (!tif_) throw TiffError("TIFFOpen");
}

TiffFile::~TiffFile() { TIFFClose(tif_); }

tmsize_t TiffFile::ReadProc(thandle_t handle, void* buffer, tmsize_t size) {
  if (size < 0) return -1;
  try {
    return static_cast<tmsize_t>(static_cast<TiffFile*>(handle)->stream_.Read(buffer, static_cast<std::size_t>(size)));
  } catch (const std::exception&) {
    return -1;
  }
}

tmsize_t TiffFile::WriteProc(thandle_t handle, void* buffer, tmsize_t size) {
  if (size < 0) return -1;
  try {
    return static_cast<tmsize_t>(static_cast<TiffFile*>(handle)->stream_.Write(buffer, static_cast<std::size_t>(size)));
  } catch (const std::exception&) {
    return -1;
  }
}

toff_t TiffFile::SeekProc(thandle_t handle, toff_t offset, int whence) {
  auto* file = static_cast<TiffFile*>(handle);
  try {
    const auto signedOffset = static_cast<std::int64_t>(offset);
    std::int64_t target = 0;
    switch (whence) {
      case SEEK_SET: target = signedOffset; break;
      case SEEK_CUR: target = file->stream_.Position() - file->base_ + signedOffset; break;
      case SEEK_END: target = file->stream_.Size() - file->base_ + signedOffset; break;
      default: return static_cast<toff_t>(-1);
    }
    if (target < 0 || target > INT64_MAX - file->base_) return static_cast<toff_t>(-1);
    return static_cast<toff_t>(file->stream_.Seek(file->base_ + target, SeekOrigin::Begin) - file->base_);
  } catch (const std::exception&) {
    return static_cast<toff_t>(-1);
  }
}

int TiffFile::CloseProc(thandle_t) { return 0; }

toff_t TiffFile::SizeProc(thandle_t handle) {
  auto* file = static_cast<TiffFile*>(handle);
  try {
    const std::int64_t size = file->stream_.Size() - file->base_;
    return static_cast<toff_t>(size > 0 ? size : 0);
  } catch (const std::exception&) {
    return 0;
  }
}

int TiffFile::MapProc(thandle_t handle, void** base, toff_t* size) {
  auto* file = static_cast<TiffFile*>(handle);
  if (!file->isMapped_) return 0;
  *base = file->mapped_.data();
  *size = static_cast<toff_t>(file->mapped_.size());
  return 1;
}
void TiffFile::UnmapProc(thandle_t, void*, toff_t) {}

int TiffFile::OnError(TIFF*, void* user, const char* module, const char* format, va_list args) {
  char text[512];
  std::vsnprintf(text, sizeof text, format, args);
  try {
    static_cast<TiffFile*>(user)->lastError_ = module && *module ? std::string(module) + ": " + text : text;
  } catch (const std::exception&) {
    // No memory for the text: the caller reports its own fallback detail.
  }
  return 1;
}

int TiffFile::OnWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

}  // namespace huemira
