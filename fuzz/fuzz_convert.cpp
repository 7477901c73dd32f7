// libFuzzer harness: the conversion's reading path as the program takes it,
// by extension, for every registered reader. The first byte picks the
// extension, the second the size mode, the rest is the file.
//
// Pictures that the size cap admits but that are large only run the same code
// slower, so they are left out of most runs, as in the other harnesses. One
// input in kNearLimitShare instead has the declared size in its header (for
// the formats whose size lies at a fixed place) set to 11585 x 11585, the
// largest square the cap admits: near-limit sizes then run under the
// sanitizers too, from whatever data follows.
#include <zlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "framework/exception.h"
#include "framework/stream.h"
#include "imaging/dib/bmp_conversion.h"
#include "imaging/dib/bmp_writer.h"
#include "imaging/dib/image_limits.h"
#include "imaging/dib/little_endian.h"
#include "imaging/dib/picture_formats.h"
#include "imaging/register_formats.h"

namespace {

using namespace huemira;
using Bytes = std::vector<std::uint8_t>;

constexpr int kNearLimitShare = 64;
constexpr std::int64_t kLargeSide = 11585;
constexpr std::int64_t kMaxPlainPixels = 1 << 20;

struct Size {
  std::int64_t width, height;
};

std::uint32_t GetBe32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}
void PutBe32(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v >> 24);
  p[1] = static_cast<std::uint8_t>(v >> 16);
  p[2] = static_cast<std::uint8_t>(v >> 8);
  p[3] = static_cast<std::uint8_t>(v);
}

// The offset of a JPEG frame header's marker (SOF0 to SOF2), if any.
std::optional<std::size_t> JpegFrameAt(const Bytes& file) {
  for (std::size_t i = 0; i + 9 <= file.size(); ++i) {
    if (file[i] == 0xFF && file[i + 1] >= 0xC0 && file[i + 1] <= 0xC2) return i;
  }
  return std::nullopt;
}

// The declared size, set to `patch` first when there is one; none for a
// format whose size is not at a fixed place.
std::optional<Size> DeclaredSize(const std::string& extension, Bytes& file, std::optional<Size> patch) {
  if (extension == "bmp" && file.size() >= 26) {
    const bool core = GetLe32(&file[14]) == 12;
    if (patch && core) {
      PutLe16(&file[18], static_cast<std::uint32_t>(patch->width));
      PutLe16(&file[20], static_cast<std::uint32_t>(patch->height));
    } else if (patch) {
      PutLe32(&file[18], static_cast<std::uint32_t>(patch->width));
      PutLe32(&file[22], static_cast<std::uint32_t>(patch->height));
    }
    return core ? Size{GetLe16(&file[18]), GetLe16(&file[20])}
                : Size{static_cast<std::int32_t>(GetLe32(&file[18])),
                       std::llabs(static_cast<std::int32_t>(GetLe32(&file[22])))};
  }
  if ((extension == "pcx" || extension == "pcc") && file.size() >= 12) {
    if (patch) {
      PutLe32(&file[4], 0);
      PutLe16(&file[8], static_cast<std::uint32_t>(patch->width - 1));
      PutLe16(&file[10], static_cast<std::uint32_t>(patch->height - 1));
    }
    return Size{GetLe16(&file[8]) - GetLe16(&file[4]) + 1, GetLe16(&file[10]) - GetLe16(&file[6]) + 1};
  }
  if ((extension == "tga" || extension == "vst" || extension == "afi") && file.size() >= 16) {
    if (patch) {
      PutLe16(&file[12], static_cast<std::uint32_t>(patch->width));
      PutLe16(&file[14], static_cast<std::uint32_t>(patch->height));
    }
    return Size{GetLe16(&file[12]), GetLe16(&file[14])};
  }
  if (extension == "png" && file.size() >= 33) {
    if (patch) {
      // The header chunk's checksum follows its new size, or libpng stops there.
      PutBe32(&file[16], static_cast<std::uint32_t>(patch->width));
      PutBe32(&file[20], static_cast<std::uint32_t>(patch->height));
      PutBe32(&file[29], static_cast<std::uint32_t>(crc32(0, &file[12], 17)));
    }
    return Size{GetBe32(&file[16]), GetBe32(&file[20])};
  }
  if (extension == "jpg" || extension == "jpeg") {
    const std::optional<std::size_t> at = JpegFrameAt(file);
    if (!at) return std::nullopt;
    std::uint8_t* fields = &file[*at + 5];
    if (patch) {
      fields[0] = static_cast<std::uint8_t>(patch->height >> 8);
      fields[1] = static_cast<std::uint8_t>(patch->height);
      fields[2] = static_cast<std::uint8_t>(patch->width >> 8);
      fields[3] = static_cast<std::uint8_t>(patch->width);
    }
    return Size{fields[2] << 8 | fields[3], fields[0] << 8 | fields[1]};
  }
  return std::nullopt;
}

// The conversion's output, counted and dropped: a near-limit bitmap file
// would be 400 MB.
class TDiscardingStream : public TStream {
 public:
  std::size_t Read(void*, std::size_t) override { return 0; }
  std::size_t Write(const void*, std::size_t count) override {
    position_ += static_cast<std::int64_t>(count);
    size_ = std::max(size_, position_);
    return count;
  }
  std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override {
    const std::int64_t base = origin == SeekOrigin::Begin ? 0 : origin == SeekOrigin::Current ? position_ : size_;
    position_ = std::max<std::int64_t>(0, base + offset);
    return position_;
  }
  std::int64_t Size() override { return size_; }

 private:
  std::int64_t position_ = 0;
  std::int64_t size_ = 0;
};

const std::vector<std::string>& Extensions() {
  static const std::vector<std::string> extensions = [] {
    RegisterImagingFormats();
    std::set<std::string> unique;
    for (const TGraphicFormat& format : GraphicFormats()) unique.insert(format.extension);
    return std::vector<std::string>(unique.begin(), unique.end());
  }();
  return extensions;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::vector<std::string>& extensions = Extensions();
  const std::string& extension = extensions[data[0] % extensions.size()];
  const bool nearLimit = data[1] % kNearLimitShare == 0;
  Bytes file(data + 2, data + size);
  const std::optional<Size> declared =
      DeclaredSize(extension, file, nearLimit ? std::optional<Size>(Size{kLargeSide, kLargeSide}) : std::nullopt);
  // The cap's check first: it keeps the product from overflowing.
  if (!nearLimit && declared && ImageSizeAllowed(declared->width, declared->height) &&
      declared->width * declared->height > kMaxPlainPixels) {
    return 0;
  }
  try {
    std::unique_ptr<TGraphic> picture = CreateReaderForExtension(extension);
    TBorrowedMemoryStream input(file.data(), file.size());
    LoadPicture(*picture, input);
    TDiscardingStream output;
    SaveToBmp(*picture, output);
  } catch (const Exception&) {
  }
  return 0;
}
