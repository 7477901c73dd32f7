#include <gtest/gtest.h>

#include <filesystem>

#include "framework/exception.h"
#include "framework/stream.h"

namespace huemira {
namespace {

// A full disk shows only when the C library writes out its buffer: a file
// small enough to stay in the buffer fails at its close, which must tell.
TEST(FileStream, AWriteThatFailsAtTheCloseThrows) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  TFileStream stream("/dev/full", FileMode::Create);
  const char bytes[64] = {};
  stream.WriteBuffer(bytes, sizeof bytes);
  EXPECT_THROW(stream.Close(), EWriteError);
}

}  // namespace
}  // namespace huemira
