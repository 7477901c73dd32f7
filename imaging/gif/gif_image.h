// TGIFImage: a GIF picture ("87a" or "89a") as a list of frames. Loading
// keeps each frame's compressed pixels; a frame is decoded into an indexed
// DIB only when its bitmap is first needed (loading decodes frame 0 at once,
// so a first frame that cannot be decoded fails the load). There is no
// animation: delays, disposal and looping are kept as data for the writer.
// What a file makes the image keep (frames, their decoded size, extensions)
// is capped at kMaxImageMemory in all: a file beyond it is refused.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/stream.h"
#include "imaging/dib/dib_graphic.h"
#include "imaging/dib/graphic.h"
#include "imaging/gif/gif_types.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace huemira {

class TGIFImage;

class TGIFFrame {
 public:
  explicit TGIFFrame(TGIFImage& owner);
  // A copy that shares source's compressed data.
  TGIFFrame(TGIFImage& owner, const TGIFFrame& source);
  ~TGIFFrame();
  TGIFFrame(const TGIFFrame&) = delete;
  TGIFFrame& operator=(const TGIFFrame&) = delete;

  TGIFImage& Owner() const { return *owner_; }

  // The decoded frame, decoded on first use. A decode error propagates and
  // leaves the frame with an empty bitmap.
  TDibGraphic& Bitmap();
  bool HasBitmap() const { return bitmap_ && !bitmap_->Empty(); }
  bool HasCompressedData() const { return item_ && !item_->compressed.empty(); }
  // Replaces the picture: the frame is then encoded from bitmap when written.
  void SetBitmap(const TDibGraphic& bitmap);
  // The frame as 24-bit rows, bottom row first. Pixels of the transparent
  // colour come out white, the background the program shows a GIF on.
  void WriteRows24BottomUp(const TRow24Sink& sink);

  const TGIFItem& Item() const { return *item_; }
  TGIFItem& Item() { return *item_; }
  int Width() const { return item_->width; }
  int Height() const { return item_->height; }
  std::vector<TExtension>& Extensions() { return extensions_; }
  const std::vector<TExtension>& Extensions() const { return extensions_; }
  // The text of the frame's last comment extension, made on request.
  std::vector<std::string>& Comment();

  std::int32_t Left = 0;
  std::int32_t Top = 0;
  bool Interlaced = false;
  bool Corrupted = false;
  bool Grayscale = false;  // the writer reduces true colour to grey levels
  std::uint32_t TransparentColor = kGifNoColor;
  std::uint16_t Delay = 0;  // milliseconds
  std::uint8_t DisposalMethod = 0;
  bool OwnColorTable = false;

 private:
  friend class TGIFImage;
  friend class TGifReader;
  friend class TGifWriter;

  void Decode();

  TGIFImage* owner_;
  std::unique_ptr<TDibGraphic> bitmap_;
  std::shared_ptr<TGIFItem> item_;
  std::vector<TExtension> extensions_;
};

enum class TGifVersion : std::uint8_t { None = 0, GIF87a = 1, GIF89a = 2 };
enum class TProgressStage { Starting, Running, Ending };
using TGifProgress =
    std::function<void(TGIFImage& sender, TProgressStage stage, int percent, const std::string& message)>;

class TGIFImage : public TGraphic {
 public:
  TGIFImage();
  ~TGIFImage() override;

  const char* ClassName() const override { return "TGIFImage"; }
  // The current frame's own size (not the logical screen's); 0 when empty.
  int Width() const override;
  int Height() const override;
  bool Empty() const override;
  // Both fail: a GIF's size is its frames'.
  void SetWidth(int width);
  void SetHeight(int height);

  // Reads the rest of the stream and decodes the first frame.
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;
  // A 32-bit byte count, then the GIF (the form and clipboard layout).
  void ReadData(TStream& stream);
  void WriteData(TStream& stream);
  // Reads count bytes of GIF from stream.
  void LoadFromBytes(TStream& stream, std::int64_t count, bool decodeFirstFrame);

  // The current frame drawn at (0, 0) onto white; transparent pixels stay white.
  void AssignToBitmap24(TDibGraphic& dest) const override;
  void ForEachRow24BottomUp(const TRow24Sink& sink) const override;

  // None resets the image; another image is copied sharing its global data
  // and compressed frames.
  void Assign(const TGIFImage* source);
  void Assign(const TGIFFrame& frame);
  void Assign(const TDibGraphic& bitmap);
  // dest becomes the current frame's bitmap, with its transparent colour.
  void AssignTo(TDibGraphic& dest) const;
  bool Equals(const TGIFImage& other) const { return data_ == other.data_; }
  // The transparent switch is on and some frame has a transparent colour.
  bool Transparent() const;
  // The current frame's palette, or none without frames.
  const TLogPalette* Palette() const;
  // Appends a frame made from bitmap, makes it current; returns its index.
  int AddFrame(const TDibGraphic& bitmap);

  const std::vector<std::unique_ptr<TGIFFrame>>& Frames() const { return frames_; }
  int CurrentFrame() const { return currentFrame_; }
  void SetCurrentFrame(int index) { currentFrame_ = index; }
  TGIFData& Data() { return *data_; }
  const TGIFData& Data() const { return *data_; }

  TGifVersion Version = TGifVersion::None;
  std::uint16_t LogicalWidth = 0;
  std::uint16_t LogicalHeight = 0;
  std::uint32_t BackgroundColor = kGifNoColor;
  bool Looping = false;
  bool Corrupted = false;
  std::uint16_t RepeatCount = 1;

  bool TransparentSwitch = true;
  // Reading stops after the first frame. The program shows a GIF as its first
  // frame and never animates, so the GIF made for a file name reads no more.
  bool FirstFrameOnly = false;
  bool PaletteModified = false;
  std::function<void(TGIFImage& sender)> OnChange;
  TGifProgress OnProgress;

#ifdef _WIN32
  // Win32 touch points (gif_image_win32.cpp).
  void Draw(HDC dc, const RECT& rect);
  void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette);
  void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette);
#endif

 private:
  friend class TGIFFrame;
  friend class TGifReader;
  friend class TGifWriter;

  void Reset();
  void Changed();
  void Progress(TProgressStage stage, int percent, const std::string& message = std::string());
  // The frame that Width, Height and drawing use, or none.
  TGIFFrame* ShownFrame() const;

  std::shared_ptr<TGIFData> data_;
  std::vector<std::unique_ptr<TGIFFrame>> frames_;
  int currentFrame_ = -1;
};

}  // namespace huemira
