#include "imaging/libreaders/tiff_pixel_routes.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "imaging/dib/image_limits.h"
#include "imaging/libreaders/tiff_error.h"

namespace huemira {

namespace {

// RGBA pixels converted per band: as many whole strips or tiles as fit, so
// that no strip is decoded twice; a taller strip is taken in parts.
constexpr std::uint64_t kRgbaBandBytes = 16 * 1024 * 1024;
// A decoded row we hold besides the image: at most a true-colour row of the
// widest image the size rule admits.
constexpr std::uint64_t kMaxRowBufferBytes = 3 * static_cast<std::uint64_t>(kMaxImagePixels);

void ReadScanline(const TiffFile& file, void* buffer, int y) {
  if (TIFFReadScanline(file.get(), buffer, static_cast<std::uint32_t>(y), 0) < 0) {
    throw TiffError(file.LastError("TIFFReadScanline"));
  }
}

// Guards every route that writes a decoded row somewhere of a fixed size.
void RequireScanlineSize(const TiffFile& file, bool fits) {
  if (!fits) throw TiffError(file.LastError("Scan line size does not match the image"));
}

// Whole strips are decoded straight into the image rows they cover. One
// call per strip is what lets libtiff inflate Deflate data in a single
// libdeflate call and read an uncompressed strip without copying it. The
// image is bottom-up, so a strip arrives upside down and packed at the start
// of its rows' block; pairs of rows are then exchanged end for end (putRows
// also puts each pixel in the image's order) and, when image rows are padded,
// spread out to their place from the last one down. The route needs no
// buffer of its own.
template <class PutRows>
void StripRows(const TiffFile& file, const TiffFields& fields, TDibGraphic& image, const TiffRowsDone& rowsDone,
               PutRows putRows) {
  TIFF* tif = file.get();
  const int height = image.Height();
  const std::size_t rowBytes = fields.scanlineSize;
  const std::size_t stride = image.Stride();
  std::uint32_t rowsPerStrip = 0;
  TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
  const int stripRows = static_cast<int>(std::clamp<std::uint32_t>(rowsPerStrip, 1, fields.height));
  for (int top = 0; top < height; top += stripRows) {
    const int rows = std::min(stripRows, height - top);
    std::uint8_t* block = image.GetScanLine(top + rows - 1);
    const auto bytes = static_cast<tmsize_t>(rowBytes * rows);
    if (TIFFReadEncodedStrip(tif, TIFFComputeStrip(tif, static_cast<std::uint32_t>(top), 0), block, bytes) != bytes) {
      throw TiffError(file.LastError("TIFFReadEncodedStrip"));
    }
    for (int low = 0, high = rows - 1; low <= high; ++low, --high) {
      putRows(block + low * rowBytes, block + high * rowBytes, rowBytes);
    }
    if (stride != rowBytes) {
      for (int slot = rows - 1; slot > 0; --slot) std::memmove(block + slot * stride, block + slot * rowBytes, rowBytes);
    }
    for (int row = top; row < top + rows; ++row) rowsDone(row + 1);
  }
}

// Rows whose bytes are the image's (1-, 4- and 8-bit pages): only their order changes.
void CopyRows(const TiffFile& file, const TiffFields& fields, TDibGraphic& image, const TiffRowsDone& rowsDone) {
  RequireScanlineSize(file, fields.scanlineSize <= static_cast<std::uint64_t>(image.Stride()));
  StripRows(file, fields, image, rowsDone, [](std::uint8_t* a, std::uint8_t* b, std::size_t bytes) {
    std::swap_ranges(a, a + bytes, b);
  });
}

// Red, green, blue rows, turned into blue, green, red as they are exchanged.
void RgbRows(const TiffFile& file, const TiffFields& fields, TDibGraphic& image, const TiffRowsDone& rowsDone) {
  RequireScanlineSize(file, fields.scanlineSize == std::uint64_t{3} * image.Width());
  StripRows(file, fields, image, rowsDone, [](std::uint8_t* a, std::uint8_t* b, std::size_t bytes) {
    for (std::uint8_t* end = a + bytes; a != end; a += 3, b += 3) {
      const std::uint8_t red = a[0], green = a[1], blue = a[2];
      a[0] = b[2];
      a[1] = b[1];
      a[2] = b[0];
      b[0] = blue;
      b[1] = green;
      b[2] = red;
    }
  });
}

// 16-bit samples arrive in the machine's byte order; their high byte is kept.
void FirstSampleRows(const TiffFile& file, const TiffFields& fields, TDibGraphic& image,
                     const TiffRowsDone& rowsDone) {
  const int width = image.Width();
  const std::uint64_t pixelBytes = std::uint64_t{fields.samplesPerPixel} * (fields.bitsPerSample / 8);
  RequireScanlineSize(file, fields.scanlineSize >= pixelBytes * width && fields.scanlineSize <= kMaxRowBufferBytes);
  std::vector<std::uint8_t> buffer(fields.scanlineSize);
  for (int y = 0; y < image.Height(); ++y) {
    ReadScanline(file, buffer.data(), y);
    std::uint8_t* row = image.GetScanLine(y);
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* pixel = buffer.data() + x * pixelBytes;
      if (fields.bitsPerSample == 16) {
        std::uint16_t sample;
        std::copy_n(pixel, sizeof sample, reinterpret_cast<std::uint8_t*>(&sample));
        row[x] = static_cast<std::uint8_t>(sample >> 8);
      } else {
        row[x] = pixel[0];
      }
    }
    rowsDone(y + 1);
  }
}

// As libtiff converts 8-bit CMYK: each colour is (255 - ink) x (255 - black) / 255,
// from the high bytes of the 16-bit samples.
void CmykRows(const TiffFile& file, const TiffFields& fields, TDibGraphic& image, const TiffRowsDone& rowsDone) {
  const int width = image.Width();
  const std::uint64_t pixelSamples = fields.samplesPerPixel;
  RequireScanlineSize(file, fields.scanlineSize >= pixelSamples * 2 * width && fields.scanlineSize <= kMaxRowBufferBytes);
  std::vector<std::uint16_t> buffer((fields.scanlineSize + 1) / 2);
  for (int y = 0; y < image.Height(); ++y) {
    ReadScanline(file, buffer.data(), y);
    std::uint8_t* row = image.GetScanLine(y);
    for (int x = 0; x < width; ++x) {
      const std::uint16_t* ink = buffer.data() + x * pixelSamples;
      const unsigned white = 255 - (ink[3] >> 8);
      row[3 * x] = static_cast<std::uint8_t>(white * (255 - (ink[2] >> 8)) / 255);
      row[3 * x + 1] = static_cast<std::uint8_t>(white * (255 - (ink[1] >> 8)) / 255);
      row[3 * x + 2] = static_cast<std::uint8_t>(white * (255 - (ink[0] >> 8)) / 255);
    }
    rowsDone(y + 1);
  }
}

struct RgbaImageEnd {
  void operator()(TIFFRGBAImage* rgba) const { TIFFRGBAImageEnd(rgba); }
};

int RgbaBandRows(const TiffFile& file, const TiffFields& fields) {
  std::uint32_t unitRows = 0;
  if (fields.tiled) {
    TIFFGetField(file.get(), TIFFTAG_TILELENGTH, &unitRows);
  } else {
    TIFFGetFieldDefaulted(file.get(), TIFFTAG_ROWSPERSTRIP, &unitRows);
  }
  const std::uint64_t unit = std::clamp<std::uint64_t>(unitRows, 1, fields.height);
  const std::uint64_t bandRows = std::max<std::uint64_t>(1, kRgbaBandBytes / (std::uint64_t{4} * fields.width));
  if (unit > bandRows) return static_cast<int>(bandRows);
  return static_cast<int>(std::min<std::uint64_t>(unit * (bandRows / unit), fields.height));
}

void RgbaRows(const TiffFile& file, const TiffFields& fields, TDibGraphic& image, const TiffRowsDone& rowsDone) {
  char message[1024] = {};
  TIFFRGBAImage rgba{};
  if (!TIFFRGBAImageOK(file.get(), message) || !TIFFRGBAImageBegin(&rgba, file.get(), 0, message)) {
    throw TiffError(message);
  }
  const std::unique_ptr<TIFFRGBAImage, RgbaImageEnd> end(&rgba);
  rgba.req_orientation = ORIENTATION_TOPLEFT;

  const int width = image.Width(), height = image.Height();
  const int bandRows = RgbaBandRows(file, fields);
  std::vector<std::uint32_t> band(static_cast<std::size_t>(width) * bandRows);
  const bool trueColor = image.DibFormat() == TDibFormat::ifColorRgb24;
  // Gray and palette pages come back in few distinct colours; each one's
  // nearest palette entry is searched once, however the colours alternate.
  std::unordered_map<std::uint32_t, int> indexOfColor;
  for (int top = 0; top < height; top += bandRows) {
    const int rows = std::min(bandRows, height - top);
    rgba.row_offset = top;
    rgba.col_offset = 0;
    if (!TIFFRGBAImageGet(&rgba, band.data(), static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(rows))) {
      throw TiffError(file.LastError("TIFFRGBAImageGet"));
    }
    for (int r = 0; r < rows; ++r) {
      const std::uint32_t* source = band.data() + static_cast<std::size_t>(r) * width;
      std::uint8_t* row = image.GetScanLine(top + r);
      for (int x = 0; x < width; ++x) {
        const std::uint32_t pixel = source[x];
        if (trueColor) {
          row[3 * x] = static_cast<std::uint8_t>(TIFFGetB(pixel));
          row[3 * x + 1] = static_cast<std::uint8_t>(TIFFGetG(pixel));
          row[3 * x + 2] = static_cast<std::uint8_t>(TIFFGetR(pixel));
        } else {
          const std::uint32_t rgb = MakeRgb(TIFFGetR(pixel), TIFFGetG(pixel), TIFFGetB(pixel));
          auto [found, added] = indexOfColor.try_emplace(rgb, 0);
          if (added) found->second = image.PaletteConverter()->NearestIndex(rgb);
          image.SetPixelIndex(x, top + r, found->second);
        }
      }
    }
    rowsDone(top + rows);
  }
}

}  // namespace

void ReadTiffPixels(const TiffFile& file, const TiffFields& fields, TiffPixelRoute route, TDibGraphic& image,
                    const TiffRowsDone& rowsDone) {
  switch (route) {
    case TiffPixelRoute::CopyRows: CopyRows(file, fields, image, rowsDone); break;
    case TiffPixelRoute::RgbRows: RgbRows(file, fields, image, rowsDone); break;
    case TiffPixelRoute::FirstSampleRows: FirstSampleRows(file, fields, image, rowsDone); break;
    case TiffPixelRoute::CmykRows: CmykRows(file, fields, image, rowsDone); break;
    case TiffPixelRoute::Rgba: RgbaRows(file, fields, image, rowsDone); break;
  }
}

}  // namespace huemira
