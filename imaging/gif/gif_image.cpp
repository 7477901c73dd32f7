#include "imaging/gif/gif_image.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "framework/exception.h"
#include "imaging/dib/image_limits.h"
#include "imaging/gif/gif_lzw.h"

namespace huemira {

namespace {

// The rows of an indexed DIB have 1, 4 or 8 bits per pixel; 24-bit ones are copied.
struct Row24Converter {
  // Blue, green, red and a spare byte: each pixel is stored with one 4-byte
  // copy whose spare byte the next pixel overwrites.
  std::array<std::array<std::uint8_t, 4>, 256> colors{};
  bool hasTransparent = false;
  std::uint32_t transparent = 0;  // 0x00BBGGRR

  Row24Converter(const TDibGraphic& bitmap, std::uint32_t transparentColor) {
    hasTransparent = transparentColor != kGifNoColor;
    transparent = transparentColor;
    const TLogPalette& palette = bitmap.Palette();
    for (std::size_t i = 0; i < colors.size(); ++i) {
      const TPaletteEntry entry = i < palette.count ? palette.entries[i] : TPaletteEntry{0, 0, 0, 0};
      const bool clear = hasTransparent && GifColorValue(entry.red, entry.green, entry.blue) == transparent;
      colors[i] = clear ? std::array<std::uint8_t, 4>{255, 255, 255, 0}
                        : std::array<std::uint8_t, 4>{entry.blue, entry.green, entry.red, 0};
    }
  }

  void Convert(const TDibGraphic& bitmap, int y, std::uint8_t* out) const {
    const std::uint8_t* in = bitmap.GetScanLine(y);
    const int width = bitmap.Width();
    switch (BitsPerPixel(bitmap.DibFormat())) {
      case 1:
        Expand(out, width, [in](int x) { return (in[x >> 3] >> (7 - (x & 7))) & 1; });
        break;
      case 4:
        Expand(out, width, [in](int x) { return (x & 1) ? in[x >> 1] & 15 : in[x >> 1] >> 4; });
        break;
      case 8:
        Expand(out, width, [in](int x) { return in[x]; });
        break;
      default:
        std::memcpy(out, in, static_cast<std::size_t>(width) * 3);
        if (!hasTransparent) break;
        for (int x = 0; x < width; ++x) {
          std::uint8_t* pixel = out + 3 * x;
          if (GifColorValue(pixel[2], pixel[1], pixel[0]) == transparent) pixel[0] = pixel[1] = pixel[2] = 255;
        }
        break;
    }
  }

