// Writing a TGIFImage as a GIF file. Frames that were read keep their
// compressed bytes as they were; frames made from bitmaps are encoded here.
#include <algorithm>
#include <cstring>

#include "framework/exception.h"
#include "imaging/gif/gif_color_reduction.h"
#include "imaging/gif/gif_image.h"
#include "imaging/gif/gif_lzw.h"

namespace huemira {

namespace {

constexpr std::uint32_t kMaxScreenSide = 0xFFFF;

std::uint16_t ScreenCoordinate(std::int64_t value) {
  return static_cast<std::uint16_t>(std::clamp<std::int64_t>(value, 0, kMaxScreenSide));
}

// True when the data sub-blocks after the code size byte end with a zero block.
bool HasTerminator(const TSharedBytes& compressed) {
  std::size_t i = 1;
  while (i < compressed.size()) {
    if (compressed[i] == 0) return i + 1 == compressed.size();
    i += 1 + compressed[i];
  }
  return false;
}

bool HasText(const TExtension& extension) {
  return std::any_of(extension.data.begin(), extension.data.end(), [](const std::string& s) { return !s.empty(); });
}

class GifOutput {
 public:
  explicit GifOutput(TStream& stream) : stream_(stream) {}

  void Bytes(const void* data, std::size_t count) { stream_.WriteBuffer(data, count); }
  void Byte(std::uint8_t value) { Bytes(&value, 1); }
  void Word(std::uint16_t value) {
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
    Bytes(bytes, 2);
  }
  // 2^bits entries: a table shorter than that is padded with black.
  void ColorTable(const TGifColorTable& table, int bits) {
    std::uint8_t rgb[3 * 256] = {};
    for (std::uint32_t i = 0; i < table.count && i < 256; ++i) {
      rgb[3 * i] = table.entries[i].red;
      rgb[3 * i + 1] = table.entries[i].green;
      rgb[3 * i + 2] = table.entries[i].blue;
    }
    Bytes(rgb, 3u << bits);
  }
  // One sub-block per string, cut to 255 bytes; empty strings are skipped.
  void TextBlocks(const std::vector<std::string>& strings) {
    for (const std::string& text : strings) {
      if (text.empty()) continue;
      const std::size_t length = std::min<std::size_t>(text.size(), 255);
      Byte(static_cast<std::uint8_t>(length));
      Bytes(text.data(), length);
    }
    Byte(0);
  }

 private:
  TStream& stream_;
};

}  // namespace

class TGifWriter {
 public:
  explicit TGifWriter(TGIFImage& image) : image_(image) {}

  void Write(TStream& stream) {
    if (image_.frames_.empty()) throw EInvalidGraphicOperation("No GIF Data to write");
    for (auto& frame : image_.frames_) Prepare(*frame);
    bool extended = !image_.Data().comment.empty();
    for (auto& frame : image_.frames_) {
      UpdateExtensions(*frame);
      if (!frame->extensions_.empty()) extended = true;
    }
    if (extended) image_.Version = TGifVersion::GIF89a;
    if (image_.Version == TGifVersion::None) image_.Version = TGifVersion::GIF87a;

    GifOutput out(stream);
    out.Bytes(image_.Version == TGifVersion::GIF89a ? "GIF89a" : "GIF87a", 6);
    WriteLogicalScreen(out);
    if (image_.Looping && image_.frames_.size() > 1) WriteLoopExtension(out);
    for (const auto& frame : image_.frames_) WriteFrame(out, *frame);
    if (!image_.Data().comment.empty()) {
      out.Byte(0x21);
      out.Byte(0xFE);
      out.TextBlocks(image_.Data().comment);
    }
    out.Byte(0x3B);
  }

 private:
  // Encodes a frame that has a bitmap but no compressed data.
  void Prepare(TGIFFrame& frame) {
    if (frame.HasCompressedData()) return;
    if (!frame.HasBitmap()) throw EInvalidGraphicOperation("No GIF Data to write");
    const TDibGraphic* source = frame.bitmap_.get();
    TDibGraphic reduced;
    if (source->DibFormat() == TDibFormat::ifColorRgb24) {
      ReduceToIndexed(*source, frame.Grayscale, reduced);
      source = &reduced;
    }
    const int bits = BitsPerPixel(source->DibFormat());
    if (bits != 1 && bits != 4 && bits != 8) throw EInvalidGraphicOperation("GIF image encoding error");

    auto item = std::make_shared<TGIFItem>();
    const TLogPalette& palette = source->Palette();
    item->colors.count = std::min<std::uint32_t>(palette.count, 256);
    for (std::uint32_t i = 0; i < item->colors.count; ++i) {
      item->colors.entries[i] = {palette.entries[i].red, palette.entries[i].green, palette.entries[i].blue};
    }
    item->bitsPerPixel = static_cast<std::uint8_t>(GifBitsToHold(item->colors.count));
    item->width = source->Width();
    item->height = source->Height();

    TGIFData& global = image_.Data();
    if (global.colors.count == 0) {
      global.colors = item->colors;
      global.bitsPerPixel = item->bitsPerPixel;
      global.colorResolution = item->bitsPerPixel;
      frame.OwnColorTable = false;
    } else {
      frame.OwnColorTable = true;
    }

    std::vector<std::uint8_t> row(static_cast<std::size_t>(item->width));
    const auto unpackRow = [&](int y) -> const std::uint8_t* {
      const std::uint8_t* in = source->GetScanLine(y);
      for (int x = 0; x < item->width; ++x) {
        switch (bits) {
          case 1: row[x] = (in[x >> 3] >> (7 - (x & 7))) & 1; break;
          case 4: row[x] = (x & 1) ? in[x >> 1] & 15 : in[x >> 1] >> 4; break;
          default: row[x] = in[x]; break;
        }
      }
      return row.data();
    };
    int lastPercent = -1;
    const auto progress = [&](int y) {
      const int percent = static_cast<int>((y + 1) * std::int64_t{100} / item->height);
      if (percent == lastPercent) return;
      lastPercent = percent;
      image_.Progress(TProgressStage::Running, percent);
    };
    image_.Progress(TProgressStage::Starting, 0);
    item->compressed = TSharedBytes(EncodeGifLzw(item->width, item->height, bits, unpackRow, progress));
    image_.Progress(TProgressStage::Ending, 100);

    frame.Interlaced = false;
    item->packed = 0;
    frame.item_ = std::move(item);
    image_.LogicalWidth = ScreenCoordinate(std::max<std::int64_t>(image_.LogicalWidth, std::int64_t{frame.Left} + frame.Width()));
    image_.LogicalHeight = ScreenCoordinate(std::max<std::int64_t>(image_.LogicalHeight, std::int64_t{frame.Top} + frame.Height()));
  }

