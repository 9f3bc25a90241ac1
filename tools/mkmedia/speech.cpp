#include "tools/mkmedia/speech.h"

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

// The Festival voice of a language, where Debian has a natural-sounding one.
const char* festival_voice(const std::string& lang) {
  if (lang == "en") return "cmu_us_slt_arctic_hts";  // festvox-us-slt-hts
  return nullptr;
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
std::vector<std::vector<std::int16_t>> festival(const std::vector<std::string>& sentences, const std::string& voice,
                                                const std::string& stem) {
  std::string script = "(voice_" + voice + ")\n";
  for (size_t k = 0; k < sentences.size(); ++k)
    script += "(utt.save.wave (utt.synth (Utterance Text " + scheme_string(sentences[k]) + ")) " +
              scheme_string(stem + "." + std::to_string(k) + ".raw.wav") + " 'riff)\n";
  std::ofstream(stem + ".scm") << script;
  std::vector<std::vector<std::int16_t>> out;
  bool ok = run({"festival", "-b", stem + ".scm"});
  for (size_t k = 0; ok && k < sentences.size(); ++k) {
    const std::string raw = stem + "." + std::to_string(k) + ".raw.wav", cooked = stem + "." + std::to_string(k) + ".wav";
    // -R: the same bytes every run; -D: no dither noise.
    ok = std::filesystem::exists(raw) &&
         run({"sox", "-R", "-D", raw, "-r", "22050", "-c", "1", "-b", "16", cooked, "tempo", "-s", "0.9", "pitch", "200"});
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

void put16(std::string& s, std::uint32_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& s, std::uint32_t v) {
  put16(s, v & 0xFFFF);
  put16(s, v >> 16);
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

bool synthesize(const std::string& text, const std::filesystem::path& wav, std::vector<std::uint32_t>& marks,
                const std::string& lang) {
  const auto parts = sentences(text);
  std::vector<std::vector<std::int16_t>> spoken;
  if (const char* voice = festival_voice(lang)) {
    spoken = festival(parts, voice, wav.string());
    static bool told = false;
    if (spoken.empty() && !told) {
      std::fprintf(stderr, "mkmedia: Festival or its voice %s is missing: speaking with espeak-ng\n", voice);
      told = true;
    }
  }
  if (spoken.empty()) spoken = espeak(parts, lang, wav.string());
  if (spoken.empty()) return false;
  std::vector<std::int16_t> pcm;
  marks.clear();
  for (const auto& sentence : spoken) {
    if (!pcm.empty()) marks.push_back(static_cast<std::uint32_t>(pcm.size() * 2));
    pcm.insert(pcm.end(), sentence.begin(), sentence.end());
  }
  std::string out = "RIFF";
  put32(out, static_cast<std::uint32_t>(36 + pcm.size() * 2));
  out += "WAVEfmt ";
  put32(out, 16);
  put16(out, 1);
  put16(out, 1);
  put32(out, 22050);
  put32(out, 44100);
  put16(out, 2);
  put16(out, 16);
  out += "data";
  put32(out, static_cast<std::uint32_t>(pcm.size() * 2));
  for (auto v : pcm) put16(out, static_cast<std::uint16_t>(v));
  std::ofstream f(wav, std::ios::binary | std::ios::trunc);
  f.write(out.data(), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(f);
}

}  // namespace tapo::media
