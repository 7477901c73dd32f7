#include "imaging/dib/dib_graphic.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "imaging/dib/dib_platform.h"
#include "imaging/dib/image_limits.h"
#include "imaging/dib/resolution.h"
#include "imaging/dib/text_format.h"

namespace huemira {
namespace {

int ReadPixel1(const std::uint8_t* row, int x) { return (row[x >> 3] >> (7 - (x & 7))) & 1; }
int ReadPixel4(const std::uint8_t* row, int x) { return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4; }
int ReadPixel8(const std::uint8_t* row, int x) { return row[x]; }

void WritePixel1(std::uint8_t* row, int x, int index) {
  const auto mask = static_cast<std::uint8_t>(0x80 >> (x & 7));
  if (index > 0) {
    row[x >> 3] |= mask;
  } else {
    row[x >> 3] &= static_cast<std::uint8_t>(~mask);
  }
}
void WritePixel4(std::uint8_t* row, int x, int index) {
  std::uint8_t& byte = row[x >> 1];
  if (x & 1) {
    byte = static_cast<std::uint8_t>((byte & 0xF0) | (index & 0x0F));
  } else {
    byte = static_cast<std::uint8_t>((byte & 0x0F) | ((index & 0x0F) << 4));
  }
}
void WritePixel8(std::uint8_t* row, int x, int index) { row[x] = static_cast<std::uint8_t>(index); }

// Restores a flag when a scope ends, also through an exception.
class TAnimationPause {
 public:
  explicit TAnimationPause(TDibGraphic& image) : image_(image), wasAnimating_(image.Animating()) {
    image_.SetAnimating(false);
  }
  ~TAnimationPause() { image_.SetAnimating(wasAnimating_); }
  TAnimationPause(const TAnimationPause&) = delete;
  TAnimationPause& operator=(const TAnimationPause&) = delete;

