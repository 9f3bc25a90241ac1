#include "players/catalogue.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <filesystem>

#include "core/listinput.h"
#include "core/screens.h"
#include "core/tapo_iii.h"
#include "platform/i18n.h"
#include "platform/ini.h"
#include "platform/loop.h"
#include "platform/msgbox.h"
#include "players/profiles.h"

namespace tapo::players {
namespace {

// A whole number of 16 bits, as the catalogue stores places and prices.
std::optional<int> whole(const std::string& item) {
  int v = 0;
  const char* end = item.data() + item.size();
  const auto [at, ec] = std::from_chars(item.data(), end, v);
  if (ec != std::errc{} || at != end || v < SHRT_MIN || v > SHRT_MAX) return std::nullopt;
  return v;
}

// Names become file names: nothing that could lead out of the folder.
bool plain_name(const std::string& name) {
  return !name.empty() && name.find_first_of("\\/:") == std::string::npos && name != "." && name != "..";
}

// The records of `width` items each: a name and whole numbers.  At most
// `limit` records; nullopt for anything else.
std::optional<std::vector<std::pair<std::string, std::vector<int>>>> records(std::string_view text, std::size_t width,
                                                                              std::size_t limit) {
  const auto items = core::list_items(text);
  if (items.size() % width != 0 || items.size() / width > limit) return std::nullopt;
  std::vector<std::pair<std::string, std::vector<int>>> out;
  for (std::size_t i = 0; i < items.size(); i += width) {
    if (!plain_name(items[i])) return std::nullopt;
    std::vector<int> numbers;
    for (std::size_t k = 1; k < width; ++k) {
      const auto v = whole(items[i + k]);
      if (!v) return std::nullopt;
      numbers.push_back(*v);
    }
    out.push_back({items[i], std::move(numbers)});
  }
  return out;
}

}  // namespace

std::optional<std::vector<ShopPlace>> read_shop_places(std::string_view text) {
  const auto r = records(text, 5, kMaxToys);
  if (!r) return std::nullopt;
  std::vector<ShopPlace> out;
  for (const auto& [name, n] : *r) out.push_back({name, {n[0], n[1]}, {n[2], n[3]}});
  return out;
}

std::optional<std::vector<Price>> read_prices(std::string_view text, std::size_t count) {
  // Only the first `count` records are read; whatever follows them is not.
  auto r = records(text, 2, SIZE_MAX);
  if (!r || r->size() < count) return std::nullopt;
  std::vector<Price> out;
  for (std::size_t k = 0; k < count; ++k) {
    if ((*r)[k].second[0] < 0) return std::nullopt;
    out.push_back({(*r)[k].first, (*r)[k].second[0]});
  }
  return out;
}

std::optional<std::vector<RoomPlace>> read_room_places(std::string_view text) {
  const auto r = records(text, 7, kMaxToys);
  if (!r) return std::nullopt;
  std::vector<RoomPlace> out;
  for (const auto& [name, n] : *r) out.push_back({name, {n[0], n[1]}, {n[2], n[3], n[4], n[5]}});
  return out;
}

std::optional<std::vector<Offer>> toys_on_offer(const std::vector<ShopPlace>& places, const std::vector<Price>& prices,
                                                std::string_view flags) {
  std::vector<Offer> out;
  for (std::size_t k = 0; k < prices.size(); ++k) {
    if (k >= flags.size() || flags[k] != '0') continue;
    const auto at = std::find_if(places.begin(), places.end(), [&](const ShopPlace& p) { return p.name == prices[k].name; });
    if (at == places.end()) return std::nullopt;
    out.push_back({static_cast<int>(at - places.begin()), prices[k].coins});
  }
  return out;
}

std::optional<std::vector<int>> toys_in_room(const std::vector<RoomPlace>& room, const std::vector<Price>& prices,
                                             std::string_view flags) {
  std::vector<int> out;
  for (std::size_t k = 0; k < room.size() && k < prices.size(); ++k) {
    if (k >= flags.size() || flags[k] != '1') continue;
    const auto at = std::find_if(room.begin(), room.end(), [&](const RoomPlace& p) { return p.name == prices[k].name; });
    if (at == room.end()) return std::nullopt;
    out.push_back(static_cast<int>(at - room.begin()));
  }
  return out;
}

namespace {

const core::MediaPath kShopPlaces{core::Root::Media, "\\HRACKAR\\POZICE.DAT"};
const core::MediaPath kPriceList{core::Root::Media, "\\HRACKAR\\HRACKY.IDX"};
const core::MediaPath kRoomPlaces{core::Root::Media, "\\POKOJ\\HRACKY\\POZICE.DAT"};

std::optional<std::string> media_text(const core::MediaPath& m) { return core::read_text_file(core::real_path(m)); }

}  // namespace

std::optional<ShopStock> load_shop(core::MediaPath& broken) {
  const auto places_text = media_text(kShopPlaces);
  auto places = places_text ? read_shop_places(*places_text) : std::nullopt;
  if (!places) return broken = kShopPlaces, std::nullopt;
  const auto prices_text = media_text(kPriceList);
  const auto prices = prices_text ? read_prices(*prices_text, places->size()) : std::nullopt;
  auto offers = prices ? toys_on_offer(*places, *prices, owned_flags()) : std::nullopt;
  if (!offers) return broken = kPriceList, std::nullopt;
  return ShopStock{std::move(*places), std::move(*offers)};
}

std::optional<RoomStock> load_room(core::MediaPath& broken) {
  const auto room_text = media_text(kRoomPlaces);
  auto room = room_text ? read_room_places(*room_text) : std::nullopt;
  if (!room) return broken = kRoomPlaces, std::nullopt;
  const auto prices_text = media_text(kPriceList);
  const auto prices = prices_text ? read_prices(*prices_text, room->size()) : std::nullopt;
  auto owned = prices ? toys_in_room(*room, *prices, owned_flags()) : std::nullopt;
  if (!owned) return broken = kPriceList, std::nullopt;
  return RoomStock{std::move(*room), std::move(*owned)};
}

void catalogue_broken(platform::Form& screen, const core::MediaPath& broken) {
  core::note_unreadable(broken);
  platform::message_box(platform::tr("Stop!"),
                        platform::fill(platform::tr("The list of toys cannot be read: the file %1 is damaged. Please "
                                                    "install the game's media again."),
                                       {core::real_path(broken).string()}),
                        platform::MsgIcon::Stop);
  auto& loop = platform::Loop::instance();
  loop.post([] { core::screens::show(core::screens::kPlayers); });
  loop.post([form = screen.shared_from_this()] { form->unload(); });
}

std::string owned_flags() {
  if (core::player_id.empty()) return {};
  return core::read_ini(core::Root::Data, kResultsFile, core::player_id, "Hracky");
}

bool buy_toy(int entry, int price) {
  if (core::player_id.empty() || price < 0 || price > core::player_coins) return false;
  std::string flags = owned_flags();
  if (flags == platform::kIniMissing) {
    // Without its file (the data folder gone) the purchase cannot be kept.
    std::error_code ec;
    if (!std::filesystem::exists(core::real_path(core::Root::Data, kResultsFile), ec))
      core::report_unsaved(core::Root::Data, kResultsFile);
    return false;
  }
  if (entry < 0 || static_cast<std::size_t>(entry) >= flags.size()) return false;
  flags[static_cast<std::size_t>(entry)] = '1';
  const std::string balance = std::to_string(core::player_coins - price);
  if (!core::write_ini(core::Root::Data, kResultsFile, core::player_id, {{"Dukaty", balance}, {"Hracky", flags}}))
    return false;
  core::player_coins -= price;
  return true;
}

}  // namespace tapo::players
