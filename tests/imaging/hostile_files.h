// Small files that declare huge pictures or endless work, made at their full
// declared size: what the readers' tests and the hostile-files benchmark feed
// the conversion.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "test_image_writers.h"

namespace huemira::test {

struct HostileFile {
  const char* name;
  const char* extension;
  std::function<Bytes()> make;
  std::string refusal;  // the reader's message, or empty when the file decodes
  int width = 0, height = 0;  // of a picture that decodes
};

// Every hostile file, with what reading it must give.
std::vector<HostileFile> HostileFiles();

}  // namespace huemira::test
