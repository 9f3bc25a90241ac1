#include "core/tapo_iii.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <set>
#include <vector>

#include "core/random.h"
#include "platform/calendar.h"
#include "platform/display.h"
#include "platform/i18n.h"
#include "platform/ini.h"
#include "platform/instance.h"
#include "platform/loop.h"
#include "platform/msgbox.h"
#include "platform/paths.h"
#include "platform/sound.h"
#include "platform/trace.h"
#include "platform/ui.h"

namespace tapo::core {

namespace pf = tapo::platform;

std::filesystem::path config_file() {
  const auto own = pf::resolve_path(pf::config_dir(), "TAPO.INI");
  std::error_code ec;
  if (std::filesystem::exists(own, ec)) return own;
  // An installed game's settings for every user who has none of their own.
  for (const auto& dir : pf::system_config_dirs())
    if (auto file = pf::resolve_path(dir, "TAPO.INI"); std::filesystem::is_regular_file(file, ec)) return file;
  return own;
}

namespace {
// The folder a root names, as the installer may have written it: with a
// closing backslash or slash.
std::string folder_of(std::string root) {
  while (root.size() > 1 && (root.back() == '\\' || root.back() == '/')) root.pop_back();
  return root;
}
}  // namespace

namespace {
// The language a name spells ("cs_CZ.UTF-8" -> "cs"), if the game has it.
std::string game_language(std::string_view name) {
  std::string lang(name.substr(0, name.find_first_of("_.@")));
  for (char& c : lang) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return std::find(std::begin(kLanguages), std::end(kLanguages), lang) != std::end(kLanguages) ? lang : "";
}
}  // namespace

std::string chosen_language(std::string setting, const std::string& language_list, const std::string& locale) {
  if (setting == pf::kIniMissing || setting == "auto") setting.clear();
  std::string lang;
  if (!setting.empty()) {
    lang = game_language(setting);
  } else if (!language_list.empty()) {
    for (std::string_view rest = language_list; lang.empty() && !rest.empty();) {
      const std::size_t colon = std::min(rest.find(':'), rest.size());
      lang = game_language(rest.substr(0, colon));
      rest.remove_prefix(std::min(colon + 1, rest.size()));
    }
  } else {
    lang = game_language(locale);
  }
  return lang.empty() ? "en" : lang;
}

std::string desktop_locale() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
    if (const char* value = std::getenv(name); value && *value) return value;
  return {};
}

const std::string& desktop_language_list() {
  // Read once: choosing the language sets the variable for gettext.
  static const std::string list = [] {
    const char* value = std::getenv("LANGUAGE");
    return std::string(value ? value : "");
  }();
  return list;
}

void choose_language() {
  language = chosen_language(pf::read_ini(config_file(), "Tapo MAT", "LANGUAGE"), desktop_language_list(),
                             desktop_locale());
  pf::use_language(language, pf::catalogue_folder());
}

namespace {
// A folder of the settings, spelled out; a relative one ("data/") lies
// beside the settings file, never under whatever folder the game was
// started from.
std::string settings_folder(const std::filesystem::path& settings, std::string_view key) {
  std::string value = pf::read_ini(settings, "Tapo MAT", key);
  if (value == pf::kIniMissing) return value;
  value = pf::expand_folder(value);
  const bool absolute = value.empty() || value[0] == '/' || value[0] == '\\' || (value.size() > 1 && value[1] == ':');
  return absolute ? value : (settings.parent_path() / value).string();
}
}  // namespace

void read_roots() {
  const auto file = config_file();
  media_root = settings_folder(file, "HD");
  work_dir = settings_folder(file, "HD2");
  data_dir = settings_folder(file, "HD_SHORT");
  language_root.clear();
  choose_language();
  std::error_code ec;
  if (const std::string folder = folder_of(media_root) + "-" + language; std::filesystem::is_directory(folder, ec)) {
    language_root = folder;
    pf::trace::event("language", language);
  }
}

