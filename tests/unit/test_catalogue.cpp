// The toy catalogue: reading its files strictly, which toys are offered or
// stand in the room, and buying one.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/tapo_iii.h"
#include "platform/ini.h"
#include "players/catalogue.h"
#include "players/profiles.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
namespace core = tapo::core;
namespace players = tapo::players;
using tapo::testing::TempDir;

TEST(Catalogue, FilesThatAreNoCatalogueAreRefused) {
  const auto shop = players::read_shop_places("\"mic\",10,20,30,40\r\n\"auto\", 700 ,100,720,150\r\n");
  ASSERT_TRUE(shop);
  ASSERT_EQ(shop->size(), 2u);
  EXPECT_EQ((*shop)[1].name, "auto");
  EXPECT_EQ((*shop)[1].tag.x, 720);

  EXPECT_FALSE(players::read_shop_places("\"mic\",10,20,30,4O\r\n"));       // a letter in a number
  EXPECT_FALSE(players::read_shop_places("\"mic\",10,20,30,40\r\n\"a\",1\r\n"));  // a record cut short
  EXPECT_FALSE(players::read_shop_places("\"..\\\\x\",10,20,30,40\r\n"));   // a name leading elsewhere
  EXPECT_FALSE(players::read_shop_places("\"mic\",10,20,30,99999\r\n"));    // beyond 16 bits
  std::string many;
  for (int k = 0; k < 51; ++k) many += "\"t" + std::to_string(k) + "\",1,2,3,4\r\n";
  EXPECT_FALSE(players::read_shop_places(many));
  EXPECT_FALSE(players::read_prices("\"mic\",5\r\n", 2));  // fewer prices than toys
  EXPECT_FALSE(players::read_prices("\"mic\",-5\r\n", 1));
  EXPECT_FALSE(players::read_room_places("\"mic\",1,2,3,4,5\r\n"));
}

TEST(Catalogue, OffersAndRoomFollowTheFlags) {
  const std::vector<players::ShopPlace> shop = {{"mic", {}, {}}, {"meda", {}, {}}, {"auto", {}, {}}};
  // The price list may order the toys its own way; flags follow the price list.
  const std::vector<players::Price> prices = {{"auto", 9}, {"mic", 3}, {"meda", 40}};
  const auto offer = players::toys_on_offer(shop, prices, "010");
  ASSERT_TRUE(offer);
  ASSERT_EQ(offer->size(), 2u);
  EXPECT_EQ((*offer)[0].entry, 2);  // "auto" stands at shop place 3
  EXPECT_EQ((*offer)[1].entry, 1);
  EXPECT_EQ((*offer)[1].price, 40);
  // A toy past the end of the flags is never offered; one missing from the shop is an error.
  EXPECT_EQ(players::toys_on_offer(shop, prices, "11")->size(), 0u);
  EXPECT_FALSE(players::toys_on_offer({{"mic", {}, {}}}, prices, "000"));

  const std::vector<players::RoomPlace> room = {{"meda", {}, {}}, {"mic", {}, {}}};
  EXPECT_EQ(*players::toys_in_room(room, prices, "011"), (std::vector<int>{1}));  // the third record is past the room's
  EXPECT_FALSE(players::toys_in_room({{"meda", {}, {}}, {"kite", {}, {}}}, prices, "01"));
}

class Buying : public ::testing::Test {
 protected:
  void SetUp() override {
    core::data_dir = data_.path().string();
    ASSERT_TRUE(players::create_profile("PRP", "Eva", 1));
    players::choose_slot("PRP", "Eva");
    core::player_coins = 7;
    tapo::platform::write_ini(results(), "PRP", "Dukaty", "7");
  }
  void TearDown() override { core::clear_player(); }
  fs::path results() const { return data_ / "VYSLEDKY.DAT"; }
  std::string stored(const char* key) const { return tapo::platform::read_ini(results(), "PRP", key); }
  TempDir data_;
};

TEST_F(Buying, APriceOfTheWholeBalanceIsPaidAndTheToyIsOwned) {
  EXPECT_FALSE(players::buy_toy(2, 8));
  EXPECT_EQ(stored("Dukaty"), "7");
  EXPECT_EQ(stored("Hracky"), players::kNoToys);
  ASSERT_TRUE(players::buy_toy(2, 7));
  EXPECT_EQ(core::player_coins, 0);
  EXPECT_EQ(stored("Dukaty"), "0");
  EXPECT_EQ(stored("Hracky").substr(0, 4), "0010");
  EXPECT_FALSE(players::buy_toy(38, 0)) << "there is no 39th flag";
}

}  // namespace
