// The LZW decoder: row order, code widths, the full table, damaged streams,
// and a comparison with a plain, unoptimised decoder on random streams.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "framework/exception.h"
#include "gif_test_support.h"
#include "imaging/gif/gif_lzw.h"

namespace huemira::test {
namespace {

struct Decoded {
  std::vector<std::uint8_t> indexes;  // top row first
  bool corrupted = false;
};

// Decodes a single frame with a 2^bits colour table through TGIFImage.
Decoded DecodeFrame(int width, int height, int bits, int codeSize, const std::vector<std::uint8_t>& payload,
                    bool interlaced = false) {
  GifBytes gif;
  gif.Header().Screen(static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), 0x80 | (bits - 1))
      .Table(Palette(1 << bits))
      .Descriptor(0, 0, static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), interlaced ? 0x40 : 0)
      .ImageData(codeSize, payload)
      .Trailer();
  TGIFImage image;
  LoadGif(image, gif.bytes);
  TGIFFrame& frame = *image.Frames()[0];
  return {Indexes(frame.Bitmap()), frame.Corrupted};
}

TEST(GifInterlace, RowsArriveInPassOrder) {
  // One pixel per row: the value sent k-th lands in the k-th row of the pass order.
  const auto rowsOf = [](int height) {
    std::vector<std::uint8_t> sent;
    for (int i = 0; i < height; ++i) sent.push_back(static_cast<std::uint8_t>(i));
    return DecodeFrame(1, height, 4, 4, LiteralCodeStream(sent, 4), true).indexes;
  };
  // Row r holds the number of the pixel that was sent to it.
  EXPECT_EQ(rowsOf(1), (std::vector<std::uint8_t>{0}));
  EXPECT_EQ(rowsOf(3), (std::vector<std::uint8_t>{0, 2, 1}));
  // Pass order 0 8 | 4 | 2 6 | 1 3 5 7 9.
  EXPECT_EQ(rowsOf(10), (std::vector<std::uint8_t>{0, 5, 3, 6, 2, 7, 4, 8, 1, 9}));
  EXPECT_EQ(rowsOf(5), (std::vector<std::uint8_t>{0, 3, 2, 4, 1}));
}

TEST(GifInterlace, NarrowFormatsPackEveryRow) {
  std::vector<std::uint8_t> pixels;
  for (int i = 0; i < 9 * 7; ++i) pixels.push_back(static_cast<std::uint8_t>((i * 7) % 2));
  const Decoded oneBit = DecodeFrame(9, 7, 1, 2, LiteralCodeStream(pixels, 2), true);
  // Rows in file order 0 4 2 6 1 3 5 become rows 0..6.
  const int order[7] = {0, 4, 2, 6, 1, 3, 5};
  for (int k = 0; k < 7; ++k) {
    for (int x = 0; x < 9; ++x) EXPECT_EQ(oneBit.indexes[order[k] * 9 + x], pixels[k * 9 + x]) << k << "," << x;
  }
}

TEST(GifCodes, WidthGrowsWhenTheTableReachesTheNextPowerOfTwo) {
  // 0, 1 (adds 6), 6 (adds 7; 8 entries: 4 bits from here), 7 (adds 8), 9 = 7 + its first pixel.
  const auto payload = PackCodes({{4, 3}, {0, 3}, {1, 3}, {6, 3}, {7, 4}, {9, 4}, {5, 4}});
  const Decoded decoded = DecodeFrame(3, 3, 2, 2, payload);
  EXPECT_EQ(decoded.indexes, (std::vector<std::uint8_t>{0, 1, 0, 1, 1, 0, 1, 0, 1}));
  EXPECT_FALSE(decoded.corrupted);
}

