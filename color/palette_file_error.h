// The one error of the palette readers: a file that cannot be read as the
// format it claims, with where. A reader that throws yields no palette at
// all, so nothing is imported from a file that fails.
#pragma once

#include <string>

#include "framework/exception.h"

namespace huemira {

class PaletteFileError : public Exception {
 public:
  // message: short and plain (UTF-8); callers show "file: line N: message".
  PaletteFileError(int line, const std::string& message) : Exception(message), line_(line) {}
  // 1-based line of a text file; 0 for binary files and for errors that
  // concern the whole file.
  int line() const { return line_; }

 private:
  int line_;
};

}  // namespace huemira
