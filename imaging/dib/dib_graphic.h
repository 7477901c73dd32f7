// TDibGraphic: the device-independent image that every reader of the imaging
// library fills. Pixels are one block of plain memory laid out exactly as a
// bottom-up DIB (rows padded to 32 bits, last row first), so that on Windows
// drawing is a single StretchDIBits from it and a BMP file is its rows as
// they are. Reader classes derive from it and override ReadImage.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "imaging/dib/dib_format.h"
#include "imaging/dib/graphic.h"
#include "imaging/dib/imbrava_error.h"
#include "imaging/dib/palette_converter.h"
#include "imaging/dib/resolution.h"

#ifdef _WIN32
#include <windows.h>

#include "framework/handles.h"
#endif

namespace huemira {

class TDibGraphic;
class TFrameTimer;

using TPercentDone = std::function<void(TDibGraphic& sender, int percent)>;
using TDibNotify = std::function<void(TDibGraphic& sender)>;

// The system's BITMAPINFOHEADER, field for field, so that it can be handed to
// the drawing functions as it is.
struct TBitmapInfoHeader {
  std::uint32_t size;
  std::int32_t width;
  std::int32_t height;  // positive: rows stored bottom-up
  std::uint16_t planes;
  std::uint16_t bitCount;
  std::uint32_t compression;
  std::uint32_t sizeImage;
  std::int32_t xPelsPerMeter;
  std::int32_t yPelsPerMeter;
  std::uint32_t clrUsed;
  std::uint32_t clrImportant;
};
static_assert(sizeof(TBitmapInfoHeader) == 40, "must match BITMAPINFOHEADER");

struct TRgbQuad {
  std::uint8_t blue, green, red, reserved;
};

struct TBitmapInfo {
  TBitmapInfoHeader header;
  std::array<TRgbQuad, 256> colors;
};

// Which pixel gives the colour that transparent drawing leaves out.
enum TTransparentPixel : int {
  tpTopLeft = 0,
  tpTopRight = 1,
  tpBottomLeft = 2,
  tpBottomRight = 3,
  tpExplicitRgb = 4
};

class TDibGraphic : public TGraphic {
 public:
  TDibGraphic();
  ~TDibGraphic() override;

  const char* ClassName() const override { return "TDibGraphic"; }
  // A new empty object of the same class (frames of a multi-image file are made this way).
  virtual std::unique_ptr<TDibGraphic> CreateNew() const;

  int Width() const override { return info_.header.width; }
  int Height() const override { return info_.header.height; }
  bool Empty() const override { return !bits_; }
  // Both throw: the size changes only through NewImage.
  void SetWidth(int width);
  void SetHeight(int height);

  // Reader hooks.
  // True when the stream, at its position, starts with this class's format; the position is restored.
  virtual bool CanLoadStream(TStream& stream);
  virtual int GetImageCount(TStream& stream);
  // Decodes image number index (1-based) into this object.
  virtual void ReadImage(TStream& stream, int index);
  // Adds this image to a multi-image stream; the base class cannot.
  virtual void AppendImage(TStream& stream);

  // Reads image LoadIndex, or every image into Frames when LoadAllImages is set.
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;

  // Discards the current image and makes an uninitialised one. palette is
  // ignored for ifColorRgb24; none means the format's default palette. A
  // resolution of 0 means the screen's. Refuses a size outside image_limits.h
  // with EInvalidGraphic before allocating; a failed allocation is EOutOfResources.
  virtual void NewImage(std::int32_t width, std::int32_t height, TDibFormat format, const TLogPalette* palette,
                        std::uint16_t xdpi, std::uint16_t ydpi);
  void FreeImage();

  // Row y, y = 0 being the top row. No bounds test: callers stay inside the image.
  std::uint8_t* GetScanLine(int y) { return bits_.get() + static_cast<std::ptrdiff_t>(Height() - y - 1) * stride_; }
  const std::uint8_t* GetScanLine(int y) const {
    return bits_.get() + static_cast<std::ptrdiff_t>(Height() - y - 1) * stride_;
  }
  // The whole pixel block, bottom row first (the DIB's own order).
  std::uint8_t* Bits() { return bits_.get(); }
  const std::uint8_t* Bits() const { return bits_.get(); }
  std::size_t ImageSize() const { return info_.header.sizeImage; }

  // RGB values are 0x00RRGGBB in every format. No bounds test either.
  std::uint32_t GetRgbPixel(int x, int y) const;
  void SetRgbPixel(int x, int y, std::uint32_t rgb);
  // Palette formats only: EImbravaError "The image does not have a palette" for true colour.
  int GetPixelIndex(int x, int y) const;
  void SetPixelIndex(int x, int y, int index);
  void FillWithColor(std::uint32_t rgb);

