// The facts of the current piglet's review that are due today, for a game
// that poses them now and then in place of one of its own examples: at most
// one example in four comes from the review.  The game says which facts it
// can pose and how; its generators stay as they are.
#pragma once

#include <optional>
#include <vector>

#include "players/review.h"

namespace tapo::games {

class ReviewQueue {
 public:
  // Reads the facts due today (none without a current player).
  void load();
  // The facts due that are still to come, for a game that deals several at once.
  const std::vector<players::review::Fact>& due() const { return due_; }
  // At an example: the game's example of a due fact that `make` can pose, when
  // three examples of its own have come since the last one; that fact is
  // then taken off the queue.  Nullopt: the game draws its own.
  template <class Make>
  auto next(Make make) -> decltype(make(std::declval<const players::review::Fact&>())) {
    if (since_last_ < kSpacing) {
      ++since_last_;
      return std::nullopt;
    }
    for (auto it = due_.begin(); it != due_.end(); ++it)
      if (auto example = make(*it)) {
        due_.erase(it);
        since_last_ = 0;
        return example;
      }
    return std::nullopt;
  }

 private:
  static constexpr int kSpacing = 3;
  std::vector<players::review::Fact> due_;
  int since_last_ = kSpacing;
};

}  // namespace tapo::games
