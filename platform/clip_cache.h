// What both clip readers share: which stored picture a frame shows, and the
// decoded pictures an open clip keeps, most recently used first, within a
// budget of memory (a picture let go is decoded again when asked for).
#pragma once

#include <algorithm>
#include <cstddef>
#include <list>
#include <unordered_map>
#include <vector>

#include "platform/surface.h"

namespace tapo::platform {

// The most frames a clip may claim: far more than any of the game's clips
// hold, little enough that no count read from a file makes a lookup costly.
constexpr int kMaxClipFrames = 1 << 20;

// The stored picture a clip shows at frame n: the last one stored at or
// before n (its `frame`); frames before the first stored one show that one.
template <class Stored>
int stored_picture_at(const std::vector<Stored>& stored, int n) {
  auto it = std::upper_bound(stored.begin(), stored.end(), n, [](int f, const Stored& p) { return f < p.frame; });
  return it == stored.begin() ? 0 : static_cast<int>(it - stored.begin()) - 1;
}

class PictureCache {
 public:
  static constexpr std::size_t kBudget = 64u << 20;

  // The picture stored under `index`, now the most recently used; or null.
  const Surface* find(int index) {
    auto hit = cache_.find(index);
    if (hit == cache_.end()) return nullptr;
    lru_.splice(lru_.begin(), lru_, hit->second.lru);
    return &hit->second.surface;
  }
  bool contains(int index) const { return cache_.contains(index); }

  // Keeps a picture; the oldest go while over budget, but never the newest.
  const Surface* store(int index, Surface s) {
    if (const Surface* old = find(index)) return old;
    bytes_ += s.pixels().size() * sizeof(Rgb);
    lru_.push_front(index);
    auto [at, inserted] = cache_.emplace(index, Cached{std::move(s), lru_.begin()});
    while (bytes_ > kBudget && lru_.size() > 1) {
      auto victim = cache_.find(lru_.back());
      lru_.pop_back();
      bytes_ -= victim->second.surface.pixels().size() * sizeof(Rgb);
      cache_.erase(victim);
    }
    return &at->second.surface;
  }

 private:
  struct Cached {
    Surface surface;
    std::list<int>::iterator lru;
  };
  std::unordered_map<int, Cached> cache_;
  std::list<int> lru_;
  std::size_t bytes_ = 0;
};

}  // namespace tapo::platform
