// The open-picture dialog's preview: the file drawn through the program's own
// readers, scaled down to fit.
#pragma once

#include <optional>
#include <string>

#include "framework/open_picture_dialog.h"

namespace huemira {

// None for a file whose extension the program does not take; throws the
// reader's error for one that does not decode.
std::optional<PicturePreview> RenderPicturePreview(const std::wstring& fileName, SIZE area);

}  // namespace huemira
