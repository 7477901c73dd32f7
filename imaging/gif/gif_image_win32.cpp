// The Win32 touch points of TGIFImage: drawing and the clipboard.
#include <windows.h>

#include <algorithm>
#include <memory>

#include "framework/clipboard.h"
#include "framework/exception.h"
#include "imaging/gif/gif_image.h"
#include "imaging/gif/register.h"

namespace huemira {

namespace {

UINT gifClipboardFormat = 0;

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
  PutClipboardBytes(gifClipboardFormat, gif.Bytes().data(), gif.Bytes().size());
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
    GlobalMemoryLock lock(gif);
    if (!lock.Data()) throw EReadError("Stream read error");
    TBorrowedMemoryStream stream(lock.Data(), lock.Size());
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
