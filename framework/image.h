// A picture control: shows a bitmap stretched to its bounds. Bitmaps are
// 32-bit with premultiplied alpha, so transparent parts (those of an icon)
// show what lies beneath.
#pragma once

#include <cstdint>

#include "framework/control.h"
#include "framework/handles.h"

namespace huemira {

class Image : public Control {
 public:
  struct Args {
    RECT bounds{};
    std::wstring hint;
  };
  void Create(Form& parent, const Args& args);

  HBITMAP Bitmap() const { return bitmap_.get(); }
  // Takes a bitmap made by CreateArgbBitmap or BitmapFromIcon.
  void SetBitmap(UniqueBitmap bitmap);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc) const;

  UniqueBitmap bitmap_;
};

// A width x height bitmap of 32-bit premultiplied pixels 0xAARRGGBB, rows
// top down, cleared to transparent; pixels points at them.
UniqueBitmap CreateArgbBitmap(int width, int height, std::uint32_t*& pixels);
// An icon drawn at size x size, its transparent parts kept; null for no icon.
UniqueBitmap BitmapFromIcon(HICON icon, int size);

}  // namespace huemira
