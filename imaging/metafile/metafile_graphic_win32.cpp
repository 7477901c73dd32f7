#include "imaging/metafile/metafile_graphic.h"

#include <windows.h>

#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

#include "framework/exception.h"
#include "framework/handles.h"
#include "imaging/dib/dib_platform.h"
#include "imaging/dib/image_limits.h"
#include "imaging/dib/picture_formats.h"
#include "imaging/dib/win32_gdi.h"
#include "imaging/metafile/emf_record_walker.h"

namespace huemira {

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableHeaderSize = 22;
constexpr int kHundredthsOfMmPerInch = 2540;
// Larger files are no drawings a user picks colours from, and reading them
// whole would cost their size in memory.
constexpr std::int64_t kMaxMetafileBytes = 64 << 20;

[[noreturn]] void Invalid() { throw EInvalidGraphic("Metafile is not valid"); }

struct EnhMetafileDeleter {
  void operator()(HENHMETAFILE metafile) const { DeleteEnhMetaFile(metafile); }
};
using UniqueEnhMetafile = std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, EnhMetafileDeleter>;

std::uint16_t Word(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

int Scaled(int length, int dpi, int unitsPerInch) {
  return MulDiv(length < 0 ? -length : length, dpi, unitsPerInch);
}

// The drawing, the verdict on each of its records and its size in pixels at
// the screen's resolution.
struct Drawing {
  UniqueEnhMetafile metafile;
  std::vector<TEmfRecord> plan;
  SIZE size{};
};

// The size of an enhanced metafile's frame, which is in hundredths of a millimetre.
SIZE FrameSize(HENHMETAFILE metafile) {
  ENHMETAHEADER header{};
  if (!GetEnhMetaFileHeader(metafile, sizeof header, &header)) Invalid();
  const RECTL& frame = header.rclFrame;
  return SIZE{Scaled(frame.right - frame.left, ScreenDpiX(), kHundredthsOfMmPerInch),
              Scaled(frame.bottom - frame.top, ScreenDpiY(), kHundredthsOfMmPerInch)};
}

Drawing FromEnhanced(const std::vector<std::uint8_t>& bytes) {
  // Checked before the system parses a byte of it.
  Drawing drawing{nullptr, PlanEmfPlayback(bytes)};
  drawing.metafile.reset(SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data()));
  if (!drawing.metafile) Invalid();
  drawing.size = FrameSize(drawing.metafile.get());
  return drawing;
}

Drawing FromWindows(const std::vector<std::uint8_t>& bytes) {
  std::size_t start = 0;
  METAFILEPICT picture{MM_ANISOTROPIC, 0, 0, nullptr};
  SIZE size{};
  const bool placeable = bytes.size() >= kPlaceableHeaderSize && Word(bytes, 0) == (kPlaceableKey & 0xFFFF) &&
                         Word(bytes, 2) == (kPlaceableKey >> 16);
  if (placeable) {
    // The bounding box is in units of which the header says how many make an inch.
    const auto coordinate = [&](std::size_t at) { return static_cast<std::int16_t>(Word(bytes, at)); };
    const int unitsPerInch = Word(bytes, 14);
    if (unitsPerInch == 0) Invalid();
    const int width = coordinate(10) - coordinate(6);
    const int height = coordinate(12) - coordinate(8);
    size = SIZE{Scaled(width, ScreenDpiX(), unitsPerInch), Scaled(height, ScreenDpiY(), unitsPerInch)};
    picture.xExt = MulDiv(width < 0 ? -width : width, kHundredthsOfMmPerInch, unitsPerInch);
    picture.yExt = MulDiv(height < 0 ? -height : height, kHundredthsOfMmPerInch, unitsPerInch);
    start = kPlaceableHeaderSize;
  }
  WindowDc screen(nullptr);
  Drawing drawing{UniqueEnhMetafile(SetWinMetaFileBits(static_cast<UINT>(bytes.size() - start), bytes.data() + start,
                                                       screen.get(), placeable ? &picture : nullptr))};
  if (!drawing.metafile) Invalid();
  // The system's conversion is an enhanced metafile like any other: its
  // records pass the same checks.
  std::vector<std::uint8_t> converted(GetEnhMetaFileBits(drawing.metafile.get(), 0, nullptr));
  if (converted.empty() ||
      GetEnhMetaFileBits(drawing.metafile.get(), static_cast<UINT>(converted.size()), converted.data()) !=
          converted.size()) {
    Invalid();
  }
  drawing.plan = PlanEmfPlayback(converted);
  // A plain Windows metafile names no size: the system's conversion gives it one.
  drawing.size = placeable ? size : FrameSize(drawing.metafile.get());
  return drawing;
}

// How far playback has come through the plan.
struct Playback {
  const std::vector<TEmfRecord>& plan;
  std::size_t next = 0;
  bool mismatched = false;
};

int CALLBACK PlayAllowedRecord(HDC dc, HANDLETABLE* handles, const ENHMETARECORD* record, int handleCount,
                               LPARAM data) {
  auto& playback = *reinterpret_cast<Playback*>(data);
  // The system may go on past the end-of-file record; nothing there is ours.
  if (playback.next == playback.plan.size()) return FALSE;
  const TEmfRecord& planned = playback.plan[playback.next++];
  if (record->iType != planned.type || record->nSize != planned.size) {
    playback.mismatched = true;
    return FALSE;
  }
  // A record the system cannot play leaves the picture without it, as PlayEnhMetaFile would.
  if (planned.verdict == TEmfVerdict::Draw) PlayEnhMetaFileRecord(dc, handles, record, static_cast<UINT>(handleCount));
  return TRUE;
}

// The records in the order of the plan, the drawing ones only: the system
// must enumerate exactly the records that were checked.
void Play(const Drawing& drawing, HDC dc) {
  const RECT area{0, 0, drawing.size.cx, drawing.size.cy};
  Playback playback{drawing.plan};
  EnumEnhMetaFile(dc, drawing.metafile.get(), PlayAllowedRecord, &playback, &area);
  if (playback.mismatched || playback.next != drawing.plan.size()) Invalid();
}

}  // namespace

