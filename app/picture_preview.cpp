#include "app/picture_preview.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <memory>

#include "app/declared_picture_size.h"
#include "app/picture_extension.h"
#include "framework/stream.h"
#include "imaging/dib/picture_formats.h"
#include "imaging/dib/win32_gdi.h"
#include "imaging/libreaders/jpeg_graphic.h"
#include "imaging/libreaders/png_graphic.h"

namespace huemira {

namespace {

// Browsing must never raise a box: a PNG warning is kept quiet while a
// preview reads, and the setting is restored however reading ends.
class QuietPngWarningsScope {
 public:
  QuietPngWarningsScope() : previous_(QuietPngWarnings) { QuietPngWarnings = true; }
  ~QuietPngWarningsScope() { QuietPngWarnings = previous_; }
  QuietPngWarningsScope(const QuietPngWarningsScope&) = delete;
  QuietPngWarningsScope& operator=(const QuietPngWarningsScope&) = delete;

 private:
  bool previous_;
};

// Thrown from a reader's progress report when a newer selection has come.
struct PreviewNoLongerWanted {};
// Thrown from a reader's progress report once the preview has taken longer
// than a user arrowing through a folder of large scans should wait for each.
struct PreviewOverTime {};
constexpr auto kPreviewTimeBudget = std::chrono::seconds(2);

LONG ClampedSide(std::int64_t side) { return static_cast<LONG>(std::min<std::int64_t>(side, LONG_MAX)); }

std::optional<DeclaredSize> DeclaredSizeOf(const std::wstring& fileName, const std::wstring& key) {
  TFileStream file(fileName, FileMode::OpenRead);
  return ReadDeclaredSize(file, key);
}

// What a preview past its budget shows: the size alone, when the file says it.
std::optional<PicturePreview> SizeOnly(const std::optional<DeclaredSize>& declared) {
  if (!declared) return std::nullopt;
  return PicturePreview{.pictureSize = SIZE{ClampedSide(declared->width), ClampedSide(declared->height)}};
}

// Whether reading a picture of the declared size would exceed the memory budget.
bool OverMemoryBudget(const std::optional<DeclaredSize>& declared, bool readAtAnEighth) {
  if (!declared) return false;
  const int reduction = readAtAnEighth ? 8 : 1;
  const std::int64_t width = (declared->width + reduction - 1) / reduction;
  const std::int64_t height = (declared->height + reduction - 1) / reduction;
  // Each side is checked alone first so that the product cannot overflow.
  return width > kPreviewPixelBudget || height > kPreviewPixelBudget || width * height > kPreviewPixelBudget;
}

SIZE Fitted(SIZE picture, SIZE area) {
  const double scale = std::min({1.0, static_cast<double>(area.cx) / picture.cx,
                                 static_cast<double>(area.cy) / picture.cy});
  return SIZE{std::max(1L, std::lround(picture.cx * scale)), std::max(1L, std::lround(picture.cy * scale))};
}

}  // namespace

std::optional<PicturePreview> RenderPicturePreview(const std::wstring& fileName, SIZE area,
                                                   const std::function<bool()>& stillWanted) {
  const std::wstring key = ExtensionKey(fileName);
  if (!IsPictureKey(key)) return std::nullopt;
  std::unique_ptr<TGraphic> graphic = CreateGraphicForExtension(Utf8Path(std::filesystem::path(fileName).extension()));
  if (!graphic) return std::nullopt;
  auto* jpeg = dynamic_cast<TJpegGraphic*>(graphic.get());
  if (jpeg) {
    jpeg->PreviewWidth = area.cx;
    jpeg->PreviewHeight = area.cy;
  }
  const std::optional<DeclaredSize> declared = DeclaredSizeOf(fileName, key);
  if (OverMemoryBudget(declared, jpeg != nullptr)) return SizeOnly(declared);
  // Readers that report progress can be stopped; the others are bounded by
  // their own limits.
  if (auto* dib = dynamic_cast<TDibGraphic*>(graphic.get())) {
    const auto deadline = std::chrono::steady_clock::now() + kPreviewTimeBudget;
    dib->OnPercentDone = [&stillWanted, deadline](TDibGraphic&, int) {
      if (!stillWanted()) throw PreviewNoLongerWanted{};
      if (std::chrono::steady_clock::now() > deadline) throw PreviewOverTime{};
    };
  }
  try {
    const QuietPngWarningsScope quiet;
    graphic->LoadFromFile(fileName);
  } catch (const PreviewOverTime&) {
    return SizeOnly(declared);
  }
  const TDibGraphic* image = dynamic_cast<const TDibGraphic*>(graphic.get());
  TDibGraphic bitmap;
  if (!image) {
    graphic->AssignToBitmap24(bitmap);
    image = &bitmap;
  }
  if (image->Empty()) return std::nullopt;

  // The bitmap is made here, on the worker, from the decoded pixels: the
  // halftone reduction of a large picture takes tens of milliseconds that
  // the dialog must not wait for, and a DIB section, once out of this
  // thread's DC, may be drawn and deleted by any thread.
  PicturePreview preview;
  preview.pictureSize = jpeg ? SIZE{jpeg->StoredWidth(), jpeg->StoredHeight()} : SIZE{image->Width(), image->Height()};
  preview.bitmapSize = Fitted(SIZE{image->Width(), image->Height()}, area);
  UniqueMemoryDc dc = CreateScreenCompatibleDc();
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), preview.bitmapSize.cx, preview.bitmapSize.cy, 1, 24, BI_RGB};
  void* bits = nullptr;
  preview.bitmap.reset(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!preview.bitmap) return std::nullopt;
  SelectedObject selected(dc.get(), preview.bitmap.get());
  // Halftone averages the pixels that a reduction folds together.
  SetStretchBltMode(dc.get(), HALFTONE);
  SetBrushOrgEx(dc.get(), 0, 0, nullptr);
  StretchDIBits(dc.get(), 0, 0, preview.bitmapSize.cx, preview.bitmapSize.cy, 0, 0, image->Width(), image->Height(),
                image->Bits(), AsBitmapInfo(image->BitmapInfo()), DIB_RGB_COLORS, SRCCOPY);
  return preview;
}

}  // namespace huemira
