#include "tools/mkmedia/speech.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
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

// Runs espeak-ng without a shell, so no text can be taken for a command.
bool espeak(const std::string& text, const std::filesystem::path& wav, const std::string& voice) {
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    execlp("espeak-ng", "espeak-ng", "-v", voice.c_str(), "-s", "125", "-p", "60", "-w", wav.c_str(), text.c_str(),
           static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
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
                const std::string& voice) {
  std::vector<std::int16_t> pcm;
  marks.clear();
  const auto part = wav.string() + ".part.wav";
  for (const auto& sentence : sentences(text)) {
    if (!pcm.empty()) marks.push_back(static_cast<std::uint32_t>(pcm.size() * 2));
    if (!espeak(sentence, part, voice)) return false;
    auto data = platform::load_wav(part);
    if (!data || data->rate != 22050 || data->channels != 1) return false;
    pcm.insert(pcm.end(), data->pcm.begin(), data->pcm.end());
  }
  std::filesystem::remove(part);
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