void TMetafileGraphic::ReadImage(TStream& stream, int /*index*/) {
  const std::int64_t length = stream.Size() - stream.Position();
  if (length <= 0 || length > kMaxMetafileBytes) Invalid();
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
  stream.ReadBuffer(bytes.data(), bytes.size());

  // An enhanced metafile starts with its header record, type 1, signed " EMF" at byte 40.
  constexpr std::size_t kSignatureOffset = 40;
  const bool enhanced = bytes.size() >= kSignatureOffset + 4 && bytes[0] == 1 && bytes[1] == 0 &&
                        std::memcmp(bytes.data() + kSignatureOffset, " EMF", 4) == 0;
  const Drawing drawing = enhanced ? FromEnhanced(bytes) : FromWindows(bytes);
  if (!ImageSizeAllowed(drawing.size.cx, drawing.size.cy)) Invalid();

  NewImage(drawing.size.cx, drawing.size.cy, TDibFormat::ifColorRgb24, nullptr, 0, 0);
  FillWithColor(DefaultDibBackground);
  UniqueMemoryDc dc = CreateScreenCompatibleDc();
  UniqueBitmap canvas = CreateDibSectionCopy(*this, dc.get());
  {
    SelectedObject selected(dc.get(), canvas.get());
    Play(drawing, dc.get());
    GdiFlush();
  }
  DIBSECTION section{};
  GetObjectW(canvas.get(), sizeof section, &section);
  std::memcpy(Bits(), section.dsBm.bmBits, ImageSize());
}

void RegisterMetafileFormats() {
  RegisterDibFormat("wmf", "Metafiles", GraphicFactory<TMetafileGraphic>());
  RegisterDibFormat("emf", "Enhanced Metafiles", GraphicFactory<TMetafileGraphic>());
}

}  // namespace huemira
