// Error classes of the PCX, DCX and Targa pictures.
#pragma once

#include "framework/exception.h"

namespace huemira {

// A failure of the bitmap-codec module while reading or writing.
class EBmcError : public Exception {
 public:
  using Exception::Exception;
};

// A DCX container whose page table cannot be used.
class EDcxError : public Exception {
 public:
  using Exception::Exception;
};

// A picture that cannot be written as Targa.
class ETgaError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace huemira
