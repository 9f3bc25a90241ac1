// Every game, each described once in its own layout header: adding a game
// is its folder and one line here (and its toy on the games menu's picture).
#pragma once

#include <array>

#include "core/game_layout.h"
#include "games/drak/layout.h"
#include "games/dril/layout.h"
#include "games/had/layout.h"
#include "games/housenka/layout.h"
#include "games/pexeso/layout.h"
#include "games/pretah/layout.h"
#include "games/sneci/layout.h"
#include "games/terc/layout.h"
#include "games/vahy/layout.h"

namespace tapo::games {

inline constexpr std::array<const core::Game*, 9> kGames = {
    &had::kGame, &drak::kGame, &pexeso::kGame, &sneci::kGame, &housenka::kGame,
    &dril::kGame, &terc::kGame, &vahy::kGame, &pretah::kGame,
};

}  // namespace tapo::games
