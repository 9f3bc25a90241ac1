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
// The nine games.
inline constexpr std::string_view kTarget = "frm_terc";
inline constexpr std::string_view kDragon = "frm_drak";
inline constexpr std::string_view kScales = "frm_vahy";
inline constexpr std::string_view kCaterpillar = "frm_housenka";
inline constexpr std::string_view kSnake = "frm_had";
inline constexpr std::string_view kDrill = "frm_dril";
inline constexpr std::string_view kTug = "frm_pretah";
inline constexpr std::string_view kSnails = "frm_sneci";
inline constexpr std::string_view kMemory = "frm_pexeso";

// Shows screen `name` modeless (loading it first when needed); a name that
// no screen registered throws std::logic_error.
void show(std::string_view name);

}  // namespace tapo::core::screens
