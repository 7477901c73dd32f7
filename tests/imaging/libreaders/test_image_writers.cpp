#include "test_image_writers.h"

#include <algorithm>

namespace huemira::test {

namespace {

void AppendToBytes(png_structp png, png_bytep data, std::size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void Put16(Bytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(Bytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

}  // namespace

Bytes WritePng(const PngPicture& picture) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, AppendToBytes, nullptr);
  png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, picture.colorType,
               picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!picture.palette.empty()) png_set_PLTE(png, info, picture.palette.data(), static_cast<int>(picture.palette.size()));
  if (!picture.paletteAlpha.empty()) {
    png_set_tRNS(png, info, picture.paletteAlpha.data(), static_cast<int>(picture.paletteAlpha.size()), nullptr);
  }
  if (picture.transparentColor) {
    png_color_16 color = *picture.transparentColor;
    png_set_tRNS(png, info, nullptr, 0, &color);
  }
  if (picture.background) {
    png_color_16 color = *picture.background;
    png_set_bKGD(png, info, &color);
  }
  if (picture.gamma > 0) png_set_gAMA(png, info, picture.gamma);
  if (picture.srgb) png_set_sRGB(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
  if (picture.pixelsPerMetre) {
    png_set_pHYs(png, info, *picture.pixelsPerMetre, *picture.pixelsPerMetre, PNG_RESOLUTION_METER);
  }
  png_write_info(png, info);
  const int passes = png_set_interlace_handling(png);
  for (int pass = 0; pass < passes; ++pass) {
    for (const Bytes& row : picture.rows) png_write_row(png, row.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

Bytes WriteJpeg(const JpegPicture& picture) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors{};
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = picture.width;
  cinfo.image_height = picture.height;
  cinfo.input_components = picture.components;
  cinfo.in_color_space = picture.inputSpace;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 90, TRUE);
  cinfo.density_unit = static_cast<UINT8>(picture.densityUnit);
  cinfo.X_density = static_cast<UINT16>(picture.xDensity);
  cinfo.Y_density = static_cast<UINT16>(picture.yDensity);
  if (picture.progressive) jpeg_simple_progression(&cinfo);
  if (!picture.scans.empty()) {
    cinfo.scan_info = picture.scans.data();
    cinfo.num_scans = static_cast<int>(picture.scans.size());
  }
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(picture.pixels.data()) +
                   static_cast<std::size_t>(cinfo.next_scanline) * picture.width * picture.components;
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes out(buffer, buffer + size);
  free(buffer);
  return out;
}

JpegPicture OneBitPerScan(int width, int height, int scans) {
  JpegPicture picture;
  picture.width = width;
  picture.height = height;
  picture.components = 1;
  picture.inputSpace = JCS_GRAYSCALE;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.pixels.push_back(static_cast<std::uint8_t>(x * 7 + y * 3));
  }
  const auto full = [&] { return static_cast<int>(picture.scans.size()) == scans; };
  for (int coefficient = 0; coefficient < 64 && !full(); ++coefficient) {
    for (int bit = 10; bit >= 0 && !full(); --bit) {
      picture.scans.push_back({1, {0}, coefficient, coefficient, bit == 10 ? 0 : bit + 1, bit});
    }
  }
  return picture;
}

RgbImage DecodeWithLibjpeg(const Bytes& jpeg) {
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr errors{};
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, jpeg.data(), jpeg.size());
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  RgbImage image;
  image.width = static_cast<int>(cinfo.output_width);
  image.height = static_cast<int>(cinfo.output_height);
  image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = image.rgb.data() + static_cast<std::size_t>(cinfo.output_scanline) * image.width * 3;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return image;
}

void WriteTiff(const std::filesystem::path& path, const std::vector<TiffPage>& pages) {
  TIFF* tif = TIFFOpen(path.string().c_str(), "w");
  ASSERT_NE(tif, nullptr);
  for (const TiffPage& page : pages) {
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, page.width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, page.height);
    page.fields(tif);
    if (page.tileSize) {
      TIFFSetField(tif, TIFFTAG_TILEWIDTH, page.tileSize);
      TIFFSetField(tif, TIFFTAG_TILELENGTH, page.tileSize);
      const std::size_t rowBytes = page.rows[0].size(), pixelBytes = rowBytes / page.width;
      Bytes tile(static_cast<std::size_t>(TIFFTileSize(tif)));
      for (std::uint32_t ty = 0; ty < page.height; ty += page.tileSize) {
        for (std::uint32_t tx = 0; tx < page.width; tx += page.tileSize) {
          std::fill(tile.begin(), tile.end(), 0);
          for (std::uint32_t y = ty; y < std::min(page.height, ty + page.tileSize); ++y) {
            const std::size_t count = (std::min(page.width, tx + page.tileSize) - tx) * pixelBytes;
            std::copy_n(page.rows[y].begin() + tx * pixelBytes, count,
                        tile.begin() + (y - ty) * page.tileSize * pixelBytes);
          }
          TIFFWriteTile(tif, tile.data(), tx, ty, 0, 0);
        }
      }
    } else {
      for (std::uint32_t y = 0; y < page.height; ++y) {
        TIFFWriteScanline(tif, const_cast<std::uint8_t*>(page.rows[y].data()), y, 0);
      }
    }
    TIFFWriteDirectory(tif);
  }
  TIFFClose(tif);
}

