// The few values most recently used, by key: looking one up makes it the
// newest, and putting one in beyond the capacity forgets the oldest.
#pragma once

#include <algorithm>
#include <cstddef>
#include <list>
#include <utility>

namespace huemira {

template <typename Key, typename Value>
class RecentValues {
 public:
  explicit RecentValues(std::size_t capacity) : capacity_(capacity) {}

  // The value under key, or null; valid until the next Put.
  const Value* Find(const Key& key) {
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&key](const auto& e) { return e.first == key; });
    if (found == entries_.end()) return nullptr;
    entries_.splice(entries_.begin(), entries_, found);
    return &entries_.front().second;
  }

  void Put(Key key, Value value) {
    entries_.remove_if([&key](const auto& e) { return e.first == key; });
    entries_.emplace_front(std::move(key), std::move(value));
    if (entries_.size() > capacity_) entries_.pop_back();
  }

  std::size_t Size() const { return entries_.size(); }

 private:
  std::size_t capacity_;
  // Newest first; a handful of entries, where a list beats any index.
  std::list<std::pair<Key, Value>> entries_;
};

}  // namespace huemira
