// UNI_SND: sounds every screen shares: the praise talks UNI1..UNI6, the soft
// "not quite" sound, and the coin jingles of the piggy bank (one coin, a few
// coins counted slowly, many coins counted fast).
#include <string>

#include "tools/mkmedia/folders.h"

namespace tapo::media {
namespace {

void make_uni_snd(Pack& pack) {
  for (int n = 1; n <= 6; ++n) pack.speak("\\UNI_SND\\UNI" + std::to_string(n));
  // The game's own: the good night once the day's play time is over.
  pack.speak("\\UNI_SND\\DOBROU", Where::Own);
  // A gentle falling "oh-oh", low and soft.
  pack.tone("\\UNI_SND\\CHYBA.WAV", {392, 311}, 0.2);
  pack.caption("\\UNI_SND\\CHYBA.WAV", "sound-wrong");
  // One bright clink.
  pack.tone("\\UNI_SND\\CINK1.WAV", {1568, 2093}, 0.12);
  // Five clinks, one every 450 ms as the coins are counted in.
  pack.tone("\\UNI_SND\\CINK5.WAV", {1568, 1976, 1760, 2093, 2349}, 0.45);
  // A quick run of clinks, one every 100 ms, for big awards.
  pack.tone("\\UNI_SND\\CINK20.WAV",
            {1568, 1976, 1760, 2093, 1568, 1976, 1760, 2093, 2349, 1976, 1760, 2093, 1568, 1976, 2349, 2093, 1760,
             1976, 2093, 2349},
            0.1);
}

}  // namespace
}  // namespace tapo::media

MKMEDIA_FOLDER("UNI_SND", make_uni_snd)
