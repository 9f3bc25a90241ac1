// The names of the game's screens, and the one way to open a screen by name.
//
// Screens register themselves (TAPO_REGISTER_FORM), so no screen includes
// another's header.  Opening a name that nobody registered is an error.
#pragma once

#include <string_view>

namespace tapo::core::screens {

inline constexpr std::string_view kStartUp = "frm_inout";
inline constexpr std::string_view kPlayers = "frm_hraci";
inline constexpr std::string_view kGamesMenu = "frm_hry";
inline constexpr std::string_view kPiggyBank = "frm_prasatko";
inline constexpr std::string_view kToyShop = "frm_hrackarstvi";
inline constexpr std::string_view kTown = "frm_mestecko";
inline constexpr std::string_view kRoom = "frm_pokoj";
inline constexpr std::string_view kGrownUps = "frm_grownups";
// The games' screens are named in their rows (games/games.h).

// Shows screen `name` modeless (loading it first when needed); a name that
// no screen registered throws std::logic_error.
void show(std::string_view name);

}  // namespace tapo::core::screens
