#include "tools/mkmedia/speech.h"

#include <iconv.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>

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
struct FestivalVoice {
  const char* name;
  const char* charset;
};
std::optional<FestivalVoice> festival_voice(const std::string& lang) {
  if (lang == "en") return FestivalVoice{"cmu_us_slt_arctic_hts", "UTF-8"};   // festvox-us-slt-hts
  if (lang == "cs") return FestivalVoice{"czech_krb", "ISO-8859-2"};          // festvox-czech-krb, a child's voice
  if (lang == "ru") return FestivalVoice{"msu_ru_nsh_clunits", "UTF-8"};      // festvox-ru
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

// Each sentence spoken by Festival in one run, then made the game's sound
// (22050 Hz mono) by sox: a little slower for young listeners and a little
// higher, to suit a cartoon dog.  Empty when any step fails.
std::vector<std::vector<std::int16_t>> festival(const std::vector<std::string>& sentences, const FestivalVoice& voice,
                                                const std::string& stem) {
  std::string script = std::string("(voice_") + voice.name + ")\n";
  for (size_t k = 0; k < sentences.size(); ++k) {
    const auto text = recode(sentences[k], voice.charset);
    if (!text) {
      std::fprintf(stderr, "mkmedia: \"%s\" cannot be written in %s\n", sentences[k].c_str(), voice.charset);
      return {};
    }
    script += "(utt.save.wave (utt.synth (Utterance Text " + scheme_string(*text) + ")) " +
              scheme_string(stem + "." + std::to_string(k) + ".raw.wav") + " 'riff)\n";
  }
  std::ofstream(stem + ".scm") << script;
  std::vector<std::vector<std::int16_t>> out;
  bool ok = run({"festival", "-b", stem + ".scm"});
  for (size_t k = 0; ok && k < sentences.size(); ++k) {
    const std::string raw = stem + "." + std::to_string(k) + ".raw.wav", cooked = stem + "." + std::to_string(k) + ".wav";
    // -R: the same bytes every run; -D: no dither noise; the gains: room for
    // the effects, then every voice as loud (1 dB below full scale), never clipped.
    ok = std::filesystem::exists(raw) && run({"sox", "-R", "-D", raw, "-r", "22050", "-c", "1", "-b", "16", cooked, "gain",
                                              "-h", "tempo", "-s", "0.9", "pitch", "200", "gain", "-n", "-1"});
    auto data = ok ? platform::load_wav(cooked) : std::nullopt;
    ok = data && data->rate == 22050 && data->channels == 1 && !data->pcm.empty();
    if (ok) out.push_back(std::move(data->pcm));
    std::error_code ec;
    std::filesystem::remove(raw, ec);
    std::filesystem::remove(cooked, ec);
  }
  std::error_code ec;
  std::filesystem::remove(stem + ".scm", ec);
  if (!ok) out.clear();
  return out;
}

std::vector<std::vector<std::int16_t>> espeak(const std::vector<std::string>& sentences, const std::string& lang,
                                              const std::string& stem) {
  std::vector<std::vector<std::int16_t>> out;
  const std::string part = stem + ".part.wav";
  for (const auto& sentence : sentences) {
    if (!run({"espeak-ng", "-v", lang, "-s", "125", "-p", "60", "-w", part, sentence})) return {};
    auto data = platform::load_wav(part);
    if (!data || data->rate != 22050 || data->channels != 1) return {};
    out.push_back(std::move(data->pcm));
  }
  std::error_code ec;
  std::filesystem::remove(part, ec);
  return out;
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

std::optional<Speech> synthesize(const std::string& text, const std::string& lang, const std::string& scratch) {
  Speech speech;
  speech.sentences = sentences(text);
  std::vector<std::vector<std::int16_t>> spoken;
  if (const auto voice = festival_voice(lang)) {
    spoken = festival(speech.sentences, *voice, scratch);
    static bool told = false;
    if (spoken.empty() && !told) {
      std::fprintf(stderr, "mkmedia: Festival or its voice %s is missing: speaking with espeak-ng\n", voice->name);
      told = true;
    }
  }
  if (spoken.empty()) spoken = espeak(speech.sentences, lang, scratch);
  if (spoken.empty()) return std::nullopt;
  for (auto& sentence : speech.sentences) {  // as the caption shows it
    while (!sentence.empty() && sentence.back() == ' ') sentence.pop_back();
    sentence.erase(0, sentence.find_first_not_of(' '));
  }
  for (const auto& sentence : spoken) {
    speech.starts.push_back(static_cast<std::uint32_t>(speech.pcm.size() * 2));
    speech.pcm.insert(speech.pcm.end(), sentence.begin(), sentence.end());
  }
  return speech;
}

}  // namespace tapo::media
