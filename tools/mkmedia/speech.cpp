#include "tools/mkmedia/speech.h"

#include <iconv.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <system_error>

#include "platform/sound.h"

namespace tapo::media {

namespace {

std::vector<std::string> sentences(const std::string& text) {
  std::vector<std::string> out;
  std::string cur;
  for (size_t i = 0; i < text.size(); ++i) {
    cur += text[i];
    const bool end = text[i] == '.' || text[i] == '!' || text[i] == '?';
    if (end && (i + 1 == text.size() || text[i + 1] == ' ')) {
      out.push_back(cur);
      cur.clear();
      while (i + 1 < text.size() && text[i + 1] == ' ') ++i;
    }
  }
  if (cur.find_first_not_of(' ') != std::string::npos) out.push_back(cur);
  return out;
}

// Runs a program without a shell, so no text can be taken for a command.
bool run(const std::vector<std::string>& args) {
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The Festival voice of a language, where Debian has a natural-sounding
// one, and the character set its text must be given in.
// `setup` runs once after the voice is chosen: the Czech voice draws its
// melody from Festival's random numbers and finds their range on its first
// draw, which must not fall inside a sentence (every sentence starts from the
// same seed, so that it sounds the same whatever was said before it).
struct FestivalVoice {
  const char* name;
  const char* charset;
  const char* setup = "";
};
std::optional<FestivalVoice> festival_voice(const std::string& lang) {
  if (lang == "en") return FestivalVoice{"cmu_us_slt_arctic_hts", "UTF-8"};               // festvox-us-slt-hts
  if (lang == "cs") return FestivalVoice{"czech_krb", "ISO-8859-2", "(czech-rand)\n"};  // festvox-czech-krb, a child's voice
  if (lang == "ru") return FestivalVoice{"msu_ru_nsh_clunits", "UTF-8"};                  // festvox-ru
  return std::nullopt;
}

// The UTF-8 text in another character set; nullopt when a character has no
// place in it (the voice would spell it out or stumble).
std::optional<std::string> recode(const std::string& text, const char* charset) {
  if (std::string_view(charset) == "UTF-8") return text;
  iconv_t cd = iconv_open(charset, "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string in = text, out(text.size() * 4 + 4, '\0');
  char* src = in.data();
  char* dst = out.data();
  size_t src_left = in.size(), dst_left = out.size();
  const bool ok = iconv(cd, &src, &src_left, &dst, &dst_left) != static_cast<size_t>(-1);
  iconv_close(cd);
  if (!ok) return std::nullopt;
  out.resize(out.size() - dst_left);
  return out;
}

std::string scheme_string(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

// The voices' settings, and with them what a kept sentence is kept under:
// changing a setting speaks every sentence again.  Festival's sound is made
// the game's (22050 Hz mono) by sox: a little slower for young listeners and
// a little higher, to suit a cartoon dog; -R: the same bytes every run; -D:
// no dither noise; the gains: room for the effects, then every voice as loud
// (1 dB below full scale), never clipped.
const std::vector<std::string> kSoxEffects = {"gain", "-h", "tempo", "-s", "0.9", "pitch", "200", "gain", "-n", "-1"};
std::vector<std::string> espeak_command(const std::string& lang) { return {"espeak-ng", "-v", lang, "-s", "125", "-p", "60"}; }

std::string joined(const std::vector<std::string>& words) {
  std::string out;
  for (const auto& w : words) out += w + ' ';
  return out;
}
std::string festival_key(const FestivalVoice& voice, const std::string& sentence) {
  return "festival " + std::string(voice.name) + " seeded | sox " + joined(kSoxEffects) + "| " + sentence;
}
std::string espeak_key(const std::string& lang, const std::string& sentence) {
  return joined(espeak_command(lang)) + "| " + sentence;
}

using Pcm = std::vector<std::int16_t>;

// The sentences spoken by Festival in one run (its voice is loaded once);
// a sentence it could not speak stays nullopt.
std::vector<std::optional<Pcm>> festival(const std::vector<std::string>& sentences, const FestivalVoice& voice,
                                         const std::filesystem::path& scratch) {
  std::vector<std::optional<Pcm>> out(sentences.size());
  auto part = [&](size_t k, const char* kind) { return (scratch / (std::to_string(k) + kind)).string(); };
  std::string script = std::string("(voice_") + voice.name + ")\n" + voice.setup;
  for (size_t k = 0; k < sentences.size(); ++k) {
    const auto text = recode(sentences[k], voice.charset);
    if (!text) {
      std::fprintf(stderr, "mkmedia: \"%s\" cannot be written in %s\n", sentences[k].c_str(), voice.charset);
      continue;
    }
    script += "(srand 1)\n(utt.save.wave (utt.synth (Utterance Text " + scheme_string(*text) + ")) " +
              scheme_string(part(k, ".raw.wav")) + " 'riff)\n";
  }
  const std::string script_file = (scratch / "speak.scm").string();
  std::ofstream(script_file) << script;
  if (!run({"festival", "-b", script_file})) return out;
  for (size_t k = 0; k < sentences.size(); ++k) {
    const std::string raw = part(k, ".raw.wav"), cooked = part(k, ".wav");
    std::vector<std::string> sox = {"sox", "-R", "-D", raw, "-r", "22050", "-c", "1", "-b", "16", cooked};
    sox.insert(sox.end(), kSoxEffects.begin(), kSoxEffects.end());
    auto data = std::filesystem::exists(raw) && run(sox) ? platform::load_wav(cooked) : std::nullopt;
    if (data && data->rate == 22050 && data->channels == 1 && !data->pcm.empty()) out[k] = std::move(data->pcm);
    std::error_code ec;  // never read by the next run in place of a sentence it could not speak
    std::filesystem::remove(raw, ec);
    std::filesystem::remove(cooked, ec);
  }
  return out;
}

std::optional<Pcm> espeak(const std::string& sentence, const std::string& lang, const std::filesystem::path& scratch) {
  const std::string part = (scratch / "espeak.wav").string();
  auto command = espeak_command(lang);
  command.insert(command.end(), {"-w", part, sentence});
  if (!run(command)) return std::nullopt;
  auto data = platform::load_wav(part);
  if (!data || data->rate != 22050 || data->channels != 1) return std::nullopt;
  return std::move(data->pcm);
}

// A 64-bit FNV-1a hash: the name of a kept sentence's file.
std::string hash_name(const std::string& key) {
  std::uint64_t h = 1469598103934665603ull;
  for (unsigned char c : key) h = (h ^ c) * 1099511628211ull;
  char name[17];
  std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(h));
  return name;
}

}  // namespace

std::vector<SpeechLine> read_speech_table(const std::filesystem::path& table) {
  std::vector<SpeechLine> out;
  if (std::filesystem::is_directory(table)) {
    // One table per media folder, read in the order of their names.
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(table))
      if (e.path().extension() == ".tsv") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    for (const auto& f : files) {
      auto part = read_speech_table(f);
      out.insert(out.end(), part.begin(), part.end());
    }
    return out;
  }
  std::ifstream in(table);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream l(line);
    SpeechLine s;
    if (std::getline(l, s.file, '\t') && std::getline(l, s.situation, '\t') && std::getline(l, s.text))
      out.push_back(std::move(s));
  }
  return out;
}

Voice::Voice(std::string lang, std::filesystem::path cache) : lang_(std::move(lang)), cache_(std::move(cache)) {
  std::string dir = (std::filesystem::temp_directory_path() / "mkmedia-XXXXXX").string();
  if (!mkdtemp(dir.data()))
    throw std::filesystem::filesystem_error("no scratch folder", dir, std::error_code(errno, std::generic_category()));
  scratch_ = dir;
}

Voice::~Voice() {
  std::error_code ec;
  std::filesystem::remove_all(scratch_, ec);
}

// A kept sentence's file: its key, a NUL, then its samples.  Another key of
// the same hash is not this sentence.
std::optional<Pcm> Voice::kept(const std::string& key) const {
  if (cache_.empty()) return std::nullopt;
  std::ifstream in(cache_ / hash_name(key), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() <= key.size() + 1 || bytes.compare(0, key.size(), key) != 0 || bytes[key.size()] != '\0' ||
      (bytes.size() - key.size() - 1) % 2)
    return std::nullopt;
  Pcm pcm((bytes.size() - key.size() - 1) / 2);
  std::memcpy(pcm.data(), bytes.data() + key.size() + 1, pcm.size() * 2);
  return pcm;
}

// Written whole under another name first, so that a build running beside
// this one never reads half a sentence.
void Voice::keep(const std::string& key, const Pcm& pcm) const {
  if (cache_.empty()) return;
  std::error_code ec;
  std::filesystem::create_directories(cache_, ec);
  const auto file = cache_ / hash_name(key);
  const auto part = file.string() + "." + scratch_.filename().string();
  {
    std::ofstream out(part, std::ios::binary);
    out.write(key.c_str(), static_cast<std::streamsize>(key.size() + 1));
    out.write(reinterpret_cast<const char*>(pcm.data()), static_cast<std::streamsize>(pcm.size() * 2));
    if (!out) return;
  }
  std::filesystem::rename(part, file, ec);
  if (ec) std::filesystem::remove(part, ec);
}

bool Voice::learn(const std::vector<std::string>& texts) {
  std::vector<std::string> todo;
  for (const auto& text : texts)
    for (const auto& s : sentences(text))
      if (!said_.count(s) && std::find(todo.begin(), todo.end(), s) == todo.end()) todo.push_back(s);
  // Festival where the language has its voice, espeak-ng for what it could not say.
  const auto voice = festival_voice(lang_);
  std::vector<std::string> unsaid;
  for (const auto& s : todo) {
    auto pcm = voice ? kept(festival_key(*voice, s)) : std::nullopt;
    if (pcm) said_[s] = std::move(*pcm);
    else unsaid.push_back(s);
  }
  if (voice && !unsaid.empty()) {
    auto spoken = festival(unsaid, *voice, scratch_);
    std::vector<std::string> still;
    for (size_t k = 0; k < unsaid.size(); ++k) {
      if (!spoken[k]) {
        still.push_back(unsaid[k]);
        continue;
      }
      keep(festival_key(*voice, unsaid[k]), *spoken[k]);
      said_[unsaid[k]] = std::move(*spoken[k]);
    }
    static bool told = false;
    if (!still.empty() && !told) {
      std::fprintf(stderr, "mkmedia: Festival or its voice %s is missing: speaking with espeak-ng\n", voice->name);
      told = true;
    }
    unsaid = std::move(still);
  }
  bool all = true;
  for (const auto& s : unsaid) {
    const std::string key = espeak_key(lang_, s);
    auto pcm = kept(key);
    if (!pcm && (pcm = espeak(s, lang_, scratch_))) keep(key, *pcm);
    if (pcm) said_[s] = std::move(*pcm);
    else all = false;
  }
  return all;
}

std::optional<Speech> Voice::speak(const std::string& text) {
  Speech speech;
  speech.sentences = sentences(text);
  for (const auto& s : speech.sentences) {
    if (!said_.count(s) && !learn({text})) return std::nullopt;
    const Pcm& pcm = said_.at(s);
    speech.starts.push_back(static_cast<std::uint32_t>(speech.pcm.size() * 2));
    speech.pcm.insert(speech.pcm.end(), pcm.begin(), pcm.end());
  }
  if (speech.pcm.empty()) return std::nullopt;
  for (auto& sentence : speech.sentences) {  // as the caption shows it
    while (!sentence.empty() && sentence.back() == ' ') sentence.pop_back();
    sentence.erase(0, sentence.find_first_not_of(' '));
  }
  return speech;
}

}  // namespace tapo::media