 private:
  TDibGraphic& image_;
  bool wasAnimating_;
};

}  // namespace

TDibGraphic::TDibGraphic() = default;

TDibGraphic::~TDibGraphic() {
  frameTimer_.reset();
  frames_.clear();
  FreeImage();
}

std::unique_ptr<TDibGraphic> TDibGraphic::CreateNew() const { return std::make_unique<TDibGraphic>(); }

void TDibGraphic::SetWidth(int) { throw EImbravaError("Dimensions must be change with the NewImage method"); }
void TDibGraphic::SetHeight(int) { throw EImbravaError("Dimensions must be change with the NewImage method"); }

bool TDibGraphic::CanLoadStream(TStream&) { return false; }
int TDibGraphic::GetImageCount(TStream&) { return 1; }
void TDibGraphic::ReadImage(TStream&, int) {}

void TDibGraphic::AppendImage(TStream&) {
  throw EImbravaError(FormatText("The %s format does not support multiple images", ClassName()));
}

void TDibGraphic::SaveToStream(TStream&) {}

void TDibGraphic::LoadFromStream(TStream& stream) {
  TAnimationPause pause(*this);
  int count = 1;
  std::int64_t start = 0;
  if (LoadAllImages) {
    start = stream.Position();
    count = GetImageCount(stream);
    if (count == 1) {
      LoadAllImages = false;
      stream.SetPosition(start);
    }
  }
  if (!LoadAllImages) {
    ReadImage(stream, LoadIndex);
    return;
  }
  frames_.clear();
  frameIndex_ = -1;
  for (int i = 1; i <= count; ++i) {
    auto frame = CreateNew();
    stream.SetPosition(start);
    frame->ReadImage(stream, i);
    frames_.push_back(std::move(frame));
  }
  SetFrameIndex(1);
}

void TDibGraphic::NewImage(std::int32_t width, std::int32_t height, TDibFormat format, const TLogPalette* palette,
                           std::uint16_t xdpi, std::uint16_t ydpi) {
  FreeImage();
  const int bitCount = BitsPerPixel(format);
  if (!ImageSizeAllowed(width, height)) {
    throw EInvalidGraphic(FormatText("Image size %d x %d is out of range", width, height));
  }
  const bool hasPalette = HasPalette(format);
  if (hasPalette && !palette) palette = &DefaultPalette(format);

  const std::int64_t stride = DibStride(width, bitCount);
  const auto imageSize = static_cast<std::size_t>(stride * height);
  std::unique_ptr<std::uint8_t[]> bits;
  try {
    bits.reset(new std::uint8_t[imageSize]);  // uninitialised: every reader writes every row
  } catch (const std::bad_alloc&) {
    throw EOutOfResources("Out of resources");
  }

  TBitmapInfo info{};
  info.header.size = sizeof(TBitmapInfoHeader);
  info.header.width = width;
  info.header.height = height;
  info.header.planes = 1;
  info.header.bitCount = static_cast<std::uint16_t>(bitCount);
  info.header.sizeImage = static_cast<std::uint32_t>(imageSize);
  info.header.xPelsPerMeter = DpiToPelsPerMeter(static_cast<std::uint16_t>(xdpi > 0 ? xdpi : ScreenDpiX()));
  info.header.yPelsPerMeter = DpiToPelsPerMeter(static_cast<std::uint16_t>(ydpi > 0 ? ydpi : ScreenDpiY()));

  TLogPalette ownPalette;
  if (hasPalette) {
    // A palette longer than the format can index would only mislead the
    // drawing functions, which size the colour table from it.
    const int count = std::min<int>({palette->count, 1 << bitCount, static_cast<int>(ownPalette.entries.size())});
    ownPalette.count = static_cast<std::uint16_t>(count);
    std::copy_n(palette->entries.begin(), count, ownPalette.entries.begin());
    info.header.clrUsed = static_cast<std::uint32_t>(count);
    for (int i = 0; i < count; ++i) {
      const TPaletteEntry& entry = ownPalette.entries[i];
      info.colors[i] = {entry.blue, entry.green, entry.red, 0};
    }
  }

  switch (bitCount) {
    case 1: readPixel_ = ReadPixel1; writePixel_ = WritePixel1; break;
    case 4: readPixel_ = ReadPixel4; writePixel_ = WritePixel4; break;
    case 8: readPixel_ = ReadPixel8; writePixel_ = WritePixel8; break;
    default: readPixel_ = nullptr; writePixel_ = nullptr; break;
  }
  format_ = format;
  info_ = info;
  palette_ = ownPalette;
  stride_ = static_cast<int>(stride);
  bits_ = std::move(bits);
  if (hasPalette) converter_ = std::make_unique<TRgbToPaletteConverter>(palette_);
}

void TDibGraphic::FreeImage() {
  converter_.reset();
#ifdef _WIN32
  paletteHandle_.reset();
#endif
  bits_.reset();
  info_ = {};
  palette_ = {};
  stride_ = 0;
  readPixel_ = nullptr;
  writePixel_ = nullptr;
}

std::uint32_t TDibGraphic::GetRgbPixel(int x, int y) const {
  const std::uint8_t* row = GetScanLine(y);
  if (format_ == TDibFormat::ifColorRgb24) {
    const std::uint8_t* pixel = row + 3 * x;
    return MakeRgb(pixel[2], pixel[1], pixel[0]);
  }
  const TPaletteEntry& entry = palette_.entries[readPixel_(row, x)];
  return MakeRgb(entry.red, entry.green, entry.blue);
}

void TDibGraphic::SetRgbPixel(int x, int y, std::uint32_t rgb) {
  if (format_ == TDibFormat::ifColorRgb24) {
    std::uint8_t* pixel = GetScanLine(y) + 3 * x;
    const TColor color = ColorFromRgb(rgb);
    pixel[0] = BlueOf(color);
    pixel[1] = GreenOf(color);
    pixel[2] = RedOf(color);
    return;
  }
  SetPixelIndex(x, y, converter_->NearestIndex(rgb));
}

int TDibGraphic::GetPixelIndex(int x, int y) const {
  if (format_ == TDibFormat::ifColorRgb24) throw EImbravaError("The image does not have a palette");
  return readPixel_(GetScanLine(y), x);
}

void TDibGraphic::SetPixelIndex(int x, int y, int index) {
  if (format_ == TDibFormat::ifColorRgb24) throw EImbravaError("The image does not have a palette");
  writePixel_(GetScanLine(y), x, index & 0xFF);
}

void TDibGraphic::FillWithColor(std::uint32_t rgb) {
  if (Empty()) return;
  for (int x = 0; x < Width(); ++x) SetRgbPixel(x, 0, rgb);
  const std::uint8_t* top = GetScanLine(0);
  for (int y = 1; y < Height(); ++y) std::memcpy(GetScanLine(y), top, stride_);
}

std::uint16_t TDibGraphic::XDpi() const { return HeaderDpi(info_.header.xPelsPerMeter); }
std::uint16_t TDibGraphic::YDpi() const { return HeaderDpi(info_.header.yPelsPerMeter); }
void TDibGraphic::SetXDpi(std::uint16_t dpi) { info_.header.xPelsPerMeter = DpiToPelsPerMeter(dpi); }
void TDibGraphic::SetYDpi(std::uint16_t dpi) { info_.header.yPelsPerMeter = DpiToPelsPerMeter(dpi); }

void TDibGraphic::Assign(const TDibGraphic* source) {
  if (source == this) return;
  FreeImage();
  if (!source || source->Empty() || source->Width() <= 0 || source->Height() <= 0) return;
  NewImage(source->Width(), source->Height(), source->format_, &source->palette_, source->XDpi(), source->YDpi());
  // NewImage takes 0 as the screen's resolution; the copy keeps the source's own.
  SetXDpi(source->XDpi());
  SetYDpi(source->YDpi());
  FrameDelayMs = source->FrameDelayMs;
  std::memcpy(bits_.get(), source->bits_.get(), ImageSize());
}

void TDibGraphic::Assign(const TGraphic& source) {
  if (const auto* dib = dynamic_cast<const TDibGraphic*>(&source)) {
    Assign(dib);
  } else {
    source.AssignToBitmap24(*this);
  }
}

namespace {
void ConvertRowTo24(const TDibGraphic& image, int y, std::uint8_t* bgr,
                    int (*readPixel)(const std::uint8_t*, int)) {
  const std::uint8_t* row = image.GetScanLine(y);
  if (image.DibFormat() == TDibFormat::ifColorRgb24) {
    std::memcpy(bgr, row, static_cast<std::size_t>(image.Width()) * 3);
    return;
  }
  const auto& entries = image.Palette().entries;
  for (int x = 0; x < image.Width(); ++x, bgr += 3) {
    const TPaletteEntry& entry = entries[readPixel(row, x)];
    bgr[0] = entry.blue;
    bgr[1] = entry.green;
    bgr[2] = entry.red;
  }
}
}  // namespace

void TDibGraphic::AssignToBitmap24(TDibGraphic& dest) const {
  if (&dest == this) {
    if (format_ == TDibFormat::ifColorRgb24) return;
    TDibGraphic bitmap;
    AssignToBitmap24(bitmap);
    dest.Assign(&bitmap);
    return;
  }
  if (Empty()) {
    dest.FreeImage();
    return;
  }
  dest.NewImage(Width(), Height(), TDibFormat::ifColorRgb24, nullptr, XDpi(), YDpi());
  for (int y = 0; y < Height(); ++y) ConvertRowTo24(*this, y, dest.GetScanLine(y), readPixel_);
}

void TDibGraphic::ForEachRow24BottomUp(const TRow24Sink& sink) const {
  if (Empty()) return;
  if (format_ == TDibFormat::ifColorRgb24) {
    for (int y = Height() - 1; y >= 0; --y) sink(y, GetScanLine(y));
    return;
  }
  std::vector<std::uint8_t> row(static_cast<std::size_t>(Width()) * 3);
  for (int y = Height() - 1; y >= 0; --y) {
    ConvertRowTo24(*this, y, row.data(), readPixel_);
    sink(y, row.data());
  }
}

void TDibGraphic::SetFrameIndex(int index) {
  if (index == frameIndex_) return;
  if (index < 1 || index > static_cast<int>(frames_.size())) {
    throw EImbravaError(FormatText("Frame %d does not exist", index));
  }
  Assign(frames_[static_cast<std::size_t>(index) - 1].get());
  Changed();
  ProcessPendingMessages();
  frameIndex_ = index;
}

void TDibGraphic::SetAnimating(bool animating) {
  animating_ = animating;
  if (animating && !frames_.empty()) {
    if (!frameTimer_) frameTimer_ = CreateFrameTimer([this] { ShowNextFrame(); });
    frameTimer_->Enable(FrameDelayMs);
  } else if (frameTimer_) {
    frameTimer_->Disable();
  }
}

void TDibGraphic::ShowNextFrame() {
  if (frames_.empty() || !frameTimer_) return;
  frameTimer_->Disable();
  struct Reenable {
    TDibGraphic& image;
    ~Reenable() { image.frameTimer_->Enable(image.FrameDelayMs); }
  } reenable{*this};
  SetFrameIndex(frameIndex_ == static_cast<int>(frames_.size()) ? 1 : frameIndex_ + 1);
}

std::uint32_t TDibGraphic::GetTransparentRgb() const {
  if (TransparentPixel < tpTopLeft || TransparentPixel > tpExplicitRgb) throw Exception("Invalid TransparentPixel");
  // An empty image has no pixel to ask; the explicit colour is the only answer.
  if (TransparentPixel == tpExplicitRgb || Empty()) return TransparentRgb;
  const int right = Width() - 1, bottom = Height() - 1;
  switch (TransparentPixel) {
    case tpTopLeft: return GetRgbPixel(0, 0);
    case tpTopRight: return GetRgbPixel(right, 0);
    case tpBottomLeft: return GetRgbPixel(0, bottom);
    default: return GetRgbPixel(right, bottom);
  }
}

void TDibGraphic::Changed() {
  if (OnChange) OnChange(*this);
}

int PercentStep(TDibGraphic& sender, std::int64_t current, std::int64_t min, int lastPercent, std::int64_t max,
                const TPercentDone& callback) {
  if (!callback) return 0;
  // In long double, (current - min) x 100 cannot overflow for any 64-bit
  // inputs, and counts as large as a picture's rows stay exact.
  const long double span = static_cast<long double>(max) - static_cast<long double>(min);
  int percent = 0;
  if (span > 0) {
    const long double scaled = (static_cast<long double>(current) - static_cast<long double>(min)) * 100 / span;
    percent = static_cast<int>(std::clamp<long double>(scaled, 0, 100));
  }
  if (percent != lastPercent) callback(sender, percent);
  return percent;
}

}  // namespace huemira
