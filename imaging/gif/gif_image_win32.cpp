// The Win32 touch points of TGIFImage: drawing and the clipboard.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "framework/exception.h"
#include "imaging/gif/gif_image.h"
#include "imaging/gif/register.h"

namespace huemira {

namespace {

UINT gifClipboardFormat = 0;

class GlobalBlockLock {
 public:
  explicit GlobalBlockLock(HGLOBAL handle) : handle_(handle), data_(::GlobalLock(handle)) {}
  ~GlobalBlockLock() {
    if (data_) ::GlobalUnlock(handle_);
  }
  GlobalBlockLock(const GlobalBlockLock&) = delete;
  GlobalBlockLock& operator=(const GlobalBlockLock&) = delete;
  void* Data() const { return data_; }

 private:
  HGLOBAL handle_;
  void* data_;
};

// Copies bytes into a movable global block for the clipboard; none when that fails.
HGLOBAL CopyToGlobal(const std::vector<std::uint8_t>& bytes) {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!block) return nullptr;
  {
    GlobalBlockLock lock(block);
    if (!lock.Data()) {
      ::GlobalFree(block);
      return nullptr;
    }
    std::memcpy(lock.Data(), bytes.data(), bytes.size());
  }
  return block;
}

}  // namespace

void RegisterGifClipboardFormat() { gifClipboardFormat = ::RegisterClipboardFormatW(L"GIF Image"); }

unsigned GifClipboardFormat() { return gifClipboardFormat; }

void TGIFImage::Draw(HDC dc, const RECT& rect) {
  if (currentFrame_ < 0 || currentFrame_ >= static_cast<int>(frames_.size())) return;
  TGIFFrame& frame = *frames_[static_cast<std::size_t>(currentFrame_)];
  TDibGraphic& bitmap = frame.Bitmap();
  if (bitmap.Empty()) return;
  const std::uint32_t color = frame.TransparentColor;
  bitmap.Transparent = Transparent() && color != kGifNoColor;
  if (bitmap.Transparent) {
    bitmap.TransparentPixel = tpExplicitRgb;
    bitmap.TransparentRgb = MakeRgb(static_cast<std::uint8_t>(color), static_cast<std::uint8_t>(color >> 8),
                                    static_cast<std::uint8_t>(color >> 16));
  }
  bitmap.Draw(dc, rect);
}

// Frame 0 goes as a bitmap; when every frame still has its compressed data,
// the GIF itself goes along under "GIF Image" (the clipboard is open).
void TGIFImage::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) {
  if (frames_.empty()) throw EInvalidGraphicOperation("No GIF Data to write");
  frames_.front()->Bitmap().SaveToClipboardFormat(format, data, palette);
  const bool allCompressed =
      std::all_of(frames_.begin(), frames_.end(), [](const auto& frame) { return frame->HasCompressedData(); });
  if (!allCompressed || gifClipboardFormat == 0) return;
  TMemoryStream gif;
  WriteData(gif);
  HGLOBAL block = CopyToGlobal(gif.Bytes());
  if (block && !::SetClipboardData(gifClipboardFormat, block)) ::GlobalFree(block);
}

void TGIFImage::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) {
  HANDLE gif = gifClipboardFormat != 0 ? ::GetClipboardData(gifClipboardFormat) : nullptr;
  if (!gif) {
    TDibGraphic bitmap;
    bitmap.LoadFromClipboardFormat(format, data, palette);
    Assign(bitmap);
    return;
  }
  {
    GlobalBlockLock lock(gif);
    if (!lock.Data()) throw EReadError("Stream read error");
    TBorrowedMemoryStream stream(lock.Data(), ::GlobalSize(gif));
    std::uint8_t size[4];
    stream.ReadBuffer(size, sizeof size);
    const std::int64_t count = size[0] | (size[1] << 8) | (size[2] << 16) | (std::int64_t{size[3]} << 24);
    LoadFromBytes(stream, count, false);
  }
  if (frames_.empty()) return;
  currentFrame_ = 0;
  if (HANDLE bitmapHandle = ::GetClipboardData(CF_BITMAP)) {
    auto bitmap = std::make_unique<TDibGraphic>();
    bitmap->LoadFromBitmapHandle(static_cast<HBITMAP>(bitmapHandle));
    frames_.front()->bitmap_ = std::move(bitmap);
  }
}

}  // namespace huemira