void remember_setting(std::string_view key, std::string_view value) {
  const auto own = pf::resolve_path(pf::config_dir(), "TAPO.INI");
  const auto file = config_file();
  std::error_code ec;
  if (file != own) {  // a file with this key alone would lack the folders
    std::filesystem::create_directories(own.parent_path(), ec);
    if (!std::filesystem::copy_file(file, own, ec)) return pf::trace::event("unsaved", own.string() + " 1");
  }
  if (!pf::write_ini(own, "Tapo MAT", key, value)) pf::trace::event("unsaved", own.string() + " 1");
}

#ifndef TAPO_OWN_DIR
#define TAPO_OWN_DIR "/usr/share/tapo/own"
#endif

namespace {
// The folder of the game's own files: an installation's beside its program
// (<prefix>/bin/tapo, <prefix>/share/tapo/own), else the build's.
const std::string& own_folder() {
  static const std::string found = [] {
    std::error_code ec;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
    const auto installed = program.parent_path() / "share" / "tapo" / "own";
    return !ec && std::filesystem::is_directory(installed, ec) ? installed.string() : std::string(TAPO_OWN_DIR);
  }();
  return found;
}

// The language's own files, else the English ones.
std::string own_folder_for(std::string_view dos_path) {
  const std::string spoken = own_folder() + "/" + (language.empty() ? "en" : language);
  return pf::media_file_exists(spoken, dos_path) ? spoken : own_folder() + "/en";
}
}  // namespace

const std::string& root_value(Root r) {
  switch (r) {
    case Root::Media: return media_root;
    case Root::Work: return work_dir;
    case Root::Own: return own_folder();
    case Root::Data: break;
  }
  return data_dir;
}

const char* root_key(Root r) {
  switch (r) {
    case Root::Media: return "HD";
    case Root::Work: return "HD2";
    case Root::Own: return "OWN";
    case Root::Data: break;
  }
  return "HD_SHORT";
}

std::filesystem::path real_path(Root r, std::string_view dos_path) {
  if (r == Root::Media && !language_root.empty() && pf::media_file_exists(language_root, dos_path))
    return pf::resolve_path(language_root, dos_path);
  if (r == Root::Own) return pf::resolve_path(own_folder_for(dos_path), dos_path);
  return pf::resolve_path(folder_of(root_value(r)), dos_path);
}

std::string trace_path(Root r, std::string_view dos_path) {
  return std::string(root_key(r)) + ":" + std::string(dos_path);
}

bool file_exists(Root r, std::string_view dos_path) {
  if (r == Root::Own) return pf::media_file_exists(own_folder_for(dos_path), dos_path);
  return (r == Root::Media && !language_root.empty() && pf::media_file_exists(language_root, dos_path)) ||
         pf::media_file_exists(folder_of(root_value(r)), dos_path);
}

std::string file_name_of(std::string_view path) { return pf::file_name_of(path); }

std::filesystem::path data_dir_join(std::string_view bare_name) {
  if (data_dir.empty()) return {};
  const char last = data_dir.back();
  if (last == '/' || last == '\\') return pf::resolve_path(folder_of(data_dir), bare_name);
  // "/x/data" + "SKOK.DAT" names "/x/dataSKOK.DAT".
  const std::filesystem::path joined = data_dir + std::string(bare_name);
  return pf::resolve_path(joined.parent_path(), joined.filename().string());
}

namespace {
std::set<std::string> g_told;  // what first_telling() has let through
}  // namespace

bool first_telling(const std::string& what) { return g_told.insert(what).second; }

void note_unreadable(const MediaPath& m) {
  std::error_code ec;  // anything where the file should be (a folder too) is damaged
  const char* what = std::filesystem::exists(real_path(m), ec) ? "damaged" : "missing";
  std::string name = trace_path(m);
  if (!first_telling(std::string(what) + " " + name)) return;
  pf::trace::event(what, name);
  std::fprintf(stderr, "tapo: %s %s\n", what, name.c_str());
}

std::filesystem::path rename_aside(const std::filesystem::path& file,
                                   const std::function<std::string(const std::string& date, int n)>& name) {
  const std::string date = pf::local_stamp(std::time(nullptr), true);
  std::filesystem::path aside;
  std::error_code ec;
  for (int n = 1; aside.empty() || std::filesystem::exists(std::filesystem::symlink_status(aside, ec)); ++n)
    aside = name(date, n);
  std::filesystem::rename(file, aside, ec);
  return ec ? std::filesystem::path() : aside;
}

