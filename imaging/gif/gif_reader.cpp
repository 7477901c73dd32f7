// Parsing a GIF file into frames: the whole file is read into memory once and
// each frame keeps its slice of compressed bytes. Every count read from the
// file is checked against the bytes that are really there.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>

#include "framework/exception.h"
#include "imaging/dib/image_limits.h"
#include "imaging/dib/text_format.h"
#include "imaging/gif/gif_image.h"

namespace huemira {

namespace {

constexpr std::uint8_t kExtensionIntroducer = 0x21;  // '!'
constexpr std::uint8_t kImageSeparator = 0x2C;       // ','
constexpr std::uint8_t kTrailer = 0x3B;              // ';'
constexpr std::uint16_t kMaxRepeatCount = 30000;
constexpr char kCommentSeparator[] = "\r\n\r\n";

bool SameLetters(const std::uint8_t* bytes, const char* text, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(text[i]);
    if (std::tolower(a) != std::tolower(b)) return false;
  }
  return true;
}

std::uint16_t Word(const std::uint8_t* bytes) { return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8)); }

}  // namespace

class TGifReader {
 public:
  TGifReader(TGIFImage& image, std::shared_ptr<const std::uint8_t[]> file, std::size_t size)
      : image_(image), file_(std::move(file)), pos_(file_.get()), end_(file_.get() + size) {}

  void Read() {
    ReadHeader();
    ReadLogicalScreen();
    std::uint8_t separator = ScanSeparator();
    while (separator != 0 && separator != kTrailer && !AtEnd()) {
      std::vector<TExtension> run;
      while (separator == kExtensionIntroducer) {
        ReadExtensionInto(run);
        separator = AtEnd() ? kTrailer : ScanSeparator();
      }
      if (separator == kImageSeparator) {
        auto frame = std::make_unique<TGIFFrame>(image_);
        const TGifColorTable& global = image_.Data().colors;
        if (global.count > 0) frame->item_->bitsPerPixel = static_cast<std::uint8_t>(GifBitsForCount(global.count));
        frame->extensions_ = std::move(run);
        ReadFrame(*frame);
        image_.frames_.push_back(std::move(frame));
        if (image_.FirstFrameOnly) return;
        separator = AtEnd() ? kTrailer : ScanSeparator();
        if (separator != kExtensionIntroducer && separator != kImageSeparator && separator != kTrailer) separator = 0;
      } else if (image_.Data().comment.empty() && !run.empty()) {
        KeepAsImageComment(run);
      } else if (separator != 0 && separator != kTrailer) {
        throw EReadError("Stream read error");
      }
    }
  }

 private:
  bool AtEnd() const { return pos_ == end_; }
  std::size_t Remaining() const { return static_cast<std::size_t>(end_ - pos_); }

  // Copies up to count bytes; the rest of out is zero.
  std::size_t Take(std::uint8_t* out, std::size_t count) {
    const std::size_t n = std::min(count, Remaining());
    std::copy_n(pos_, n, out);
    std::fill(out + n, out + count, 0);
    pos_ += n;
    return n;
  }

  // Counts memory that the image keeps for what it reads, before it is kept:
  // a small file can describe a great many frames or extension blocks.
  void Charge(std::size_t bytes) {
    kept_ += static_cast<std::int64_t>(bytes);
    if (kept_ > kMaxImageMemory) throw EInvalidGraphic("GIF image is too large");
  }

  std::uint8_t ScanSeparator() {
    while (!AtEnd()) {
      const std::uint8_t byte = *pos_++;
      if (byte != 0) return byte;
    }
    return 0;
  }

  void ReadHeader() {
    std::uint8_t header[6];
    Take(header, sizeof header);
    if (!SameLetters(header, "GIF", 3)) throw EInvalidGraphicOperation("Unknown GIF version");
    if (SameLetters(header + 3, "87a", 3)) {
      image_.Version = TGifVersion::GIF87a;
    } else if (SameLetters(header + 3, "89a", 3)) {
      image_.Version = TGifVersion::GIF89a;
    } else {
      throw EInvalidGraphicOperation("Unknown GIF version");
    }
  }

