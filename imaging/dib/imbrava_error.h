// The imaging library's own error class: every failure of the DIB model and
// of the readers built on it that has no more specific class.
#pragma once

#include "framework/exception.h"

namespace huemira {

class EImbravaError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace huemira
