// Byte streams: the one way picture readers and writers see a file or a
// memory block. Positions and sizes are 64-bit so that a lying header can be
// checked against the real size without overflow.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace huemira {

enum class SeekOrigin { Begin, Current, End };

class TStream {
 public:
  virtual ~TStream() = default;

  // Reads up to count bytes; returns how many were read (0 at the end).
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
  // Returns the new position. Seeking before the start clamps to 0.
  virtual std::int64_t Seek(std::int64_t offset, SeekOrigin origin) = 0;

  std::int64_t Position() { return Seek(0, SeekOrigin::Current); }
  void SetPosition(std::int64_t position) { Seek(position, SeekOrigin::Begin); }
  virtual std::int64_t Size();
  // Bytes between the position and the end; never negative.
  std::int64_t Remaining();

  // Read or write exactly count bytes, or throw EReadError / EWriteError.
  void ReadBuffer(void* buffer, std::size_t count);
  void WriteBuffer(const void* buffer, std::size_t count);
  // Copies count bytes from source (all of it from position 0 when count is 0).
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(bytes_.size()); }

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::vector<std::uint8_t>& Bytes() { return bytes_; }
  void Clear();

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

// A read-only view of bytes owned elsewhere (fuzzers, clipboard blocks).
class TBorrowedMemoryStream : public TStream {
 public:
  TBorrowedMemoryStream(const void* data, std::size_t size)
      : data_(static_cast<const std::uint8_t*>(data)), size_(size) {}

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(size_); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

// A path as UTF-8 text, for messages and for matching extensions.
std::string Utf8Path(const std::filesystem::path& path);

enum class FileMode { OpenRead, Create };

class TFileStream : public TStream {
 public:
  // Throws EFOpenError "Cannot open file \"NAME\"" or "Cannot create file \"NAME\"".
  TFileStream(const std::filesystem::path& path, FileMode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;

  // Ends a file written through the stream: what the C library still
  // buffers is written now, so a full disk shows here. Throws EWriteError
  // "Cannot write file \"NAME\"". A stream closed by its destructor alone
  // cannot tell.
  void Close();

 private:
  std::FILE* file_ = nullptr;
  std::filesystem::path path_;
};

}  // namespace huemira
