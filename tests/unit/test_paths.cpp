#include "platform/paths.h"

#include "core/tapo_iii.h"
#include "tests/unit/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using tapo::platform::file_name_of;
using tapo::platform::media_file_exists;
using tapo::platform::path_components;
using tapo::platform::resolve_path;

using Parts = std::vector<std::string>;

TEST(MediaPathText, ComponentsAndFileNames) {
  EXPECT_EQ(path_components("\\A\\\\b/C.BMP"), (Parts{"A", "b", "C.BMP"}));
  EXPECT_EQ(path_components("./SOUNDS/.\\\\HELLO.WAV\\"), (Parts{"SOUNDS", "HELLO.WAV"}));
  EXPECT_EQ(path_components("..\\X"), (Parts{"..", "X"}));
  EXPECT_EQ(path_components("HELLO.WAV"), (Parts{"HELLO.WAV"}));
  EXPECT_TRUE(path_components("").empty());
  EXPECT_TRUE(path_components("\\\\/.\\").empty());

  EXPECT_EQ(file_name_of("\\SOUNDS\\HELLO.WAV"), "HELLO.WAV");
  EXPECT_EQ(file_name_of("pics/a\\b/intro.bmp"), "intro.bmp");
  EXPECT_EQ(file_name_of("INTRO.BMP"), "INTRO.BMP");
  EXPECT_EQ(file_name_of("\\PICS\\"), "");
  EXPECT_EQ(file_name_of(""), "");
}

// A media tree copied from the disc with lower-case names.
class MediaTree : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = tapo::testing::make_temp_dir("tapo_media_");
    for (const char* dir : {"sounds/numbers", "pics", "Data", "data"})
      fs::create_directories(root_ / dir);
    for (const char* file : {"sounds/hello.wav", "pics/Intro.bmp", "Data/a.txt", "data/b.txt"})
      std::ofstream(root_ / file) << "x";
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  fs::path root_;
};

TEST_F(MediaTree, ResolvesEachComponentWithoutRegardToCase) {
  const fs::path hello = root_ / "sounds" / "hello.wav";
  EXPECT_EQ(resolve_path(root_, "\\SOUNDS\\HELLO.WAV"), hello);
  EXPECT_EQ(resolve_path(root_, "SOUNDS//Hello.Wav"), hello);
  EXPECT_EQ(resolve_path(root_, "/sounds\\\\HELLO.wav"), hello);
  EXPECT_EQ(resolve_path(root_, ".\\Sounds\\.\\hello.WAV"), hello);
  EXPECT_EQ(resolve_path(root_, "\\PICS\\INTRO.BMP"), root_ / "pics" / "Intro.bmp");
  EXPECT_EQ(resolve_path(root_, ""), root_);
}

TEST_F(MediaTree, KeepsMissingTailAsWritten) {
  EXPECT_EQ(resolve_path(root_, "\\SOUNDS\\New\\Clip.WAV"), root_ / "sounds" / "New" / "Clip.WAV");
  EXPECT_EQ(resolve_path(root_, "\\SOUNDS\\HELLO.WAV\\X"), root_ / "sounds" / "hello.wav" / "X");
  EXPECT_EQ(resolve_path(root_, "\\Music\\Sounds"), root_ / "Music" / "Sounds");
  // The root is taken as it is, never corrected.
  EXPECT_EQ(resolve_path(root_ / "SOUNDS", "HELLO.WAV"), root_ / "SOUNDS" / "HELLO.WAV");
}

TEST_F(MediaTree, ExactSpellingWinsOverOtherCases) {
  EXPECT_EQ(resolve_path(root_, "\\data\\b.txt"), root_ / "data" / "b.txt");
  EXPECT_EQ(resolve_path(root_, "\\Data\\A.TXT"), root_ / "Data" / "a.txt");
  // Without an exact match the choice is fixed: "Data" sorts before "data".
  EXPECT_EQ(resolve_path(root_, "\\DATA\\A.TXT"), root_ / "Data" / "a.txt");
  EXPECT_EQ(resolve_path(root_, "\\dATA\\B.TXT"), root_ / "Data" / "B.TXT");
}

TEST_F(MediaTree, MediaFileExistsOnlyForRegularFiles) {
  EXPECT_TRUE(media_file_exists(root_, "\\SOUNDS\\HELLO.WAV"));
  EXPECT_TRUE(media_file_exists(root_, "pics/intro.BMP"));
  EXPECT_FALSE(media_file_exists(root_, "\\SOUNDS"));
  EXPECT_FALSE(media_file_exists(root_, "\\SOUNDS\\NUMBERS"));
  EXPECT_FALSE(media_file_exists(root_, "\\SOUNDS\\BYE.WAV"));
  EXPECT_FALSE(media_file_exists(root_ / "nowhere", "\\SOUNDS\\HELLO.WAV"));
}

// The family's language: the settings' key first, else the desktop's list
// of languages, else its locale; English for what the game does not speak.
TEST(Language, TheSettingWinsThenTheLanguageListThenTheLocale) {
  using tapo::core::chosen_language;
  const std::string missing(tapo::platform::kIniMissing);
  EXPECT_EQ(chosen_language("CS", "ru", "ru_RU.UTF-8"), "cs");
  EXPECT_EQ(chosen_language("de", "cs", "cs_CZ.UTF-8"), "en") << "a language the game lacks is English";
  EXPECT_EQ(chosen_language("auto", "", "ru_RU.UTF-8"), "ru");
  EXPECT_EQ(chosen_language(missing, "de_AT:cs_CZ:ru", "ru_RU.UTF-8"), "cs") << "the first the game speaks";
  EXPECT_EQ(chosen_language(missing, "de:", "cs_CZ.UTF-8"), "en") << "as gettext: the list wins over the locale";
  EXPECT_EQ(chosen_language("", "", "cs_CZ@euro"), "cs");
  EXPECT_EQ(chosen_language(missing, "", "C.UTF-8"), "en");
  EXPECT_EQ(chosen_language(missing, "", ""), "en");
}

}  // namespace