  // A short file is read as far as it goes here, without failing.
  void ReadLogicalScreen() {
    std::uint8_t screen[7];
    Take(screen, sizeof screen);
    image_.LogicalWidth = Word(screen);
    image_.LogicalHeight = Word(screen + 2);
    const std::uint8_t packed = screen[4];
    TGIFData& data = image_.Data();
    data.bitsPerPixel = static_cast<std::uint8_t>((packed & 7) + 1);
    data.colorResolution = static_cast<std::uint8_t>(((packed >> 4) & 7) + 1);
    data.aspectRatio = screen[6];
    if (packed & 0x80) {
      ReadColorTable(data.colors, data.bitsPerPixel);
      if (screen[5] < data.colors.count) image_.BackgroundColor = data.colors.ColorValue(screen[5]);
    }
  }

  // Returns false when the table is cut short.
  bool ReadColorTable(TGifColorTable& table, int bits) {
    table.Clear();
    table.count = 1u << bits;
    std::uint8_t rgb[3 * 256];
    const std::size_t size = 3 * table.count;
    const bool whole = Take(rgb, size) == size;
    for (std::uint32_t i = 0; i < table.count; ++i) table.entries[i] = {rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]};
    return whole;
  }

  void ReadSubBlocks(std::vector<std::string>& out) {
    while (!AtEnd()) {
      const std::size_t length = *pos_++;
      if (length == 0) break;
      const std::size_t n = std::min(length, Remaining());
      Charge(sizeof(std::string) + n);
      out.emplace_back(reinterpret_cast<const char*>(pos_), n);
      pos_ += n;
    }
  }

  // Reads one extension after its '!'. Plain text throws away the run so
  // far; a loop extension sets looping; the other two join the run.
  void ReadExtensionInto(std::vector<TExtension>& run) {
    if (AtEnd()) return;
    const std::uint8_t label = *pos_++;
    TExtension extension;
    switch (label) {
      case 0xF9: extension.kind = TExtensionKind::GraphicControl; break;
      case 0xFE: extension.kind = TExtensionKind::Comment; break;
      case 0x01: extension.kind = TExtensionKind::PlainText; break;
      case 0xFF: extension.kind = TExtensionKind::Application; break;
      default: throw EInvalidGraphicOperation(FormatText("Unrecognized extension block: %.2X", label));
    }
    extension.raw.resize(TExtension::RawSize(extension.kind));
    Charge(sizeof(TExtension) + extension.raw.size());
    Take(extension.raw.data(), extension.raw.size());
    if (extension.kind != TExtensionKind::GraphicControl) ReadSubBlocks(extension.data);

    switch (extension.kind) {
      case TExtensionKind::PlainText:
        run.clear();
        break;
      case TExtensionKind::Application:
        TakeLoopCount(extension);
        break;
      default:
        run.push_back(std::move(extension));
        break;
    }
  }

  void TakeLoopCount(const TExtension& extension) {
    static constexpr char kNetscape[] = "NETSCAPE2.0";
    static constexpr char kAnimExts[] = "ANIMEXTS1.0";
    constexpr std::size_t kIdSize = sizeof kNetscape - 1;
    if (extension.data.empty() || extension.raw[0] != kIdSize) return;
    const std::uint8_t* id = extension.raw.data() + 1;
    if (std::memcmp(id, kNetscape, kIdSize) != 0 && std::memcmp(id, kAnimExts, kIdSize) != 0) return;
    const std::string& first = extension.data.front();
    if (first.size() < 3 || first[0] != 1) return;
    image_.Looping = true;
    const auto count = static_cast<std::uint16_t>(static_cast<std::uint8_t>(first[1]) |
                                                  (static_cast<std::uint8_t>(first[2]) << 8));
    image_.RepeatCount = std::min(count, kMaxRepeatCount);
  }

  void ReadFrame(TGIFFrame& frame) {
    TGIFItem& item = *frame.item_;
    std::uint8_t descriptor[9];
    if (Take(descriptor, sizeof descriptor) != sizeof descriptor) throw EReadError("Stream read error");
    const std::uint8_t packed = descriptor[8];
    frame.Interlaced = packed & 0x40;
    if (packed & 0x80) {
      frame.OwnColorTable = true;
      item.bitsPerPixel = static_cast<std::uint8_t>((packed & 7) + 1);
      if (!ReadColorTable(item.colors, item.bitsPerPixel)) throw EReadError("Stream read error");
    } else {
      item.colors.Clear();
    }

    if (AtEnd()) throw EReadError("Stream read error");
    const std::uint8_t* compressedStart = pos_++;
    // The data sub-blocks lie right after the code size byte, so the frame's
    // compressed data is one contiguous run of the file.
    while (!AtEnd()) {
      const std::size_t length = *pos_;
      if (length > Remaining() - 1) {
        frame.Corrupted = true;
        break;
      }
      pos_ += 1 + length;
      if (length == 0) break;
    }
    item.compressed = TSharedBytes(file_, compressedStart, static_cast<std::size_t>(pos_ - compressedStart));
    if (frame.Corrupted) {
      pos_ = end_;
      if (!GifTolerateCorruption) throw EReadError("Stream read error");
    }

    const std::uint16_t width = Word(descriptor + 4);
    const std::uint16_t height = Word(descriptor + 6);
    frame.Left = Word(descriptor);
    frame.Top = Word(descriptor + 2);
    item.width = width != 0 ? width : image_.LogicalWidth;
    item.height = height != 0 ? height : image_.LogicalHeight;
    // A frame decodes to at most 8 bits a pixel; one that cannot be decoded is refused when it is.
    const bool decodable = ImageSizeAllowed(item.width, item.height);
    Charge(sizeof(TGIFFrame) + sizeof(TGIFItem) + (decodable ? DibStride(item.width, 8) * item.height : 0));
    item.packed = packed;
    if (!frame.OwnColorTable) item.colors = image_.Data().colors;
    ApplyGraphicControls(frame);
  }

  static void ApplyGraphicControls(TGIFFrame& frame) {
    const TGifColorTable& colors = frame.item_->colors;
    std::uint32_t delay = 0;
    for (const TExtension& extension : frame.extensions_) {
      if (extension.kind != TExtensionKind::GraphicControl) continue;
      if (!extension.HasTransparency()) {
        frame.TransparentColor = kGifNoColor;
      } else if (extension.TransparentIndex() < colors.count) {
        frame.TransparentColor = colors.ColorValue(extension.TransparentIndex());
      }
      delay = std::max(delay, 10u * extension.DelayHundredths());
      frame.DisposalMethod = static_cast<std::uint8_t>(extension.DisposalMethod());
    }
    // Ten times a 16-bit count of hundredths can pass 65535 ms; keep the longest that fits.
    frame.Delay = static_cast<std::uint16_t>(std::min<std::uint32_t>(delay, 0xFFFF));
  }

  void KeepAsImageComment(const std::vector<TExtension>& run) {
    std::vector<std::string>& comment = image_.Data().comment;
    bool first = true;
    for (const TExtension& extension : run) {
      if (extension.kind != TExtensionKind::Comment) continue;
      if (!first) comment.emplace_back(kCommentSeparator);
      comment.insert(comment.end(), extension.data.begin(), extension.data.end());
      first = false;
    }
  }

  TGIFImage& image_;
  std::shared_ptr<const std::uint8_t[]> file_;
  const std::uint8_t* pos_;
  const std::uint8_t* end_;
  std::int64_t kept_ = 0;
};

void TGIFImage::LoadFromBytes(TStream& stream, std::int64_t count, bool decodeFirstFrame) {
  Reset();
  if (count > 0) {
    // Checked first, so that a lying length costs no memory.
    if (count > stream.Remaining()) throw EReadError("Stream read error");
    const auto size = static_cast<std::size_t>(count);
    // Not cleared first: ReadBuffer fills all of it or fails.
    std::shared_ptr<std::uint8_t[]> file(new std::uint8_t[size]);
    stream.ReadBuffer(file.get(), size);
    // Frames keep slices of the file; it lives as long as they do.
    TGifReader(*this, std::move(file), size).Read();
  }

  if (!frames_.empty()) {
    currentFrame_ = 0;
    if (decodeFirstFrame) {
      try {
        frames_.front()->Bitmap();
      } catch (...) {
        frames_.erase(frames_.begin());
        currentFrame_ = -1;
        throw;
      }
    }
  }
  PaletteModified = true;
  Changed();
}

}  // namespace huemira
