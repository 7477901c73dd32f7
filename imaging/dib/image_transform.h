// Whole-image operations that turn one picture into another.
#pragma once

#include <cstdint>

#include "imaging/dib/dib_graphic.h"

namespace huemira {

class TImageTransform {
 public:
  virtual ~TImageTransform() = default;
  virtual const char* ClassName() const { return "TImageTransform"; }

  // Applies the transform to image in place, through a temporary image.
  virtual void Apply(TDibGraphic& image);
  // Makes dest the transformed source; the base class has no transform to apply.
  virtual void ApplyOnDest(const TDibGraphic& source, TDibGraphic& dest);

  TPercentDone OnPercentDone;

 protected:
  void ReportPercent(TDibGraphic& sender, std::int64_t current, std::int64_t max);
  int lastPercent_ = 255;
};

// Complements every colour: pixel bytes of gray and black-and-white images,
// the palette of colour-palette images, the RGB of true-colour images.
class TNegativeTransform : public TImageTransform {
 public:
  const char* ClassName() const override { return "TNegativeTransform"; }
  void Apply(TDibGraphic& image) override;
  void ApplyOnDest(const TDibGraphic& source, TDibGraphic& dest) override;
};

}  // namespace huemira