TiffBuilder& TiffBuilder::Short(std::uint16_t tag, std::vector<std::uint32_t> values) {
  entries_.push_back({tag, TIFF_SHORT, std::move(values)});
  return *this;
}

TiffBuilder& TiffBuilder::Long(std::uint16_t tag, std::vector<std::uint32_t> values) {
  entries_.push_back({tag, TIFF_LONG, std::move(values)});
  return *this;
}

Bytes TiffBuilder::Build(const Bytes& strip, std::optional<std::uint32_t> byteCount) const {
  std::vector<Entry> entries = entries_;
  entries.push_back({TIFFTAG_STRIPOFFSETS, TIFF_LONG, {0}});
  entries.push_back({TIFFTAG_STRIPBYTECOUNTS, TIFF_LONG, {byteCount.value_or(static_cast<std::uint32_t>(strip.size()))}});
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.tag < b.tag; });

  const std::uint32_t ifdSize = 2 + 12 * static_cast<std::uint32_t>(entries.size()) + 4;
  std::uint32_t extraOffset = 8 + ifdSize;
  Bytes extra;
  Bytes out = {'I', 'I', 42, 0};
  Put32(out, 8);
  Put16(out, static_cast<std::uint32_t>(entries.size()));
  std::uint32_t stripOffsetField = 0;
  for (const Entry& entry : entries) {
    const std::uint32_t size = entry.type == TIFF_SHORT ? 2 : 4;
    Put16(out, entry.tag);
    Put16(out, entry.type);
    Put32(out, static_cast<std::uint32_t>(entry.values.size()));
    Bytes values;
    for (std::uint32_t v : entry.values) size == 2 ? Put16(values, v) : Put32(values, v);
    if (entry.tag == TIFFTAG_STRIPOFFSETS) stripOffsetField = static_cast<std::uint32_t>(out.size());
    if (values.size() <= 4) {
      values.resize(4, 0);
      out.insert(out.end(), values.begin(), values.end());
    } else {
      Put32(out, extraOffset + static_cast<std::uint32_t>(extra.size()));
      extra.insert(extra.end(), values.begin(), values.end());
    }
  }
  Put32(out, 0);
  out.insert(out.end(), extra.begin(), extra.end());
  const auto stripOffset = static_cast<std::uint32_t>(out.size());
  for (int i = 0; i < 4; ++i) out[stripOffsetField + i] = static_cast<std::uint8_t>(stripOffset >> (8 * i));
  out.insert(out.end(), strip.begin(), strip.end());
  return out;
}

}  // namespace huemira::test
