#include "imaging/gif/gif_types.h"

namespace huemira {

bool GifTolerateCorruption = true;

TSharedBytes::TSharedBytes(std::vector<std::uint8_t> bytes) {
  auto block = std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes));
  data_ = block->data();
  size_ = block->size();
  owner_ = std::move(block);
}

int TGifColorTable::IndexOf(std::uint32_t color) const {
  for (std::uint32_t i = 0; i < count && i < entries.size(); ++i) {
    if (ColorValue(i) == color) return static_cast<int>(i);
  }
  return -1;
}

int GifBitsForCount(std::uint32_t count) {
  for (int bits = 1; bits <= 8; ++bits) {
    if (count == (1u << bits)) return bits;
  }
  return 0;
}

int GifBitsToHold(std::uint32_t count) {
  int bits = 1;
  while (bits < 8 && (1u << bits) < count) ++bits;
  return bits;
}

std::uint8_t TExtension::Label(TExtensionKind kind) {
  switch (kind) {
    case TExtensionKind::GraphicControl: return 0xF9;
    case TExtensionKind::PlainText: return 0x01;
    case TExtensionKind::Application: return 0xFF;
    case TExtensionKind::Comment: break;
  }
  return 0xFE;
}

std::size_t TExtension::RawSize(TExtensionKind kind) {
  switch (kind) {
    case TExtensionKind::GraphicControl: return 6;
    case TExtensionKind::PlainText: return 13;
    case TExtensionKind::Application: return 12;
    case TExtensionKind::Comment: break;
  }
  return 0;
}

TExtension TExtension::NewGraphicControl() {
  TExtension extension;
  extension.kind = TExtensionKind::GraphicControl;
  extension.raw = {4, 0, 0, 0, 0, 0};
  return extension;
}

}  // namespace huemira