std::string read_ini(Root r, std::string_view dos_file, std::string_view section, std::string_view key) {
  return pf::read_ini(real_path(r, dos_file), section, key);
}

void write_ini(Root r, std::string_view dos_file, std::string_view section, std::string_view key,
               std::string_view value) {
  write_ini(r, dos_file, section, {{key, value}});
}

namespace {
// The files (and the data folder) whose last write failed.  The parent is
// told when the first of them fails; once each has been written again, the
// next failure is a new one and told too.
std::set<std::filesystem::path> g_failing;

// A file or folder as the set keeps it ("/x/data/" and "/x/data" alike).
std::filesystem::path failing_key(const std::filesystem::path& p) {
  const auto normal = p.lexically_normal();
  return normal.has_filename() ? normal : normal.parent_path();
}

void saved(const std::filesystem::path& file) {
  g_failing.erase(failing_key(file));
  g_failing.erase(failing_key(file.parent_path()));
}

// Tells the parent that what the children earn cannot be kept.
void tell_unsaved(const std::filesystem::path& failed, const std::filesystem::path& folder) {
  const bool new_failure = g_failing.empty();
  g_failing.insert(failing_key(failed));
  if (!new_failure) return;
  pf::message_box(pf::tr("Attention!"),
                  pf::fill(pf::tr("The game cannot save the players' progress: the folder %1 cannot be written to. "
                                  "Coins earned and toys bought will not be kept. Check this folder (the key "
                                  "HD_SHORT in the file TAPO.INI)."),
                           {folder.string()}),
                  pf::MsgIcon::Exclamation);
}
}  // namespace

namespace {
// What a failed write still owes the profiles: the newest value of each
// key of a section of a file, written again with the next write that
// succeeds and when the program ends.  One write's keys stay together.
struct Owed {
  std::filesystem::path file;
  std::string trace, section;
  std::vector<std::pair<std::string, std::string>> entries;
};
std::vector<Owed> g_owed;

std::vector<pf::IniEntry> as_entries(const Owed& owed) {
  std::vector<pf::IniEntry> out;
  for (const auto& [key, value] : owed.entries) out.emplace_back(key, value);
  return out;
}

// A write of these keys supersedes what was owed for them.
void settle(const std::filesystem::path& file, std::string_view section, const std::vector<pf::IniEntry>& written) {
  for (Owed& owed : g_owed)
    if (owed.file == file && owed.section == section)
      std::erase_if(owed.entries, [&](const auto& e) {
        return std::any_of(written.begin(), written.end(), [&](const pf::IniEntry& w) { return w.first == e.first; });
      });
  std::erase_if(g_owed, [](const Owed& o) { return o.entries.empty(); });
}

void owe(const std::filesystem::path& file, std::string trace, std::string_view section,
         const std::vector<pf::IniEntry>& entries) {
  settle(file, section, entries);
  Owed owed{file, std::move(trace), std::string(section), {}};
  for (const auto& [key, value] : entries) owed.entries.emplace_back(key, value);
  g_owed.push_back(std::move(owed));
}

// Writes what is owed, oldest first; what fails again stays owed.
void pay_owed() {
  std::vector<Owed> owed = std::exchange(g_owed, {});
  for (Owed& o : owed) {
    if (pf::write_ini(o.file, o.section, as_entries(o))) {
      for (const auto& [key, value] : o.entries) pf::trace::event("ini", o.trace + " " + o.section + " " + key + "=" + value);
      saved(o.file);
    } else {
      g_owed.push_back(std::move(o));
    }
  }
}
}  // namespace

