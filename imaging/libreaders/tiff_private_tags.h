// The private tags 40000 ... 40019 that TTiffGraphic reads and writes as
// text. libtiff must know them before a file is opened; this registers them
// with its tag extender once per process.
#pragma once

namespace huemira {

constexpr int kFirstPrivateTiffTag = 40000;
constexpr int kPrivateTiffTagCount = 20;

void MakePrivateTiffTagsKnown();

}  // namespace huemira
