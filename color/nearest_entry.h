// The palette entry nearest to a colour by CIEDE2000: which of a palette's
// colours (a brand palette, the CSS names) a picked colour is, and how far
// off.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "color/ciede2000_bound.h"
#include "color/palette.h"

namespace huemira {

struct NearestMatch {
  std::size_t index;  // into the palette's entries
  double deltaE;      // Ciede2000(CieLabOf(colour), CieLabOf(entry))
};

// Made once per palette (CIELAB of every entry, and a tree of boxes of
// them); each query then visits only the boxes whose CIEDE2000 lower bound
// (ciede2000_bound.h) does not exceed the best difference found so far.
// The answer is the one a check of every entry gives, ties going to the
// first entry. The index does not keep the palette.
class NearestEntryIndex {
 public:
  explicit NearestEntryIndex(const Palette& palette);

  // Empty for an empty palette. The colour must be a plain RGB value.
  std::optional<NearestMatch> Nearest(TColor color) const;

 private:
  struct Item {
    CieLab lab;
    std::size_t index;
  };
  struct Node {
    CieLabBox box;
    std::size_t begin, end;   // items of a leaf
    int low = -1, high = -1;  // children; -1 for a leaf
  };

  int Build(std::size_t begin, std::size_t end);
  void Search(int node, const CieLab& target, NearestMatch& best) const;

  std::vector<Item> items_;
  std::vector<Node> nodes_;
};

}  // namespace huemira