bool write_ini(Root r, std::string_view dos_file, std::string_view section,
               std::initializer_list<pf::IniEntry> entries, IfUnsaved if_unsaved) {
  for (const auto& [key, value] : entries)
    pf::trace::event("ini", trace_path(r, dos_file) + " " + std::string(section) + " " + std::string(key) + "=" +
                                std::string(value));
  const auto file = real_path(r, dos_file);
  const std::vector<pf::IniEntry> written(entries);
  for (int attempt = 1; attempt <= 2; ++attempt) {
    if (pf::write_ini(file, section, written)) {
      saved(file);
      settle(file, section, written);
      pay_owed();
      return true;
    }
    pf::trace::event("unsaved", trace_path(r, dos_file) + " " + std::to_string(attempt));
  }
  if (if_unsaved == IfUnsaved::WriteLater) owe(file, trace_path(r, dos_file), section, written);
  tell_unsaved(file, file.parent_path());
  return false;
}

void write_owed() { pay_owed(); }

void report_unsaved(Root r, std::string_view dos_file) {
  pf::trace::event("unsaved", trace_path(r, dos_file) + " 1");
  const auto file = real_path(r, dos_file);
  tell_unsaved(file, file.parent_path());
}

std::filesystem::path data_template() {
  const std::string from = pf::read_ini(config_file(), "Tapo MAT", "DATA_TEMPLATE");
  return from == pf::kIniMissing ? std::filesystem::path() : std::filesystem::path(pf::expand_folder(from));
}

namespace {
// An installed game's first start for a user: the shared files of the data
// folder come from the installation, never over a file the folder already
// has (the profiles above all).
void copy_data_template(const std::filesystem::path& data) {
  const auto from = data_template();
  if (from.empty()) return;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code copy_ec;
    if (it->is_regular_file(copy_ec))
      std::filesystem::copy_file(it->path(), data / it->path().filename(), std::filesystem::copy_options::skip_existing,
                                 copy_ec);
  }
}
}  // namespace

bool prepare_folders() {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path data = real_path(Root::Data, "");
  fs::create_directories(data, ec);
  if (!pf::acquire_instance_lock(data)) return false;
  if (!pf::folder_takes_files(data)) tell_unsaved(data, data);
  copy_data_template(data);
  const fs::path work = real_path(Root::Work, "");
  fs::create_directories(work, ec);
  if (!fs::is_directory(work, ec)) note_unreadable({Root::Work, "\\"});
  return true;
}

void clear_player() {
  player_id.clear();
  player_name.clear();
  player_level = 0;
  player_coins = 0;
  shop_greeting_done = false;
}

namespace {
bool g_mode_set = false;
bool g_saved_fullscreen = false;
}  // namespace

void set_display_mode() {
  auto& display = pf::Display::instance();
  if (!g_mode_set) {
    g_saved_fullscreen = display.fullscreen();
    g_mode_set = true;
  }
  if (!display.set_fullscreen(game_fullscreen))
    pf::message_box(pf::tr("Attention!"),
                    pf::tr("The graphics card cannot switch to the mode the game needs. Start the game from your "
                           "desktop, or with --windowed to play in a window."));
}

void restore_display_mode() {
  if (!g_mode_set) return;
  g_mode_set = false;
  if (!pf::Display::instance().set_fullscreen(g_saved_fullscreen))
    pf::message_box(pf::tr("System error!"),
                    pf::tr("The screen could not be given back its own resolution. Set it again in your desktop's "
                           "display settings."));
}

std::string app_title() { return pf::tr("Tapo - Numerino"); }

void hide_cursor() { pf::Forms::instance().hide_cursor(); }
void show_cursor() { pf::Forms::instance().show_cursor(); }

void end_program(int code) { throw pf::ProgramExit{code}; }

namespace {
std::vector<std::function<void()>>& resets() {
  static std::vector<std::function<void()>> registered;  // filled before main(), then only read
  return registered;
}
}  // namespace

bool on_reset_shared_state(std::function<void()> reset) {
  resets().push_back(std::move(reset));
  return true;
}

void reset_shared_state() {
  media_root.clear();
  language_root.clear();
  language = "en";
  work_dir.clear();
  data_dir.clear();
  closing = talk_abort = talk_active = avi_library_open = false;
  clear_player();
  game_fullscreen = true;
  g_mode_set = false;
  g_told.clear();
  g_failing.clear();
  g_owed.clear();
  rng() = Random{};
  pf::SoundChannel::instance().close();
  for (const auto& reset : resets()) reset();
}

}  // namespace tapo::core
