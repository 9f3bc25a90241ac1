// The names of the game's screens, and the one way to open a screen by name.
//
// Screens register themselves (TAPO_REGISTER_FORM), so no screen includes
// another's header.  Opening a name that nobody registered is an error,
// except for the screens still to be built: a "coming soon" screen stands in
// for those.
#pragma once

#include <array>
#include <functional>
#include <string_view>

#include "platform/surface.h"

namespace tapo::core::screens {

inline constexpr std::string_view kStartUp = "frm_inout";
inline constexpr std::string_view kPlayers = "frm_hraci";
inline constexpr std::string_view kGamesMenu = "frm_hry";
inline constexpr std::string_view kPiggyBank = "frm_prasatko";
inline constexpr std::string_view kToyShop = "frm_hrackarstvi";
inline constexpr std::string_view kTown = "frm_mestecko";
inline constexpr std::string_view kRoom = "frm_pokoj";
inline constexpr std::string_view kComingSoon = "frm_pripravujeme";
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

// The screens of the game not built yet; each one built leaves this list.
inline constexpr std::array<std::string_view, 0> kNotBuiltYet = {
    };

bool not_built_yet(std::string_view name);

// Shows screen `name` modeless (loading it first when needed).  A screen not
// built yet is stood in for by the "coming soon" screen, which shows `area`
// of the screen `from` enlarged and goes back there.  Any other name that no
// screen registered throws std::logic_error.
void show(std::string_view name, platform::Rect area = {}, std::string_view from = kGamesMenu);

// The "coming soon" screen installs itself here.
using StandIn = std::function<void(std::string_view name, platform::Rect area, std::string_view from)>;
void set_stand_in(StandIn stand_in);

}  // namespace tapo::core::screens
