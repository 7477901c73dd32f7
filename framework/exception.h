// The program's error classes. A failure carries one fixed, user-visible
// message (UTF-8); handlers catch by class, and whatever no handler catches
// is shown by the application's error box with that message.
#pragma once

#include <stdexcept>
#include <string>

namespace huemira {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string message() const { return what(); }
};

// A text that is not a number or code of the expected form.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// Data that no picture class can make sense of.
class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

// An operation that a picture class cannot carry out on the data it holds.
class EInvalidGraphicOperation : public Exception {
 public:
  using Exception::Exception;
};

// The system refused a handle or memory; the message is the system's own.
class EOutOfResources : public Exception {
 public:
  using Exception::Exception;
};

class EStreamError : public Exception {
 public:
  using Exception::Exception;
};

class EReadError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

class EWriteError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

class EFOpenError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

// Clipboard that another program holds open.
class EClipboardException : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace huemira
