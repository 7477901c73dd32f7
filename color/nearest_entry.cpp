#include "color/nearest_entry.h"

#include <algorithm>
#include <limits>

#include "color/ciede2000.h"

namespace huemira {
namespace {

// Leaves this small keep the exact differences few; smaller ones cost more
// in bounds than they save.
constexpr std::size_t kLeafSize = 8;

double Coordinate(const CieLab& lab, int axis) { return axis == 0 ? lab.l : axis == 1 ? lab.a : lab.b; }

}  // namespace

NearestEntryIndex::NearestEntryIndex(const Palette& palette) {
  items_.reserve(palette.entries.size());
  for (std::size_t i = 0; i < palette.entries.size(); ++i) {
    items_.push_back({CieLabOf(palette.entries[i].color), i});
  }
  if (!items_.empty()) {
    nodes_.reserve(2 * items_.size() / kLeafSize + 2);
    Build(0, items_.size());
  }
}

int NearestEntryIndex::Build(std::size_t begin, std::size_t end) {
  CieLabBox box{items_[begin].lab.l, items_[begin].lab.l, items_[begin].lab.a,
                items_[begin].lab.a, items_[begin].lab.b, items_[begin].lab.b};
  for (std::size_t i = begin; i < end; ++i) {
    const CieLab& lab = items_[i].lab;
    box = {std::min(box.lMin, lab.l), std::max(box.lMax, lab.l), std::min(box.aMin, lab.a),
           std::max(box.aMax, lab.a), std::min(box.bMin, lab.b), std::max(box.bMax, lab.b)};
  }
  const int self = static_cast<int>(nodes_.size());
  nodes_.push_back({.box = box, .begin = begin, .end = end});
  if (end - begin <= kLeafSize) return self;
  // Split the widest side at the median.
  const double extents[3] = {box.lMax - box.lMin, box.aMax - box.aMin, box.bMax - box.bMin};
  const int axis = static_cast<int>(std::max_element(extents, extents + 3) - extents);
  const std::size_t middle = begin + (end - begin) / 2;
  std::nth_element(items_.begin() + static_cast<std::ptrdiff_t>(begin),
                   items_.begin() + static_cast<std::ptrdiff_t>(middle),
                   items_.begin() + static_cast<std::ptrdiff_t>(end),
                   [axis](const Item& x, const Item& y) { return Coordinate(x.lab, axis) < Coordinate(y.lab, axis); });
  const int low = Build(begin, middle);
  const int high = Build(middle, end);
  nodes_[static_cast<std::size_t>(self)].low = low;
  nodes_[static_cast<std::size_t>(self)].high = high;
  return self;
}

void NearestEntryIndex::Search(int nodeIndex, const CieLab& target, NearestMatch& best) const {
  const Node& node = nodes_[static_cast<std::size_t>(nodeIndex)];
  if (node.low < 0) {
    for (std::size_t i = node.begin; i < node.end; ++i) {
      const double deltaE = Ciede2000(target, items_[i].lab);
      if (deltaE < best.deltaE || (deltaE == best.deltaE && items_[i].index < best.index)) {
        best = {items_[i].index, deltaE};
      }
    }
    return;
  }
  // The nearer child first, so that the best found soon rules out the other.
  const auto bound = [&](int child) {
    const CieLabBox& box = nodes_[static_cast<std::size_t>(child)].box;
    const double cheap = Ciede2000LightnessLowerBound(target, box.lMin, box.lMax);
    return cheap > best.deltaE ? cheap : Ciede2000LowerBound(target, box);
  };
  double lowBound = bound(node.low);
  double highBound = bound(node.high);
  int first = node.low, second = node.high;
  if (highBound < lowBound) {
    std::swap(first, second);
    std::swap(lowBound, highBound);
  }
  // Bounds equal to the best may still hold a tie with a smaller index.
  if (lowBound <= best.deltaE) Search(first, target, best);
  if (highBound <= best.deltaE) Search(second, target, best);
}

std::optional<NearestMatch> NearestEntryIndex::Nearest(TColor color) const {
  if (items_.empty()) return std::nullopt;
  NearestMatch best{std::numeric_limits<std::size_t>::max(), std::numeric_limits<double>::infinity()};
  Search(0, CieLabOf(color), best);
  return best;
}

}  // namespace huemira
