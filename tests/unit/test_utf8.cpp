// Names as typed and as stored: UTF-8, and older rosters in the Windows
// code page of their language.
#include <gtest/gtest.h>

#include "platform/utf8.h"

using namespace tapo::platform;

TEST(Utf8, ValidTextIsKeptAndTheOldCodePageIsRead) {
  EXPECT_TRUE(valid_utf8("Šárka"));
  EXPECT_TRUE(valid_utf8("Вова"));
  EXPECT_TRUE(valid_utf8(""));
  EXPECT_FALSE(valid_utf8("\x8A\xE1rka"));
  EXPECT_FALSE(valid_utf8("\xC0\xAF")) << "an overlong slash";
  EXPECT_FALSE(valid_utf8("\xED\xA0\x80")) << "a surrogate";
  EXPECT_FALSE(valid_utf8("abc\xC5")) << "cut in the middle of a character";
  EXPECT_EQ(stored_text_to_utf8("\x8A\xE1rka"), "Šárka");
  EXPECT_EQ(stored_text_to_utf8("\xC8\xED\x9E" "ek \xF8\xED\xE8n\xED \xD9"), "Čížek říční Ů");
  EXPECT_EQ(stored_text_to_utf8("Šárka"), "Šárka");
  EXPECT_EQ(to_utf8("\x81" "a", "CP1250"), "\xEF\xBF\xBD" "a") << "a byte the code page leaves empty";
  EXPECT_EQ(stored_text_to_utf8("\xDE\xEB\xFF", "ru"), "Юля");
  EXPECT_EQ(stored_text_to_utf8("\xDE\xEB\xFF", "cs"), "Ţë˙");
  EXPECT_EQ(to_utf8(from_utf8("Jmeno=Юля", "UTF-16LE"), "UTF-16LE"), "Jmeno=Юля");
}

TEST(Utf8, CharactersAreCountedAndTakenBackWhole) {
  EXPECT_EQ(utf8_length("Šárka"), 5u);
  EXPECT_EQ(utf8_length("Вова"), 4u);
  std::string s = "Eva Ž";
  utf8_pop_back(s);
  EXPECT_EQ(s, "Eva ");
  std::string empty;
  utf8_pop_back(empty);
  EXPECT_TRUE(empty.empty());
}
