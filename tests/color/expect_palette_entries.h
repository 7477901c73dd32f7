// The palette tests' one way of checking what a reader made of a file.
#pragma once

#include <gtest/gtest.h>

#include <span>

#include "color/palette.h"

namespace huemira {

struct ExpectedEntry {
  const char* name;
  TColor color;
  bool mapped;
};

inline void ExpectEntries(const Palette& palette, std::span<const ExpectedEntry> expected) {
  ASSERT_EQ(palette.entries.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(palette.entries[i].name, expected[i].name);
    EXPECT_EQ(palette.entries[i].color, expected[i].color);
    EXPECT_EQ(palette.entries[i].mapped, expected[i].mapped);
  }
}

}  // namespace huemira
