// The demo pack's voice: a sentence kept from an earlier run is the sentence
// spoken anew, so a build that takes its speech from the cache makes the
// same pack as one that speaks everything.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "tests/unit/test_support.h"
#include "tools/mkmedia/speech.h"

namespace fs = std::filesystem;
using tapo::media::Voice;

namespace {

// Runs with no program to be found: a voice that still speaks took every
// sentence from its cache.
class NoPrograms {
 public:
  NoPrograms() : path_(std::getenv("PATH")) { setenv("PATH", "", 1); }
  ~NoPrograms() { setenv("PATH", path_.c_str(), 1); }

 private:
  std::string path_;
};

}  // namespace

// Each language's voice: the Czech one draws its melody at random.
TEST(Voice, KeepsASentenceAsItSoundsAnewWhateverIsSaidAroundIt) {
  struct Case {
    const char* lang;
    const char* before;
    const char* sentence;
  };
  for (const Case& c : {Case{"en", "Hello, I am Tapo.", "Let us count the apples!"},
                        Case{"cs", "Ahoj, já jsem Tapo.", "Ale ne, jedna bublina uletěla!"},
                        Case{"ru", "Привет, я Тапо.", "Давай считать яблоки!"}}) {
    SCOPED_TRACE(c.lang);
    tapo::testing::TempDir cache;
    const auto alone = Voice(c.lang).speak(c.sentence);
    ASSERT_TRUE(alone);
    const std::string both_text = std::string(c.before) + " " + c.sentence;
    ASSERT_TRUE(Voice(c.lang, cache.path()).learn({both_text}));

    {
      NoPrograms none;
      Voice again(c.lang, cache.path());
      const auto kept = again.speak(c.sentence);
      ASSERT_TRUE(kept) << "the sentence was not kept";
      EXPECT_TRUE(kept->pcm == alone->pcm) << "spoken after another sentence it sounds otherwise";
      // Two kept sentences make one sound, the second starting where the first ends.
      const auto both = again.speak(both_text);
      ASSERT_TRUE(both);
      ASSERT_EQ(both->starts.size(), 2u);
      EXPECT_EQ(both->pcm.size() * 2, both->starts[1] + alone->pcm.size() * 2);
      EXPECT_FALSE(again.speak("Something never said.")) << "nothing can speak a new sentence here";
    }

    // A kept file cut short or written over is spoken anew, not played.
    for (const auto& e : fs::directory_iterator(cache.path())) std::ofstream(e.path(), std::ios::binary) << "cut";
    const auto spoken = Voice(c.lang, cache.path()).speak(c.sentence);
    ASSERT_TRUE(spoken);
    EXPECT_TRUE(spoken->pcm == alone->pcm);
  }
}
