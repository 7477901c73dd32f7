// Hand-built PCX, DCX and Targa files for the reader tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "framework/stream.h"

namespace huemira::test {

using Bytes = std::vector<std::uint8_t>;

// Byte by byte: GCC 12 sees an out-of-bounds copy in the range insert of a
// short initializer list, where there is none.
inline void Append(Bytes& bytes, std::initializer_list<std::uint8_t> more) {
  for (const std::uint8_t byte : more) bytes.push_back(byte);
}
inline void Append(Bytes& bytes, const Bytes& more) { bytes.insert(bytes.end(), more.begin(), more.end()); }
inline void AppendLe16(Bytes& bytes, unsigned value) {
  Append(bytes, {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)});
}
inline void AppendLe32(Bytes& bytes, std::uint32_t value) {
  AppendLe16(bytes, value & 0xFFFF);
  AppendLe16(bytes, value >> 16);
}

struct PcxFields {
  std::uint8_t version = 5;
  std::uint8_t encoding = 1;
  std::uint8_t bits_per_plane = 8;
  std::uint8_t planes = 1;
  unsigned xmin = 0, ymin = 0, xmax = 0, ymax = 0;
  unsigned xdpi = 0, ydpi = 0;
  unsigned bytes_per_line = 0;
  Bytes header_map;  // up to 48 bytes at offset 16
};

// The 128-byte header.
inline Bytes PcxHeader(const PcxFields& f) {
  Bytes h = {10, f.version, f.encoding, f.bits_per_plane};
  AppendLe16(h, f.xmin);
  AppendLe16(h, f.ymin);
  AppendLe16(h, f.xmax);
  AppendLe16(h, f.ymax);
  AppendLe16(h, f.xdpi);
  AppendLe16(h, f.ydpi);
  Bytes map = f.header_map;
  map.resize(48);
  Append(h, map);
  Append(h, {0, f.planes});
  AppendLe16(h, f.bytes_per_line);
  AppendLe16(h, 1);
  h.resize(128);
  return h;
}

// A 769-byte 256-colour trailer in which entry i is (i, 255 - i, i / 2).
inline Bytes PcxTrailer() {
  Bytes t = {12};
  for (int i = 0; i < 256; ++i) Append(t, {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i / 2)});
  return t;
}

struct TgaFields {
  std::uint8_t id_length = 0;
  std::uint8_t color_map_type = 0;
  std::uint8_t image_type = 2;
  unsigned map_origin = 0, map_length = 0;
  std::uint8_t map_entry_bits = 0;
  unsigned width = 1, height = 1;
  std::uint8_t depth = 24;
  std::uint8_t descriptor = 0;
};

inline Bytes TgaHeader(const TgaFields& f) {
  Bytes h = {f.id_length, f.color_map_type, f.image_type};
  AppendLe16(h, f.map_origin);
  AppendLe16(h, f.map_length);
  Append(h, {f.map_entry_bits});
  AppendLe16(h, 0);
  AppendLe16(h, 0);
  AppendLe16(h, f.width);
  AppendLe16(h, f.height);
  Append(h, {f.depth, f.descriptor});
  return h;
}

template <typename Graphic>
void LoadBytes(Graphic& graphic, const Bytes& bytes) {
  TMemoryStream stream(bytes);
  graphic.LoadFromStream(stream);
}

}  // namespace huemira::test