  TDibFormat DibFormat() const { return format_; }
  int Stride() const { return stride_; }
  const TLogPalette& Palette() const { return palette_; }
  const TBitmapInfo& BitmapInfo() const { return info_; }
  TRgbToPaletteConverter* PaletteConverter() { return converter_.get(); }

  std::uint16_t XDpi() const;
  std::uint16_t YDpi() const;
  void SetXDpi(std::uint16_t dpi);
  void SetYDpi(std::uint16_t dpi);

  // Copies source (none or empty gives an empty image), frames excluded.
  void Assign(const TDibGraphic* source);
  // Any other picture arrives as its 24-bit bitmap.
  void Assign(const TGraphic& source);
  void AssignToBitmap24(TDibGraphic& dest) const override;
  void ForEachRow24BottomUp(const TRow24Sink& sink) const override;

  // Frames of a multi-image stream loaded with LoadAllImages.
  const std::vector<std::unique_ptr<TDibGraphic>>& Frames() const { return frames_; }
  int FrameIndex() const { return frameIndex_; }
  // Shows frame index (1-based); EImbravaError "Frame %d does not exist" out of range.
  void SetFrameIndex(int index);
  bool Animating() const { return animating_; }
  void SetAnimating(bool animating);
  int FrameDelayMs = 200;

  // The RGB value that transparent drawing leaves out, per TransparentPixel;
  // Exception "Invalid TransparentPixel" for a value outside 0 ... 4.
  std::uint32_t GetTransparentRgb() const;
  int TransparentPixel = tpBottomLeft;
  std::uint32_t TransparentRgb = DefaultDibBackground;
  // Draw leaves out the transparent colour when set.
  bool Transparent = false;

  int LoadIndex = 1;
  bool LoadAllImages = false;
  TPercentDone OnPercentDone;
  TDibNotify OnDrawn;
  TDibNotify OnChange;

#ifdef _WIN32
  // Win32 touch points (dib_graphic_win32.cpp).
  COLORREF GetTransparentColor() const;
  void Draw(HDC dc, const RECT& rect);
  // A palette handle for palette formats, made on first request and kept until FreeImage; none for true colour.
  HPALETTE GetPaletteHandle();
  // The framework bitmap of the picture: a 24-bit DIB section of the same size.
  UniqueBitmap CreateBitmap24() const;
  // Takes over a copy of any bitmap (device-dependent or DIB section) of 1, 4, 8, 16, 24 or 32 bits.
  void LoadFromBitmapHandle(HBITMAP bitmap);
  // format must be CF_BITMAP with data its bitmap handle; palette is not needed.
  void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette);
  // A new bitmap for the clipboard (the caller or the clipboard owns data); palette is left as it is.
  void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) const;
  // The clipboard is closed again on every path; EClipboardException when another program holds it.
  void LoadFromClipboard();
  void SaveToClipboard() const;
#endif

 protected:
  // Tells OnChange that the picture changed.
  void Changed();

 private:
  using PixelReader = int (*)(const std::uint8_t* row, int x);
  using PixelWriter = void (*)(std::uint8_t* row, int x, int index);

  void ShowNextFrame();

  TDibFormat format_ = TDibFormat::ifColorRgb24;
  TBitmapInfo info_{};
  TLogPalette palette_{};
  int stride_ = 0;
  std::unique_ptr<std::uint8_t[]> bits_;
  PixelReader readPixel_ = nullptr;
  PixelWriter writePixel_ = nullptr;
  std::unique_ptr<TRgbToPaletteConverter> converter_;
  std::vector<std::unique_ptr<TDibGraphic>> frames_;
  int frameIndex_ = -1;
  bool animating_ = false;
  std::unique_ptr<TFrameTimer> frameTimer_;
#ifdef _WIN32
  struct PaletteDeleter {
    void operator()(HPALETTE palette) const;
  };
  std::unique_ptr<std::remove_pointer_t<HPALETTE>, PaletteDeleter> paletteHandle_;
#endif
};

// Percent of the way from min to max, clamped to 0 ... 100; the callback hears
// it only when it differs from lastPercent (255 when nothing was reported yet).
// Returns the percent, or 0 without a callback.
int PercentStep(TDibGraphic& sender, std::int64_t current, std::int64_t min, int lastPercent, std::int64_t max,
                const TPercentDone& callback);

}  // namespace huemira
