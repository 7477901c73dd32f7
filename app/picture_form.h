// The picture window: the prepared bitmap at 1:1, scrolled when larger than
// the window, with a small swatch that previews the pixel under the pointer;
// releasing any mouse button on the picture picks that pixel's colour.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/picture_view.h"
#include "framework/color.h"
#include "framework/edit.h"
#include "framework/form.h"
#include "framework/panel.h"

namespace huemira {

class TForm_PImage : public Form {
 public:
  void Create();
  // Reads a bitmap file into Image_PColor, scrolled to its top-left corner.
  // Throws the reader's error for a file that is not a valid bitmap; the
  // picture shown so far then stays.
  void LoadPicture(const std::wstring& bitmapFile);
  void SetPicture(std::unique_ptr<TDibGraphic> picture);

  // The picked colour goes to the main window; raised before the window closes.
  std::function<void(TColor color)> OnPick;

  PictureView Image_PColor;
  Panel Panel_ImageTempColor;
  // The converted bitmap to delete after a pick; empty for a user's own bitmap.
  Edit Edit_TempBmpFileName;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Image_PColorMouseMove(POINT picturePoint);
  void Image_PColorMouseUp(POINT picturePoint);
  void PlacePreviewSwatch();
  void PreviewUnderPointer();

  // Scrolling: the scroll bars follow the picture and the client area.
  void UpdateScrollBars();
  void ScrollTo(int bar, int position);
  void HandleScrollRequest(int bar, WORD request);
  void ScrollByWheel(int bar, int delta);

  // The picks' sample size, read when the window opens.
  int sampleSize_ = 1;
};

}  // namespace huemira
