// The demo pack being written: where its files go, and how each kind of file
// is written.  Paths are spelled as the game spells them ("\\CUNICI\\INTRO.BMP").
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/surface.h"
#include "tools/mkmedia/speech.h"

namespace tapo::media {

// The media tree, the installation's data folder, or the game's own files
// beside the media tree (the talks of what it adds), one folder a language.
enum class Where { Media, Data, Own };

struct Step {
  int frame = 0;
  int hold_ms = 0;
};

class Pack {
 public:
  // With `language_only` the pack is the language's own folder beside the
  // media tree ("media-cs"), which the game reads before the tree: of all it
  // makes only what differs from the tree's files is kept (the speech, and
  // the pictures with words), and nothing of the data folder.
  // Sentences spoken before are taken from `speech_cache` (none: empty).
  Pack(std::filesystem::path out, std::vector<SpeechLine> speech, std::string lang, bool language_only = false,
       std::filesystem::path speech_cache = {});
  // Where the media tree (or the language's folder) is written.
  std::filesystem::path media_dir() const;
  // Where the game's own files of the pack's language are written ("own/cs").
  std::filesystem::path own_dir() const;

  std::filesystem::path file(const std::string& dos, Where where = Where::Media) const;
  // From now on every file must lie in `dir`: a folder made again on its own
  // must not leave files elsewhere that would then go stale.
  void only_in(std::filesystem::path dir) { only_in_ = std::move(dir); }

  void bmp(const std::string& dos, const platform::Surface& picture, Where where = Where::Media);
  void text(const std::string& dos, const std::string& content, Where where = Where::Media);
  // A clip in RLE 8-bit, its frames fitted into one palette (exact when they
  // share at most 256 colours).
  void clip(const std::string& dos, const std::vector<platform::Surface>& frames, Where where = Where::Media);
  // An animation script naming `clip` (below the media folder, no extension).
  void script(const std::string& dos, const std::string& clip, int left, int top, int width, int height,
              int final_frame, const std::vector<Step>& steps, Where where = Where::Media);
  // The same for the players that mix frames with a key colour: they take
  // the whole first line as the clip, so it stands there without quotes.
  void keyed_script(const std::string& dos, const std::string& clip, int left, int top, int width, int height,
                    int final_frame, const std::vector<Step>& steps, Where where = Where::Media);
  // A soft sound of decaying tones (Hz), each `seconds` long.
  void tone(const std::string& dos, std::initializer_list<double> notes, double seconds, Where where = Where::Media);
  // A sound of our own: samples in -1..1, at 22050 Hz.
  void sound(const std::string& dos, const std::vector<double>& samples, Where where = Where::Media);
  // A spoken clip from the speech table: "\\CUNICI\\INTRO" gives INTRO.WAV,
  // its mark file INTRO.DAT and its captions INTRO.TXT (each sentence after
  // the byte of the sound where it starts).  The table must have the entry.
  void speak(const std::string& dos_stem, Where where = Where::Media);
  // The caption of a sound effect that means something ("✗"): the line of
  // `wav`'s caption file, the pack's word `word`, from the sound's start.
  void caption(const std::string& wav, const std::string& word, Where where = Where::Media);
  // A spoken sound played whole, without a mark file (help that is only heard).
  void say(const std::string& dos_stem, Where where = Where::Media);

 private:
  std::vector<std::uint32_t> synthesize_line(const std::string& dos_stem, Where where);
  bool skipped(Where where) const;
  void keep_if_own(const std::string& dos, Where where) const;
  std::filesystem::path out_;
  std::filesystem::path only_in_;
  std::vector<SpeechLine> speech_;
  std::string lang_;
  bool language_only_ = false;
  Voice voice_;
};

[[noreturn]] void fail(const std::string& what);

}  // namespace tapo::media
