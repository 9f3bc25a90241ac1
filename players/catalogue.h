// The toy catalogue: where each toy stands in the shop and in the room, what
// it costs, which toys a player owns, and buying one.
//
// \HRACKAR\POZICE.DAT          "name", toy x, toy y, tag x, tag y   (the shop)
// \HRACKAR\HRACKY.IDX          "name", price                        (same toys, same order)
// \POKOJ\HRACKY\POZICE.DAT     "name", toy x, toy y, area left, top, width, height   (the room)
//
// Character k of a player's "Hracky" flags belongs to record k of the
// catalogue: '1' owned, '0' not; records past the flags' end are never offered.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/tapo_iii.h"
#include "platform/surface.h"
#include "platform/ui.h"

namespace tapo::players {

inline constexpr std::size_t kMaxToys = 50;

struct ShopPlace {
  std::string name;
  platform::Point toy, tag;
};
struct Price {
  std::string name;
  int coins = 0;
};
struct RoomPlace {
  std::string name;
  platform::Point toy;
  platform::Rect area;
};

// Each reader gives nullopt for a text that is no catalogue: a number that
// is not a whole number, a record cut short, more than kMaxToys records, a
// name that is empty or is no plain file name.
std::optional<std::vector<ShopPlace>> read_shop_places(std::string_view text);
// The first `count` records (all must be there).
std::optional<std::vector<Price>> read_prices(std::string_view text, std::size_t count);
std::optional<std::vector<RoomPlace>> read_room_places(std::string_view text);

// A toy on offer: its catalogue entry (0-based) and price.
struct Offer {
  int entry = 0;
  int price = 0;
};
// The toys whose flag is '0', in price-list order; nullopt when a priced
// toy is missing from the shop's places.
std::optional<std::vector<Offer>> toys_on_offer(const std::vector<ShopPlace>& places, const std::vector<Price>& prices,
                                                std::string_view flags);
// The owned toys of the room: for each flag '1' among the first room
// records, the room entry of that toy's name; nullopt when one is missing.
std::optional<std::vector<int>> toys_in_room(const std::vector<RoomPlace>& room, const std::vector<Price>& prices,
                                             std::string_view flags);

// The shop's places with the current player's toys on offer, and the room's
// places with the entries of the player's toys, as the media folder has
// them; nullopt when a file is missing or no catalogue, with that file in
// `broken` (the price list when the two files name different toys).
struct ShopStock {
  std::vector<ShopPlace> places;
  std::vector<Offer> offers;
};
std::optional<ShopStock> load_shop(core::MediaPath& broken);
struct RoomStock {
  std::vector<RoomPlace> places;
  std::vector<int> owned;
};
std::optional<RoomStock> load_room(core::MediaPath& broken);

// Tells that the catalogue file `broken` cannot be read (naming
// it) and goes back to the players' screen, leaving `screen` once its
// current handler has ended.
void catalogue_broken(platform::Form& screen, const core::MediaPath& broken);

// The current player's toy flags as stored.
std::string owned_flags();
// Pays `price` for catalogue entry `entry` (0-based) out of the current
// player's coins: the new balance and the toy's flag are written in one
// change of the results file, so neither is ever saved without the other.
// False, with nothing changed, when the coins are too few, there is no
// current player or the toy has no flag.
bool buy_toy(int entry, int price);

}  // namespace tapo::players
