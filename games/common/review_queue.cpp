#include "games/common/review_queue.h"

#include "core/tapo_iii.h"
#include "players/journal.h"
#include "players/record.h"

namespace tapo::games {

void ReviewQueue::load() {
  due_.clear();
  since_last_ = kSpacing;
  if (core::player_id.empty()) return;
  for (const auto& item : players::journal::Journal(players::record::file()).review(core::player_id, true))
    if (auto fact = players::review::parse_fact(item.fact)) due_.push_back(std::move(*fact));
}

}  // namespace tapo::games
