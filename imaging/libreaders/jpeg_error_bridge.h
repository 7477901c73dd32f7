// libjpeg's error manager, turned into our exceptions. libjpeg's fatal
// errors must not return, and exit() is out of the question: they longjmp
// back into Run(), whose setjmp sits directly around the library call, so
// that the jump only ever skips libjpeg's frames and our callbacks, which own
// nothing. Run() then throws Exception with the library's formatted text.
// Warnings are counted and otherwise ignored.
#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdio>  // jpeglib.h needs FILE and size_t first

#include <jpeglib.h>

#include "framework/exception.h"

namespace huemira {

struct JpegErrorBridge {
  JpegErrorBridge();
  JpegErrorBridge(const JpegErrorBridge&) = delete;
  JpegErrorBridge& operator=(const JpegErrorBridge&) = delete;

  // Calls step(); a fatal library error inside it becomes Exception. step
  // must not own objects with destructors.
  template <class Step>
  void Run(Step&& step) {
    if (setjmp(jump)) throw Exception(message);
    step();
  }

  // For our own callbacks: ends the library call in Run() with text.
  [[noreturn]] static void Fail(j_common_ptr cinfo, const char* text);

  jpeg_error_mgr manager;  // first, so that libjpeg's pointer to it is a pointer to us
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

}  // namespace huemira