 private:
  // One pass over the output row: the last pixel gets 3 bytes, so nothing
  // is written past the row.
  template <class IndexOf>
  void Expand(std::uint8_t* out, int width, IndexOf indexOf) const {
    int x = 0;
    for (; x + 1 < width; ++x) std::memcpy(out + 3 * x, colors[indexOf(x)].data(), 4);
    if (x < width) std::memcpy(out + 3 * x, colors[indexOf(x)].data(), 3);
  }
};

}  // namespace

// ---- TGIFFrame ----

TGIFFrame::TGIFFrame(TGIFImage& owner) : owner_(&owner), item_(std::make_shared<TGIFItem>()) {}

TGIFFrame::TGIFFrame(TGIFImage& owner, const TGIFFrame& source)
    : owner_(&owner), item_(source.item_), extensions_(source.extensions_) {
  if (source.bitmap_) {
    bitmap_ = std::make_unique<TDibGraphic>();
    bitmap_->Assign(source.bitmap_.get());
  }
  Left = source.Left;
  Top = source.Top;
  Interlaced = source.Interlaced;
  Corrupted = source.Corrupted;
  Grayscale = source.Grayscale;
  TransparentColor = source.TransparentColor;
  Delay = source.Delay;
  DisposalMethod = source.DisposalMethod;
  OwnColorTable = source.OwnColorTable;
}

TGIFFrame::~TGIFFrame() = default;

TDibGraphic& TGIFFrame::Bitmap() {
  if (!HasBitmap()) Decode();
  return *bitmap_;
}

void TGIFFrame::Decode() {
  bitmap_ = std::make_unique<TDibGraphic>();
  if (!HasCompressedData()) return;
  const TGIFItem& item = *item_;
  const int frameBits = item.bitsPerPixel;
  if (frameBits < 1 || frameBits > 8) throw EInvalidGraphicOperation("Wrong number of colors; must be a power of 2");
  if (item.width < 1 || item.height < 1) return;

  const int bits = frameBits == 1 ? 1 : frameBits <= 4 ? 4 : 8;
  const TDibFormat format = bits == 1   ? TDibFormat::ifBlackAndWhite
                            : bits == 4 ? TDibFormat::ifColor16
                                        : TDibFormat::ifColor256;
  // Indexes the table does not cover show as middle grey.
  TLogPalette palette;
  palette.count = static_cast<std::uint16_t>(1u << bits);
  for (std::uint32_t i = 0; i < palette.count; ++i) {
    const TGifRgb rgb = i < item.colors.count ? item.colors.entries[i] : TGifRgb{128, 128, 128};
    palette.entries[i] = {rgb.red, rgb.green, rgb.blue, 0};
  }

  // A code is at least 2 bits and stands for at most 4096 pixels: data too
  // short to reach every pixel even so is a header that lies, refused before
  // its memory is taken. (Merely truncated data decodes, the rest index 0; a
  // size beyond the cap is refused by NewImage.)
  constexpr std::int64_t kMostPixelsPerByte = 4 * 4096;
  if (ImageSizeAllowed(item.width, item.height) &&
      std::int64_t{item.width} * item.height > kMostPixelsPerByte * static_cast<std::int64_t>(item.compressed.size())) {
    throw EReadError("Stream read error");
  }

  TGIFImage& owner = *owner_;
  owner.Progress(TProgressStage::Starting, 0);
  try {
    auto decoded = std::make_unique<TDibGraphic>();
    // The decoder writes every byte of the rows, so they need no clearing first.
    decoded->NewImage(item.width, item.height, format, &palette, 0, 0);
    TLzwTarget target;
    target.bits = decoded->Bits();
    target.stride = decoded->Stride();
    target.width = item.width;
    target.height = item.height;
    target.bitsPerPixel = bits;
    target.interlaced = Interlaced;
    TLzwProgress progress;
    if (owner.OnProgress) progress = [&owner](int percent) { owner.Progress(TProgressStage::Running, percent); };
    if (DecodeGifLzw(item.compressed.data(), item.compressed.size(), frameBits, target, progress)) Corrupted = true;
    bitmap_ = std::move(decoded);
  } catch (const std::exception& error) {
    owner.Progress(TProgressStage::Ending, 0, error.what());
    throw;
  }
  owner.Progress(TProgressStage::Ending, 100);
}

void TGIFFrame::SetBitmap(const TDibGraphic& bitmap) {
  auto copy = std::make_unique<TDibGraphic>();
  copy->Assign(&bitmap);
  auto item = std::make_shared<TGIFItem>();
  item->width = copy->Width();
  item->height = copy->Height();
  bitmap_ = std::move(copy);
  item_ = std::move(item);
}

void TGIFFrame::WriteRows24BottomUp(const TRow24Sink& sink) {
  const TDibGraphic& bitmap = Bitmap();
  if (bitmap.Empty()) return;
  const bool transparent = owner_->TransparentSwitch && TransparentColor != kGifNoColor;
  const Row24Converter converter(bitmap, transparent ? TransparentColor : kGifNoColor);
  std::vector<std::uint8_t> row(static_cast<std::size_t>(bitmap.Width()) * 3);
  for (int y = bitmap.Height() - 1; y >= 0; --y) {
    converter.Convert(bitmap, y, row.data());
    sink(y, row.data());
  }
}

std::vector<std::string>& TGIFFrame::Comment() {
  for (auto it = extensions_.rbegin(); it != extensions_.rend(); ++it) {
    if (it->kind == TExtensionKind::Comment) return it->data;
  }
  extensions_.push_back(TExtension{});
  return extensions_.back().data;
}

// ---- TGIFImage ----

TGIFImage::TGIFImage() { Reset(); }

TGIFImage::~TGIFImage() {
  OnChange = nullptr;
  frames_.clear();
}

void TGIFImage::Reset() {
  data_ = std::make_shared<TGIFData>();
  frames_.clear();
  Corrupted = false;
  currentFrame_ = -1;
  BackgroundColor = kGifNoColor;
  RepeatCount = 1;
  Looping = false;
  Version = TGifVersion::None;
}

void TGIFImage::Changed() {
  if (OnChange) OnChange(*this);
}

void TGIFImage::Progress(TProgressStage stage, int percent, const std::string& message) {
  if (OnProgress) OnProgress(*this, stage, percent, message);
}

TGIFFrame* TGIFImage::ShownFrame() const {
  if (frames_.empty()) return nullptr;
  if (currentFrame_ < 0 || currentFrame_ >= static_cast<int>(frames_.size())) return frames_.front().get();
  return frames_[static_cast<std::size_t>(currentFrame_)].get();
}

bool TGIFImage::Empty() const {
  const TGIFFrame* frame = ShownFrame();
  if (!frame) return true;
  if (frame->HasBitmap()) return false;
  return !frame->HasCompressedData();
}

int TGIFImage::Width() const {
  if (Empty() || currentFrame_ < 0 || currentFrame_ >= static_cast<int>(frames_.size())) return 0;
  return frames_[static_cast<std::size_t>(currentFrame_)]->Bitmap().Width();
}

int TGIFImage::Height() const {
  if (Empty() || currentFrame_ < 0 || currentFrame_ >= static_cast<int>(frames_.size())) return 0;
  return frames_[static_cast<std::size_t>(currentFrame_)]->Bitmap().Height();
}

void TGIFImage::SetWidth(int) { throw EInvalidGraphicOperation("Cannot change the Size of a GIF image"); }
void TGIFImage::SetHeight(int) { throw EInvalidGraphicOperation("Cannot change the Size of a GIF image"); }

void TGIFImage::LoadFromStream(TStream& stream) { LoadFromBytes(stream, stream.Remaining(), true); }

void TGIFImage::ReadData(TStream& stream) {
  std::uint8_t size[4];
  stream.ReadBuffer(size, sizeof size);
  const auto count = static_cast<std::int32_t>(size[0] | (size[1] << 8) | (size[2] << 16) |
                                               (static_cast<std::uint32_t>(size[3]) << 24));
  LoadFromBytes(stream, count, true);
}

void TGIFImage::WriteData(TStream& stream) {
  TMemoryStream gif;
  SaveToStream(gif);
  const auto size = static_cast<std::uint32_t>(gif.Size());
  const std::uint8_t prefix[4] = {static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8),
                                  static_cast<std::uint8_t>(size >> 16), static_cast<std::uint8_t>(size >> 24)};
  stream.WriteBuffer(prefix, sizeof prefix);
  stream.WriteBuffer(gif.Bytes().data(), gif.Bytes().size());
}