  static void UpdateExtensions(TGIFFrame& frame) {
    auto& extensions = frame.extensions_;
    const auto isControl = [](const TExtension& e) { return e.kind == TExtensionKind::GraphicControl; };
    const bool wanted = frame.Delay != 0 || frame.TransparentColor != kGifNoColor || frame.DisposalMethod != 0;
    if (wanted && std::none_of(extensions.begin(), extensions.end(), isControl)) {
      extensions.push_back(TExtension::NewGraphicControl());
    }
    const int transparentIndex =
        frame.TransparentColor == kGifNoColor ? -1 : frame.item_->colors.IndexOf(frame.TransparentColor);
    for (TExtension& extension : extensions) {
      if (!isControl(extension)) continue;
      extension.raw.resize(TExtension::RawSize(extension.kind));
      const std::uint16_t delay = frame.Delay / 10;
      extension.raw[2] = static_cast<std::uint8_t>(delay);
      extension.raw[3] = static_cast<std::uint8_t>(delay >> 8);
      std::uint8_t packed = extension.raw[1] & ~0x1D;
      packed |= static_cast<std::uint8_t>((frame.DisposalMethod & 7) << 2);
      if (transparentIndex >= 0) {
        packed |= 1;
        extension.raw[4] = static_cast<std::uint8_t>(transparentIndex);
      }
      extension.raw[1] = packed;
    }
    extensions.erase(std::remove_if(extensions.begin(), extensions.end(),
                                    [](const TExtension& e) { return e.kind == TExtensionKind::Comment && !HasText(e); }),
                     extensions.end());
  }

  void WriteLogicalScreen(GifOutput& out) {
    std::int64_t width = 0;
    std::int64_t height = 0;
    for (const auto& frame : image_.frames_) {
      width = std::max(width, std::int64_t{frame->Left} + frame->Width());
      height = std::max(height, std::int64_t{frame->Top} + frame->Height());
    }
    image_.LogicalWidth = ScreenCoordinate(width);
    image_.LogicalHeight = ScreenCoordinate(height);
    out.Word(image_.LogicalWidth);
    out.Word(image_.LogicalHeight);

    const TGIFData& data = image_.Data();
    if (data.colors.count == 0) {
      const std::uint8_t rest[3] = {0, 0, data.aspectRatio};
      out.Bytes(rest, sizeof rest);
      return;
    }
    const int bits = GifBitsToHold(data.colors.count);
    const int background = std::max(0, data.colors.IndexOf(image_.BackgroundColor));
    const std::uint8_t rest[3] = {static_cast<std::uint8_t>(0x80 | (bits - 1) << 4 | (bits - 1)),
                                  static_cast<std::uint8_t>(background), data.aspectRatio};
    out.Bytes(rest, sizeof rest);
    out.ColorTable(data.colors, bits);
  }

  void WriteLoopExtension(GifOutput& out) {
    static constexpr std::uint8_t kHeader[] = {0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1};
    out.Bytes(kHeader, sizeof kHeader);
    out.Word(image_.RepeatCount);
    out.Byte(0);
  }

  static void WriteFrame(GifOutput& out, const TGIFFrame& frame) {
    for (const TExtension& extension : frame.extensions_) {
      out.Byte(0x21);
      out.Byte(TExtension::Label(extension.kind));
      std::vector<std::uint8_t> raw = extension.raw;
      raw.resize(TExtension::RawSize(extension.kind));
      out.Bytes(raw.data(), raw.size());
      if (extension.kind != TExtensionKind::GraphicControl) out.TextBlocks(extension.data);
    }

    const TGIFItem& item = *frame.item_;
    out.Byte(0x2C);
    out.Word(ScreenCoordinate(frame.Left));
    out.Word(ScreenCoordinate(frame.Top));
    out.Word(ScreenCoordinate(item.width));
    out.Word(ScreenCoordinate(item.height));
    const int bits = GifBitsToHold(item.colors.count);
    std::uint8_t packed = frame.Interlaced ? 0x40 : 0;
    if (frame.OwnColorTable) packed |= static_cast<std::uint8_t>(0x80 | (bits - 1));
    out.Byte(packed);
    if (frame.OwnColorTable) out.ColorTable(item.colors, bits);
    out.Bytes(item.compressed.data(), item.compressed.size());
    // A frame whose data was cut short still needs its end, or the next
    // block would be read as pixels.
    if (!HasTerminator(item.compressed)) out.Byte(0);
  }

  TGIFImage& image_;
};

void TGIFImage::SaveToStream(TStream& stream) { TGifWriter(*this).Write(stream); }

}  // namespace huemira
