// The picture window's image control: one picture shown at 1:1 from its own
// pixel memory, scrolled by the form, with the pointer's position reported
// in picture coordinates.
#pragma once

#include <functional>
#include <memory>

#include "framework/color.h"
#include "framework/control.h"
#include "imaging/dib/dib_graphic.h"

namespace huemira {

class PictureView : public Control {
 public:
  void Create(Form& parent, const RECT& bounds);

  void SetPicture(std::unique_ptr<TDibGraphic> picture);
  const TDibGraphic* Picture() const { return picture_.get(); }
  SIZE PictureSize() const;
  bool Contains(POINT picturePoint) const;
  // The pixel's colour; the point must lie inside the picture.
  TColor PixelColor(POINT picturePoint) const;
  // The mean over the size × size square centred on the point, leaving out
  // what lies outside the picture; the point must lie inside it.
  TColor SampleColor(POINT picturePoint, int size) const;

  // The picture point shown at the control's top-left corner.
  POINT Origin() const { return origin_; }
  void SetOrigin(POINT origin);

  // Raised with the pointer's position on the picture, which may lie outside
  // it while a button is held (the control keeps the pointer until release).
  std::function<void(POINT picturePoint)> OnMouseMove;
  std::function<void(POINT picturePoint)> OnMouseUp;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();
  POINT ToPicture(LPARAM clientPoint) const;

  std::unique_ptr<TDibGraphic> picture_;
  POINT origin_{0, 0};
  // A mouse button went down on the picture and has not come up yet.
  bool pressed_ = false;
};

}  // namespace huemira
