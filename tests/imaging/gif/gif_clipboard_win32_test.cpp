// The clipboard under Windows: a GIF goes there as a bitmap and as itself,
// and comes back with its frames.
#include <gtest/gtest.h>
#include <windows.h>

#include "gif_test_support.h"
#include "imaging/gif/register.h"

namespace huemira::test {
namespace {

class ClipboardOpen {
 public:
  ClipboardOpen() : open_(::OpenClipboard(nullptr) != 0) {}
  ~ClipboardOpen() {
    if (open_) ::CloseClipboard();
  }
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

TEST(GifClipboard, FramesComeBackFromTheGifFormat) {
  RegisterGifFormats();
  ASSERT_NE(GifClipboardFormat(), 0u);
  GifBytes gif;
  gif.Header().Screen(3, 1, 0x91).Table(Palette(4)).Descriptor(0, 0, 3, 1, 0)
      .ImageData(2, LiteralCodeStream({2, 0, 1}, 2))
      .Descriptor(0, 0, 2, 1, 0).ImageData(2, LiteralCodeStream({3, 3}, 2)).Trailer();
  TGIFImage image;
  LoadGif(image, gif.bytes);
  {
    ClipboardOpen clipboard;
    ASSERT_TRUE(clipboard.IsOpen());
    ::EmptyClipboard();
    UINT format = 0;
    HANDLE data = nullptr;
    HPALETTE palette = nullptr;
    image.SaveToClipboardFormat(format, data, palette);
    EXPECT_EQ(format, static_cast<UINT>(CF_BITMAP));
    ASSERT_NE(::SetClipboardData(format, data), nullptr);
  }
  EXPECT_TRUE(::IsClipboardFormatAvailable(GifClipboardFormat()));

  TGIFImage pasted;
  {
    ClipboardOpen clipboard;
    ASSERT_TRUE(clipboard.IsOpen());
    pasted.LoadFromClipboardFormat(CF_BITMAP, ::GetClipboardData(CF_BITMAP), nullptr);
  }
  ASSERT_EQ(pasted.Frames().size(), 2u);
  EXPECT_EQ(pasted.Width(), 3);
  EXPECT_EQ(Indexes(pasted.Frames()[1]->Bitmap()), (std::vector<std::uint8_t>{3, 3}));
  TDibGraphic expected, actual;
  image.AssignToBitmap24(expected);
  pasted.AssignToBitmap24(actual);
  EXPECT_EQ(RgbBytes(actual), RgbBytes(expected)) << "frame 0 is the clipboard's bitmap";
}

}  // namespace
}  // namespace huemira::test
