#include "framework/stream.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "framework/exception.h"

namespace huemira {

std::int64_t TStream::Size() {
  const std::int64_t here = Position();
  const std::int64_t end = Seek(0, SeekOrigin::End);
  Seek(here, SeekOrigin::Begin);
  return end;
}

std::int64_t TStream::Remaining() {
  return std::max<std::int64_t>(0, Size() - Position());
}

void TStream::ReadBuffer(void* buffer, std::size_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::size_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  std::vector<std::uint8_t> chunk(static_cast<std::size_t>(std::min<std::int64_t>(count, 1 << 16)));
  std::int64_t left = count;
  while (left > 0) {
    const auto n = static_cast<std::size_t>(std::min<std::int64_t>(left, static_cast<std::int64_t>(chunk.size())));
    source.ReadBuffer(chunk.data(), n);
    WriteBuffer(chunk.data(), n);
    left -= static_cast<std::int64_t>(n);
  }
  return count;
}

namespace {

// Position after a seek, clamped at 0 as Delphi-style streams do.
std::int64_t SeekTarget(std::int64_t position, std::int64_t size, std::int64_t offset, SeekOrigin origin) {
  std::int64_t base = 0;
  switch (origin) {
    case SeekOrigin::Begin: base = 0; break;
    case SeekOrigin::Current: base = position; break;
    case SeekOrigin::End: base = size; break;
  }
  return std::max<std::int64_t>(0, base + offset);
}

}  // namespace

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
  if (position_ >= bytes_.size()) return 0;
  const std::size_t n = std::min(count, bytes_.size() - position_);
  std::memcpy(buffer, bytes_.data() + position_, n);
  position_ += n;
  return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
  if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
  if (count != 0) std::memcpy(bytes_.data() + position_, buffer, count);
  position_ += count;
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, SeekOrigin origin) {
  position_ = static_cast<std::size_t>(
      SeekTarget(static_cast<std::int64_t>(position_), Size(), offset, origin));
  return static_cast<std::int64_t>(position_);
}

void TMemoryStream::Clear() {
  bytes_.clear();
  position_ = 0;
}

std::size_t TBorrowedMemoryStream::Read(void* buffer, std::size_t count) {
  if (position_ >= size_) return 0;
  const std::size_t n = std::min(count, size_ - position_);
  std::memcpy(buffer, data_ + position_, n);
  position_ += n;
  return n;
}

std::size_t TBorrowedMemoryStream::Write(const void*, std::size_t) { return 0; }

std::int64_t TBorrowedMemoryStream::Seek(std::int64_t offset, SeekOrigin origin) {
  position_ = static_cast<std::size_t>(
      SeekTarget(static_cast<std::int64_t>(position_), Size(), offset, origin));
  return static_cast<std::int64_t>(position_);
}

std::string Utf8Path(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

#ifdef _WIN32
namespace {

// A name of MAX_PATH characters or more opens only in its "\\?\" form, which
// the system takes as it stands: absolute, with no "." or ".." and only
// backslashes.
std::wstring OpenableName(const std::filesystem::path& path) {
  constexpr std::size_t kMaxPath = 260;
  std::error_code error;
  const std::wstring full = std::filesystem::absolute(path, error).lexically_normal().native();
  if (error || full.size() < kMaxPath || full.starts_with(LR"(\\?\)") || full.starts_with(LR"(\\.\)"))
    return path.native();
  if (full.starts_with(LR"(\\)")) return LR"(\\?\UNC\)" + full.substr(2);
  return LR"(\\?\)" + full;
}

}  // namespace
#endif

TFileStream::TFileStream(const std::filesystem::path& path, FileMode mode) : path_(path) {
#ifdef _WIN32
  file_ = _wfopen(OpenableName(path).c_str(), mode == FileMode::OpenRead ? L"rb" : L"w+b");
#else
  file_ = std::fopen(path.c_str(), mode == FileMode::OpenRead ? "rb" : "w+b");
#endif
  if (!file_) {
    const char* what = mode == FileMode::OpenRead ? "Cannot open file \"" : "Cannot create file \"";
    throw EFOpenError(what + Utf8Path(path) + "\"");
  }
}

TFileStream::~TFileStream() {
  if (file_) std::fclose(file_);
}

void TFileStream::Close() {
  const bool closed = std::fclose(std::exchange(file_, nullptr)) == 0;
  if (!closed) throw EWriteError("Cannot write file \"" + Utf8Path(path_) + "\"");
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
  return std::fread(buffer, 1, count, file_);
}

std::size_t TFileStream::Write(const void* buffer, std::size_t count) {
  return std::fwrite(buffer, 1, count, file_);
}

std::int64_t TFileStream::Seek(std::int64_t offset, SeekOrigin origin) {
  const int whence = origin == SeekOrigin::Begin ? SEEK_SET : origin == SeekOrigin::Current ? SEEK_CUR : SEEK_END;
#ifdef _WIN32
  if (_fseeki64(file_, offset, whence) != 0 && origin != SeekOrigin::Begin) _fseeki64(file_, 0, SEEK_SET);
  return _ftelli64(file_);
#else
  if (fseeko(file_, offset, whence) != 0) fseeko(file_, 0, SEEK_SET);
  return ftello(file_);
#endif
}

}  // namespace huemira