TEST(GifCodes, FullTableKeepsDecodingUntilTheClearCode) {
  std::vector<std::pair<unsigned, unsigned>> codes = {{4, 3}};
  std::vector<std::uint8_t> expected;
  unsigned width = 3;
  unsigned next = 6;
  for (int i = 0; next < 4096; ++i) {
    const auto pixel = static_cast<std::uint8_t>(i % 4);
    codes.emplace_back(pixel, width);
    expected.push_back(pixel);
    if (i == 0) continue;
    if (++next == (1u << width) && width < 12) ++width;
  }
  ASSERT_EQ(width, 12u);
  // The table is full: no more entries, no wider codes, until a clear code.
  for (int i = 0; i < 100; ++i) {
    codes.emplace_back(3 - i % 4, 12);
    expected.push_back(static_cast<std::uint8_t>(3 - i % 4));
  }
  codes.emplace_back(4, 12);
  for (std::uint8_t pixel : {2, 1, 3}) {
    codes.emplace_back(pixel, 3);
    expected.push_back(pixel);
  }
  codes.emplace_back(5, 3);
  const Decoded decoded = DecodeFrame(static_cast<int>(expected.size()), 1, 2, 2, PackCodes(codes));
  EXPECT_FALSE(decoded.corrupted);
  EXPECT_EQ(decoded.indexes, expected);
}

TEST(GifCodes, EarlyEndCodeLeavesTheRestAtIndexZero) {
  const Decoded decoded = DecodeFrame(2, 2, 2, 2, PackCodes({{4, 3}, {3, 3}, {2, 3}, {5, 3}, {1, 3}}));
  EXPECT_EQ(decoded.indexes, (std::vector<std::uint8_t>{3, 2, 0, 0}));
  EXPECT_FALSE(decoded.corrupted);
}

