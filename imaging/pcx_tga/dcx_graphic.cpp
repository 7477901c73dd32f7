#include "imaging/pcx_tga/dcx_graphic.h"

#include <limits>
#include <vector>

#include "imaging/dib/little_endian.h"
#include "imaging/dib/stream_window.h"

namespace huemira {

namespace {

constexpr std::uint32_t kDcxMagic = 987654321;
// Table words written by SaveToStream (the last one always 0): the first page starts after them.
constexpr int kDcxTableWords = 1024;
constexpr std::int64_t kDcxFirstPage = 4 + 4 * kDcxTableWords;

const char kHeaderNotValid[] = "The DCX file header is not valid";

// One table word; false when the stream ends first.
bool ReadWord(TStream& stream, std::uint32_t& word) {
  std::uint8_t bytes[4];
  if (stream.Read(bytes, sizeof bytes) != sizeof bytes) return false;
  word = GetLe32(bytes);
  return true;
}

std::uint32_t ReadTableWord(TStream& stream) {
  std::uint32_t word = 0;
  if (!ReadWord(stream, word)) throw EDcxError(kHeaderNotValid);
  return word;
}

void WriteWord(TStream& stream, std::uint32_t word) {
  std::uint8_t bytes[4];
  PutLe32(bytes, word);
  stream.WriteBuffer(bytes, sizeof bytes);
}

// The magic number at the stream's position; a stream too short for it is a read error.
void CheckHeader(TStream& stream) {
  std::uint8_t bytes[4];
  stream.ReadBuffer(bytes, sizeof bytes);
  if (GetLe32(bytes) != kDcxMagic) throw EDcxError(kHeaderNotValid);
}

}  // namespace

bool TDcxGraphic::CanLoadStream(TStream& stream) {
  const std::int64_t start = stream.Position();
  std::uint32_t word = 0;
  const bool read = ReadWord(stream, word);
  stream.SetPosition(start);
  return read && word == kDcxMagic;
}

int TDcxGraphic::GetImageCount(TStream& stream) {
  CheckHeader(stream);
  int count = 0;
  while (ReadTableWord(stream) != 0) {
    if (count == std::numeric_limits<int>::max()) throw EDcxError(kHeaderNotValid);
    ++count;
  }
  return count;
}

void TDcxGraphic::ReadImage(TStream& stream, int index) {
  CheckHeader(stream);
  if (index < 1) throw EDcxError(kHeaderNotValid);
  std::uint32_t page_start = 0;
  for (int i = 0; i < index; ++i) {
    page_start = ReadTableWord(stream);
    if (page_start == 0) throw EDcxError(kHeaderNotValid);
  }
  const std::int64_t size = stream.Size();
  const std::uint32_t next_page = ReadTableWord(stream);
  const std::int64_t page_end = next_page == 0 ? size : next_page;
  // Offsets are checked against the real size before any page memory is taken.
  if (page_end <= page_start || page_end > size) throw EDcxError(kHeaderNotValid);

  // The page is read in place, through a window, rather than copied first.
  TStreamWindow page(stream, page_start, page_end - page_start);
  TPcxGraphic::ReadImage(page, 1);
}

void TDcxGraphic::AppendImage(TStream& stream) {
  if (stream.Size() == 0) {
    SaveToStream(stream);
    return;
  }
  const std::int64_t page_start = stream.Size();
  stream.SetPosition(0);
  CheckHeader(stream);
  const std::uint32_t first_page = ReadTableWord(stream);
  if (first_page == 0) throw EDcxError(kHeaderNotValid);
  while (ReadTableWord(stream) != 0) {
  }
  const std::int64_t after_end_word = stream.Position();
  // The new end word must fit in front of the first page, and the new offset in 32 bits.
  if (after_end_word + 4 > first_page || page_start > std::numeric_limits<std::uint32_t>::max()) {
    throw EDcxError("The DCX file header is full");
  }
  stream.SetPosition(after_end_word - 4);
  WriteWord(stream, static_cast<std::uint32_t>(page_start));
  WriteWord(stream, 0);
  stream.Seek(0, SeekOrigin::End);
  TPcxGraphic::SaveToStream(stream);
}

void TDcxGraphic::SaveToStream(TStream& stream) {
  const std::int64_t start = stream.Position();
  std::vector<std::uint8_t> table(kDcxFirstPage, 0);
  PutLe32(table.data(), kDcxMagic);
  // Offsets are absolute, so a container written mid-stream points at its own page.
  PutLe32(table.data() + 4, static_cast<std::uint32_t>(start + kDcxFirstPage));
  stream.WriteBuffer(table.data(), table.size());
  TPcxGraphic::SaveToStream(stream);
}

}  // namespace huemira
