// The open-picture dialog's preview: the file drawn through the program's own
// readers, scaled down to fit.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "framework/open_picture_dialog.h"

namespace huemira {

// At most this many pixels are decoded for a preview (96 MiB at 24 bits, so
// that a 32-megapixel photo still shows); a file that declares more shows
// only its size. A JPEG counts at the eighth of each side it is read at.
constexpr std::int64_t kPreviewPixelBudget = std::int64_t{1} << 25;

// None for a file whose extension the program does not take; throws the
// reader's error for one that does not decode. A reader that reports its
// progress stops early once stillWanted says no, and after two seconds,
// when the preview shows only the size the file declares. Runs on any thread.
std::optional<PicturePreview> RenderPicturePreview(const std::wstring& fileName, SIZE area,
                                                   const std::function<bool()>& stillWanted);

}  // namespace huemira