TEST(GifCodes, DataEndingBeforeTheImageIsCompleteMarksCorrupted) {
  // Two bytes: the clear code, 3, 2, then the zero padding reads as 0 (3 bits) and 0 (4 bits).
  const Decoded decoded = DecodeFrame(3, 3, 2, 2, PackCodes({{4, 3}, {3, 3}, {2, 3}}));
  EXPECT_EQ(decoded.indexes, (std::vector<std::uint8_t>{3, 2, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(decoded.corrupted);
}

TEST(GifCodes, CodeSizeOutOfRangeDecodesOnlyUpToTheFirstString) {
  // Clamped to 2: the clear code and the code after it still decode.
  const auto payload = LiteralCodeStream({1, 2, 3, 0}, 2);
  Decoded decoded = DecodeFrame(2, 2, 2, 1, payload);
  EXPECT_EQ(decoded.indexes, (std::vector<std::uint8_t>{1, 0, 0, 0}));
  EXPECT_TRUE(decoded.corrupted);
  decoded = DecodeFrame(2, 2, 8, 12, LiteralCodeStream({1, 2, 3, 0}, 9));
  EXPECT_EQ(decoded.indexes, (std::vector<std::uint8_t>{1, 0, 0, 0}));
  EXPECT_TRUE(decoded.corrupted);

  GifTolerateCorruption = false;
  try {
    DecodeFrame(2, 2, 2, 1, payload);
    ADD_FAILURE();
  } catch (const EInvalidGraphicOperation& error) {
    EXPECT_STREQ(error.what(), "GIF code size not in range 2 to 9");
  }
  GifTolerateCorruption = true;
}

TEST(GifCodes, EveryLegalCodeSizeDecodes) {
  for (int bits = 1; bits <= 8; ++bits) {
    const int codeSize = std::max(bits, 2);
    std::vector<std::uint8_t> pixels;
    for (int i = 0; i < 5 * 3; ++i) pixels.push_back(static_cast<std::uint8_t>((i * 13) % (1 << bits)));
    const Decoded decoded = DecodeFrame(5, 3, bits, codeSize, LiteralCodeStream(pixels, codeSize));
    EXPECT_EQ(decoded.indexes, pixels) << bits;
    EXPECT_FALSE(decoded.corrupted);
  }
}

TEST(GifCodes, FrameBitsChooseTheBitmapFormat) {
  const auto formatFor = [](int bits) {
    TGIFImage image;
    LoadGif(image, SimpleGif(3, 1, Palette(1 << bits), {0, 1, 1}));
    return image.Frames()[0]->Bitmap().DibFormat();
  };
  EXPECT_EQ(formatFor(1), TDibFormat::ifBlackAndWhite);
  EXPECT_EQ(formatFor(3), TDibFormat::ifColor16);
  EXPECT_EQ(formatFor(4), TDibFormat::ifColor16);
  EXPECT_EQ(formatFor(5), TDibFormat::ifColor256);
  EXPECT_EQ(formatFor(8), TDibFormat::ifColor256);
}

TEST(GifCodes, PixelsComeFromTheColorTableNotTheCodeSize) {
  // Two colours, code size 2: code 3 is past the colours and unassigned, so it reads as "0 0".
  const Decoded decoded = DecodeFrame(3, 1, 1, 2, PackCodes({{4, 3}, {1, 3}, {3, 3}, {5, 3}}));
  EXPECT_EQ(decoded.indexes, (std::vector<std::uint8_t>{1, 0, 0}));
}

TEST(GifCodes, SelfReferringTableIsCaughtAsCorrupt) {
  // 7 runs ahead of the table, so entry 7 ends up as its own prefix.
  const auto payload = PackCodes({{4, 3}, {2, 3}, {7, 3}, {7, 3}, {7, 4}, {5, 4}});
  const Decoded decoded = DecodeFrame(4, 2, 2, 2, payload);
  EXPECT_EQ(decoded.indexes, (std::vector<std::uint8_t>{2, 2, 2, 0, 0, 2, 0, 0}));
  EXPECT_TRUE(decoded.corrupted);

  GifTolerateCorruption = false;
  try {
    DecodeFrame(4, 2, 2, 2, payload);
    ADD_FAILURE();
  } catch (const EInvalidGraphicOperation& error) {
    EXPECT_STREQ(error.what(), "GIF encoded data is corrupt");
  }
  GifTolerateCorruption = true;
}

// The data sub-blocks of compressed joined together.
std::vector<std::uint8_t> Payload(const std::vector<std::uint8_t>& compressed) {
  std::vector<std::uint8_t> payload;
  for (std::size_t i = 1; i < compressed.size();) {
    const std::size_t length = compressed[i++];
    const std::size_t n = std::min(length, compressed.size() - i);
    payload.insert(payload.end(), compressed.begin() + static_cast<std::ptrdiff_t>(i),
                   compressed.begin() + static_cast<std::ptrdiff_t>(i + n));
    i += n;
  }
  return payload;
}

// The decoding rules followed one step at a time, with no shortcuts.
Decoded ReferenceDecode(const std::vector<std::uint8_t>& compressed, int frameBits, int width, int height,
                        bool interlaced) {
  const std::vector<std::uint8_t> payload = Payload(compressed);
  std::size_t bitPos = 0;
  const auto read = [&](unsigned w, unsigned& code) {
    if (bitPos + w > payload.size() * 8) return false;
    code = 0;
    for (unsigned b = 0; b < w; ++b, ++bitPos) code |= ((payload[bitPos / 8] >> (bitPos % 8)) & 1u) << b;
    return true;
  };

  Decoded out;
  out.indexes.assign(static_cast<std::size_t>(width * height), 0);
  int x = 0, y = 0, pass = 0;
  const auto put = [&](unsigned v) {
    if (y >= height) return;
    out.indexes[static_cast<std::size_t>(y * width + x)] = static_cast<std::uint8_t>(v);
    if (++x < width) return;
    x = 0;
    if (!interlaced) {
      ++y;
      return;
    }
    const int step[4] = {8, 8, 4, 2};
    y += step[pass];
    if (y < height) return;
    if (pass == 0) { pass = 1; y = 4; if (y < height) return; }
    if (pass == 1) { pass = 2; y = 2; if (y < height) return; }
    if (pass == 2) { pass = 3; y = 1; return; }
    y = height;
  };

  unsigned S = compressed[0];
  if (S < 2 || S > 9) {
    out.corrupted = true;
    S = std::clamp(S, 2u, 9u);
  }
  const unsigned CC = 1u << S, EC = CC + 1, M = (1u << frameBits) - 1;
  unsigned w = S + 1, capacity = 1u << w, N = CC + 2, old = 0, first = 0;
  bool full = false;
  std::vector<unsigned> prefix(4096, 0), suffix(4096, 0), stack(4098, 0);
  unsigned code = 0;
  bool ranOut = !read(w, code);
  while (!ranOut && code != EC && y < height) {
    if (code == CC) {
      w = S + 1; capacity = 1u << w; N = CC + 2; full = false;
      unsigned c;
      if (!read(w, c)) { ranOut = true; break; }
      old = c; first = c & M; put(first);
    } else {
      const unsigned in = code;
      unsigned cur = code, depth = 0;
      if (code >= N) { cur = old; stack[0] = first; depth = 1; }
      while (cur > M) {
        if (depth > 4096) { out.corrupted = true; break; }
        stack[depth++] = suffix[cur];
        cur = prefix[cur];
      }
      if (out.corrupted) break;
      first = cur & M;
      stack[depth] = first;
      for (unsigned i = depth + 1; i-- > 0;) put(stack[i]);
      if (!full) {
        prefix[N] = old; suffix[N] = first; ++N;
        if (N >= capacity) { if (w == 12) full = true; else { ++w; capacity *= 2; } }
      }
      old = in;
    }
    if (!read(w, code)) ranOut = true;
  }
  if (ranOut && y < height) out.corrupted = true;
  return out;
}

Decoded FastDecode(const std::vector<std::uint8_t>& compressed, int frameBits, int width, int height,
                   bool interlaced) {
  TDibGraphic bitmap;
  const int bits = frameBits == 1 ? 1 : frameBits <= 4 ? 4 : 8;
  bitmap.NewImage(width, height, bits == 1 ? TDibFormat::ifBlackAndWhite : bits == 4 ? TDibFormat::ifColor16
                                                                                      : TDibFormat::ifColor256,
                  nullptr, 0, 0);
  // Garbage first: every pixel the data does not reach must come out as index 0.
  std::fill_n(bitmap.Bits(), bitmap.ImageSize(), 0xA5);
  TLzwTarget target{bitmap.Bits(), bitmap.Stride(), width, height, bits, interlaced};
  Decoded out;
  out.corrupted = DecodeGifLzw(compressed.data(), compressed.size(), frameBits, target, nullptr);
  out.indexes = Indexes(bitmap);
  return out;
}

TEST(GifCodes, MatchesThePlainDecoderOnRandomAndDamagedStreams) {
  std::mt19937 random(20261208);
  for (int round = 0; round < 3000; ++round) {
    const int frameBits = 1 + static_cast<int>(random() % 8);
    const int width = 1 + static_cast<int>(random() % 70);
    const int height = 1 + static_cast<int>(random() % 30);
    const bool interlaced = random() % 2;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width * height));
    // Runs of few colours give long strings, which take the direct path.
    const unsigned colors = 1 + random() % (1u << frameBits);
    std::uint8_t last = 0;
    for (auto& p : pixels) {
      if (random() % 4 == 0) last = static_cast<std::uint8_t>(random() % colors);
      p = last;
    }
    const int encodeBits = frameBits == 1 ? 1 : frameBits <= 4 ? 4 : 8;
    const std::vector<std::uint8_t> encoded = EncodeGifLzw(
        width, height, encodeBits, [&](int y) { return pixels.data() + y * width; }, nullptr);
    std::vector<std::uint8_t> payload = Payload(encoded);
    int codeSize = encoded[0];
    switch (round % 4) {
      case 0: break;
      case 1:  // a few flipped bits
        for (int i = 0; i < 3; ++i) payload[random() % payload.size()] ^= 1u << (random() % 8);
        break;
      case 2:  // cut short
        payload.resize(random() % payload.size());
        break;
      case 3:  // noise under any code size
        payload.assign(random() % 300, 0);
        for (auto& b : payload) b = static_cast<std::uint8_t>(random());
        codeSize = static_cast<int>(random() % 11);
        break;
    }
    GifBytes blocks;
    blocks.ImageData(codeSize, payload, random() % 2);
    const std::vector<std::uint8_t>& compressed = blocks.bytes;
    const Decoded expected = ReferenceDecode(compressed, frameBits, width, height, interlaced);
    const Decoded actual = FastDecode(compressed, frameBits, width, height, interlaced);
    ASSERT_EQ(actual.indexes, expected.indexes) << "round " << round;
    ASSERT_EQ(actual.corrupted, expected.corrupted) << "round " << round;
  }
}

}  // namespace
}  // namespace huemira::test
