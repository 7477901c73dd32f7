// The settings page's background picture, drawn in code at the page's size:
// a pale gradient with three overlapping circles of light in the program's
// red, green and blue, and a thin band of hues along the bottom.
#pragma once

#include "framework/handles.h"

namespace huemira {

UniqueBitmap DrawOptionBackdrop(int width, int height);

}  // namespace huemira
