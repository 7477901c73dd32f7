// The TIFF reader's error class. Its message is the class name, a blank and
// the detail: "ETiffError TIFFOpen".
#pragma once

#include <string>

#include "framework/exception.h"

namespace huemira {

class ETiffError : public Exception {
 public:
  using Exception::Exception;
};

inline ETiffError TiffError(const std::string& detail) { return ETiffError("ETiffError " + detail); }

}  // namespace huemira
