// The Win32 touch points of the DIB model, run under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "framework/handles.h"
#include "imaging/dib/dib_graphic.h"
#include "imaging/dib/icon_graphic.h"
#include "tests/imaging/dib/byte_images.h"

namespace huemira {
namespace {

// A 24-bit DIB section selected into a memory context, to draw on and read back.
class TCanvas24 {
 public:
  TCanvas24(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    previous_ = SelectObject(dc_.get(), bitmap_.get());
  }
  ~TCanvas24() { SelectObject(dc_.get(), previous_); }
  HDC dc() const { return dc_.get(); }
  void Fill(COLORREF color) {
    UniqueBrush brush(CreateSolidBrush(color));
    RECT all{0, 0, 1000, 1000};
    FillRect(dc_.get(), &all, brush.get());
  }
  COLORREF Pixel(int x, int y) const { return GetPixel(dc_.get(), x, y); }

 private:
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
};

// 2 x 2: red, green / blue, white (top row first).
void MakeQuad(TDibGraphic& image, TDibFormat format) {
  image.NewImage(2, 2, format, nullptr, 0, 0);
  image.FillWithColor(0xFFFFFF);
  image.SetRgbPixel(0, 0, 0xFF0000);
  image.SetRgbPixel(1, 0, 0x00FF00);
  image.SetRgbPixel(0, 1, 0x0000FF);
}

TEST(DibWin32, DrawStretchesTheImageOntoACanvas) {
  for (TDibFormat format : {TDibFormat::ifColorRgb24, TDibFormat::ifColor256}) {
    TDibGraphic image;
    MakeQuad(image, format);
    int drawn = 0;
    image.OnDrawn = [&](TDibGraphic&) { ++drawn; };
    TCanvas24 canvas(4, 4);
    image.Draw(canvas.dc(), RECT{0, 0, 4, 4});
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(3, 1), RGB(0, 255, 0));
    EXPECT_EQ(canvas.Pixel(1, 3), RGB(0, 0, 255));
    EXPECT_EQ(canvas.Pixel(3, 3), RGB(255, 255, 255));
    EXPECT_EQ(drawn, 1);
  }
}

TEST(DibWin32, TransparentDrawLeavesTheTransparentColorOut) {
  TDibGraphic image;
  MakeQuad(image, TDibFormat::ifColorRgb24);
  image.Transparent = true;  // the bottom-left pixel, blue, is the transparent colour
  TCanvas24 canvas(2, 2);
  canvas.Fill(RGB(9, 9, 9));
  image.Draw(canvas.dc(), RECT{0, 0, 2, 2});
  EXPECT_EQ(canvas.Pixel(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(canvas.Pixel(0, 1), RGB(9, 9, 9));
  EXPECT_EQ(canvas.Pixel(1, 1), RGB(255, 255, 255));
  EXPECT_EQ(image.GetTransparentColor(), RGB(0, 0, 255));
}

TEST(DibWin32, BitmapHandleRoundTripKeepsPixels) {
  TDibGraphic image;
  MakeQuad(image, TDibFormat::ifColor16);
  UniqueBitmap bitmap = image.CreateBitmap24();
  BITMAP description{};
  ASSERT_TRUE(GetObjectW(bitmap.get(), sizeof description, &description));
  EXPECT_EQ(description.bmWidth, 2);
  EXPECT_EQ(description.bmBitsPixel, 24);

  TDibGraphic loaded;
  loaded.LoadFromBitmapHandle(bitmap.get());
  EXPECT_EQ(loaded.DibFormat(), TDibFormat::ifColorRgb24);
  EXPECT_EQ(loaded.GetRgbPixel(0, 0), image.GetRgbPixel(0, 0));
  EXPECT_EQ(loaded.GetRgbPixel(1, 0), image.GetRgbPixel(1, 0));
  EXPECT_EQ(loaded.GetRgbPixel(0, 1), image.GetRgbPixel(0, 1));
}

TEST(DibWin32, PaletteSectionsAndDeviceBitmapsLoad) {
  // An 8-bit DIB section keeps its own colour table.
  TDibGraphic source;
  TLogPalette palette;
  palette.count = 3;
  palette.entries[2] = {12, 34, 56, 0};
  source.NewImage(3, 1, TDibFormat::ifColor256, &palette, 0, 0);
  source.FillWithColor(0);
  source.SetPixelIndex(1, 0, 2);
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  void* bits = nullptr;
  UniqueBitmap section(CreateDIBSection(dc.get(), reinterpret_cast<const BITMAPINFO*>(&source.BitmapInfo()),
                                        DIB_RGB_COLORS, &bits, nullptr, 0));
  ASSERT_TRUE(section);
  std::memcpy(bits, source.Bits(), source.ImageSize());
  TDibGraphic loaded;
  loaded.LoadFromBitmapHandle(section.get());
  EXPECT_EQ(loaded.DibFormat(), TDibFormat::ifColor256);
  EXPECT_EQ(loaded.GetRgbPixel(1, 0), MakeRgb(12, 34, 56));

  // A monochrome device bitmap becomes black and white.
  const std::uint8_t rows[4] = {0x80, 0, 0, 0};  // word-aligned rows; top-left pixel set
  UniqueBitmap mono(CreateBitmap(2, 2, 1, 1, rows));
  loaded.LoadFromBitmapHandle(mono.get());
  EXPECT_EQ(loaded.DibFormat(), TDibFormat::ifBlackAndWhite);
  EXPECT_EQ(loaded.GetRgbPixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(loaded.GetRgbPixel(1, 0), 0u);
}

TEST(DibWin32, BadHandlesAndClipboardFormatsAreRefused) {
  TDibGraphic image;
  try {
    image.LoadFromBitmapHandle(reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(0x1234)));
    FAIL();
  } catch (const EInvalidGraphic& error) {
    EXPECT_STREQ(error.what(), "Invalid bitmap");
  }
  try {
    image.LoadFromClipboardFormat(CF_TEXT, reinterpret_cast<HANDLE>(1), nullptr);
    FAIL();
  } catch (const EInvalidGraphic& error) {
    EXPECT_STREQ(error.what(), "Unknown clipboard format, 1");
  }
  EXPECT_THROW(image.LoadFromClipboardFormat(CF_BITMAP, nullptr, nullptr), EInvalidGraphic);
}

TEST(DibWin32, ClipboardFormatRoundTrip) {
  for (TDibFormat format : {TDibFormat::ifBlackAndWhite, TDibFormat::ifColorRgb24}) {
    TDibGraphic image;
    image.NewImage(3, 2, format, nullptr, 0, 0);
    image.FillWithColor(0);
    image.SetRgbPixel(2, 0, 0xFFFFFF);
    UINT clipboardFormat = 0;
    HANDLE data = nullptr;
    HPALETTE palette = nullptr;
    image.SaveToClipboardFormat(clipboardFormat, data, palette);
    UniqueBitmap owned(static_cast<HBITMAP>(data));
    EXPECT_EQ(clipboardFormat, static_cast<UINT>(CF_BITMAP));
    TDibGraphic loaded;
    loaded.LoadFromClipboardFormat(clipboardFormat, data, palette);
    EXPECT_EQ(loaded.Width(), 3);
    EXPECT_EQ(loaded.GetRgbPixel(2, 0), 0xFFFFFFu);
    EXPECT_EQ(loaded.GetRgbPixel(0, 1), 0u);
  }
}

TEST(DibWin32, PaletteHandleForPaletteFormatsOnly) {
  TDibGraphic image;
  image.NewImage(1, 1, TDibFormat::ifColor256, nullptr, 0, 0);
  HPALETTE palette = image.GetPaletteHandle();
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(image.GetPaletteHandle(), palette);  // made once
  PALETTEENTRY entry{};
  EXPECT_EQ(GetPaletteEntries(palette, 85, 1, &entry), 1u);
  EXPECT_EQ(entry.peRed, 223);
  image.NewImage(1, 1, TDibFormat::ifColorRgb24, nullptr, 0, 0);
  EXPECT_EQ(image.GetPaletteHandle(), nullptr);
}

TEST(DibWin32, FrameTimerShowsTheNextFrames) {
  TMemoryStream stream({10, 20, 30});
  TByteImages image;
  image.LoadAllImages = true;
  image.LoadFromStream(stream);
  image.FrameDelayMs = 10;
  std::vector<int> shown;
  image.OnChange = [&](TDibGraphic& sender) { shown.push_back(sender.GetPixelIndex(0, 0)); };
  image.SetAnimating(true);
  // Pump messages until four frames went by; the bound only keeps a broken timer from hanging the test.
  for (int wait = 0; wait < 500 && shown.size() < 4; ++wait) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  image.SetAnimating(false);
  ASSERT_GE(shown.size(), 4u);
  EXPECT_EQ(std::vector<int>(shown.begin(), shown.begin() + 4), (std::vector<int>{20, 30, 10, 20}));
}

TEST(IconGraphic, SavedIconReadsBack) {
  TIconGraphic icon;
  icon.NewImage(8, 8, TDibFormat::ifColorRgb24, nullptr, 0, 0);
  icon.FillWithColor(0x336699);
  icon.SetRgbPixel(7, 7, 0xFF0000);
  TMemoryStream stream;
  icon.SaveToStream(stream);
  stream.SetPosition(0);

  TIconGraphic loaded;
  EXPECT_TRUE(loaded.CanLoadStream(stream));
  EXPECT_EQ(stream.Position(), 0);
  loaded.LoadFromStream(stream);
  EXPECT_EQ(loaded.Width(), GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(loaded.GetRgbPixel(0, 0), 0x336699u);
  EXPECT_EQ(loaded.GetRgbPixel(7, 7), 0xFF0000u);
  EXPECT_EQ(loaded.GetRgbPixel(8, 8), 0u);  // outside the picture: the icon's black
}

TEST(IconGraphic, RefusesWhatIsNotAnIcon) {
  TMemoryStream text(std::vector<std::uint8_t>(40, 'x'));
  TIconGraphic icon;
  EXPECT_FALSE(icon.CanLoadStream(text));
  try {
    icon.LoadFromStream(text);
    FAIL();
  } catch (const EInvalidGraphic& error) {
    EXPECT_STREQ(error.what(), "Invalid icon");
  }
  // A directory entry pointing past the end of the file.
  std::vector<std::uint8_t> lying = {0, 0, 1, 0, 1, 0, 32, 32, 0, 0, 1, 0, 24, 0,
                                     0xFF, 0xFF, 0, 0, 22, 0, 0, 0, 0, 0};
  TMemoryStream stream(lying);
  EXPECT_THROW(icon.LoadFromStream(stream), EInvalidGraphic);
}

}  // namespace
}  // namespace huemira