void TGIFImage::AssignToBitmap24(TDibGraphic& dest) const {
  const int width = Width();
  const int height = Height();
  if (width < 1 || height < 1) {
    dest.FreeImage();
    return;
  }
  TGIFFrame& frame = *frames_[static_cast<std::size_t>(currentFrame_)];
  const TDibGraphic& bitmap = frame.Bitmap();
  dest.NewImage(width, height, TDibFormat::ifColorRgb24, nullptr, 0, 0);
  const bool transparent = TransparentSwitch && frame.TransparentColor != kGifNoColor;
  const Row24Converter converter(bitmap, transparent ? frame.TransparentColor : kGifNoColor);
  for (int y = 0; y < height; ++y) converter.Convert(bitmap, y, dest.GetScanLine(y));
}

void TGIFImage::ForEachRow24BottomUp(const TRow24Sink& sink) const {
  if (Width() < 1 || Height() < 1) return;
  frames_[static_cast<std::size_t>(currentFrame_)]->WriteRows24BottomUp(sink);
}

void TGIFImage::Assign(const TGIFImage* source) {
  if (source == this) return;
  if (!source) {
    Reset();
    Changed();
    return;
  }
  frames_.clear();
  data_ = source->data_;
  Version = source->Version;
  BackgroundColor = source->BackgroundColor;
  RepeatCount = source->RepeatCount;
  Looping = source->Looping;
  Corrupted = source->Corrupted;
  LogicalWidth = source->LogicalWidth;
  LogicalHeight = source->LogicalHeight;
  currentFrame_ = source->currentFrame_;
  for (const auto& frame : source->frames_) frames_.push_back(std::make_unique<TGIFFrame>(*this, *frame));
  Changed();
}

void TGIFImage::Assign(const TGIFFrame& frame) {
  // The frame may be one of ours, so copy what is needed before the reset.
  auto copy = std::make_unique<TGIFFrame>(*this, frame);
  const TGIFData& global = frame.Owner().Data();
  auto data = std::make_shared<TGIFData>();
  data->aspectRatio = global.aspectRatio;
  data->bitsPerPixel = global.bitsPerPixel;
  data->colorResolution = global.colorResolution;
  data->colors = global.colors;
  const TGifVersion version = frame.Owner().Version;
  Reset();
  data_ = std::move(data);
  Version = version;
  frames_.push_back(std::move(copy));
  currentFrame_ = 0;
  Changed();
}

void TGIFImage::Assign(const TDibGraphic& bitmap) {
  Reset();
  AddFrame(bitmap);
}

int TGIFImage::AddFrame(const TDibGraphic& bitmap) {
  auto frame = std::make_unique<TGIFFrame>(*this);
  frame->SetBitmap(bitmap);
  frames_.push_back(std::move(frame));
  currentFrame_ = static_cast<int>(frames_.size()) - 1;
  if (Version == TGifVersion::None) Version = TGifVersion::GIF87a;
  if (frames_.size() > 1) Version = TGifVersion::GIF89a;
  Changed();
  return currentFrame_;
}

void TGIFImage::AssignTo(TDibGraphic& dest) const {
  if (Empty()) {
    dest.Assign(static_cast<const TDibGraphic*>(nullptr));
    return;
  }
  TGIFFrame& frame = *ShownFrame();
  dest.Assign(&frame.Bitmap());
  if (frame.TransparentColor != kGifNoColor) {
    const std::uint32_t color = frame.TransparentColor;
    dest.TransparentRgb = MakeRgb(static_cast<std::uint8_t>(color), static_cast<std::uint8_t>(color >> 8),
                                  static_cast<std::uint8_t>(color >> 16));
    dest.TransparentPixel = tpExplicitRgb;
    dest.Transparent = true;
  }
}

bool TGIFImage::Transparent() const {
  if (!TransparentSwitch) return false;
  return std::any_of(frames_.begin(), frames_.end(),
                     [](const auto& frame) { return frame->TransparentColor != kGifNoColor; });
}

const TLogPalette* TGIFImage::Palette() const {
  TGIFFrame* frame = ShownFrame();
  if (!frame) return nullptr;
  return &frame->Bitmap().Palette();
}

}  // namespace huemira
