// The shared module of the game: the folder roots of TAPO.INI, the
// process-wide flags, the current player, and the small operations every
// screen uses (profile files, media paths, the display state, the pointer).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "platform/ini.h"

namespace tapo::core {

// ---- folders -----------------------------------------------------------------

// TAPO.INI keys "HD", "HD2", "HD_SHORT"; and the game's own files beside the
// media tree ("OWN": the talks of what it adds to the game, one folder a
// language, installed with the program).
enum class Root { Media, Work, Data, Own };

inline std::string media_root;  // "HD": every picture, sound, clip and script
inline std::string work_dir;    // "HD2": the temporary sound copy "\ZVUK.WAV"
inline std::string data_dir;    // "HD_SHORT": HRACI.DAT, VYSLEDKY.DAT, shared scripts
// The spoken files of the chosen language ("media-cs" beside the media
// folder): a media file found there is taken before the media folder's own.
// Empty when the media folder speaks the language itself, or none was chosen.
inline std::string language_root;
// The language the family speaks (one of kLanguages below).
inline std::string language = "en";

// The configuration file: the user's own in the program's configuration
// folder; without one, an installation's for every user (see
// platform::system_config_dirs).
std::filesystem::path config_file();
// Reads the three roots from TAPO.INI ("ERROR" for a missing key), with
// "~" and the folder names of platform::expand_folder spelled out, and
// finds the folder of the language the family speaks (language_root).
void read_roots();
// The languages the game speaks and writes.
inline constexpr std::string_view kLanguages[] = {"en", "cs", "ru"};
// The language the family speaks, one of kLanguages: the settings' own key
// LANGUAGE ("cs"; empty or "auto": the desktop's), else the first of the
// game's languages in the environment's list LANGUAGE ("de:cs" -> "cs"), as
// every gettext program reads it, else the language of the locale
// ("cs_CZ.UTF-8" -> "cs").  A language the game lacks, and the "C" and
// "POSIX" locales, give English.
std::string chosen_language(std::string setting, const std::string& language_list, const std::string& locale);
// The desktop's locale for messages (LC_ALL, else LC_MESSAGES, else LANG).
std::string desktop_locale();
// The environment's LANGUAGE as the program found it ("" when unset).
const std::string& desktop_language_list();
// Chooses the family's language (core::language) from the settings and the
// desktop, for the program's words as well as for what is spoken.
void choose_language();
// Writes one key of the settings file's section [Tapo MAT] (the caption
// switch).  Without a settings file of the user's own, the installation's
// is copied there first, so the game still finds all its settings.
void remember_setting(std::string_view key, std::string_view value);

const std::string& root_value(Root r);
const char* root_key(Root r);
// The real file for a path spelled as on the CD ("\CUNICI\INTRO.BMP").
std::filesystem::path real_path(Root r, std::string_view dos_path);
// How the trace writes it: "HD:\CUNICI\INTRO.BMP".
std::string trace_path(Root r, std::string_view dos_path);
bool file_exists(Root r, std::string_view dos_path);
std::string file_name_of(std::string_view path);

// A file of the game: a root and the path below it as the game spells it.
struct MediaPath {
  Root root = Root::Media;
  std::string path;  // "\TERC\INTRO.DAT"
};
inline std::filesystem::path real_path(const MediaPath& m) { return real_path(m.root, m.path); }
inline std::string trace_path(const MediaPath& m) { return trace_path(m.root, m.path); }
inline bool file_exists(const MediaPath& m) { return file_exists(m.root, m.path); }
// The file of that bare name in the data folder, joined as the original
// joined it: without a separator, so it is found only when the data folder
// was written with a closing one.
std::filesystem::path data_dir_join(std::string_view bare_name);
// Writes "missing PATH" to the trace, or "damaged PATH" when the file is
// there but cannot be used (once per run and path).
void note_unreadable(const MediaPath& m);
// Renames a damaged `file` aside, never deleting it: to `name(1)`, or
// `name(2)`, … when that is taken, `name(n)` getting today's date
// ("2026-12-09") and n.  The new path, or empty when it could not be renamed.
std::filesystem::path rename_aside(const std::filesystem::path& file,
                                   const std::function<std::string(const std::string& date, int n)>& name);
// True the first time `what` is told in a run, false ever after: the
// "missing", "damaged" and "problem" lines are told once each.
bool first_telling(const std::string& what);

// ---- profile files ---------------------------------------------------------

// At start: creates the data and work folders when absent, takes the data
// folder's lock (false: another copy of the game writes these profiles),
// tells the parent when the data folder takes no files, and copies in the
// installation's data files it lacks (TAPO.INI's "DATA_TEMPLATE").
bool prepare_folders();
// Where an installation keeps the data folder's shared files for new users
// (TAPO.INI's "DATA_TEMPLATE"); empty when the settings name none.
std::filesystem::path data_template();

std::string read_ini(Root r, std::string_view dos_file, std::string_view section, std::string_view key);
// Writes one key, as the form below.
void write_ini(Root r, std::string_view dos_file, std::string_view section, std::string_view key,
               std::string_view value);
// What a write that fails leaves: the keys owed, written again later (a
// coin earned), or nothing (a piglet not created after all).
enum class IfUnsaved { WriteLater, Forget };
// Writes several keys of one section in one change of the file (all or none
// of them after a crash).  A failed write is tried once more; when that fails
// too, the parent is told and false returned: the game goes on.  A failure
// is told once until a write succeeds again; then the next one is told too.
bool write_ini(Root r, std::string_view dos_file, std::string_view section,
               std::initializer_list<platform::IniEntry> entries, IfUnsaved if_unsaved = IfUnsaved::WriteLater);
// Writes again what failed writes still owe the profiles (each write that
// succeeds does so too); the program calls it as it ends.
void write_owed();
// A profile file that cannot be read to be changed (its folder is gone): the
// change cannot be kept, and the parent is told as for a failed write.
void report_unsaved(Root r, std::string_view dos_file);

// ---- process-wide flags ----------------------------------------------------

inline bool closing = false;      // the closing pass of the start-up screen
inline bool talk_abort = false;   // cut the talking head short
inline bool talk_active = false;  // the mascot is speaking
inline bool avi_library_open = false;

// ---- the current player ----------------------------------------------------

inline std::string player_id;         // slot key, "" = none
inline std::string player_name;       // "" = none
inline int player_level = 0;          // 1..3, 0 = none
inline std::int32_t player_coins = 0;
inline bool shop_greeting_done = false;

void clear_player();

// ---- words -------------------------------------------------------------------

// The game's name as its windows and message boxes show it.
std::string app_title();

// ---- display and pointer ---------------------------------------------------

// Whether the game shows itself full screen (false after --windowed).
inline bool game_fullscreen = true;
// Enters the game's presentation; the state from before the first call is
// kept, however often this runs.
void set_display_mode();
// Returns to the state from before the first set_display_mode().
void restore_display_mode();
void hide_cursor();
void show_cursor();

// Hides the pointer for as long as it lives.
struct HiddenCursor {
  HiddenCursor() { hide_cursor(); }
  ~HiddenCursor() { show_cursor(); }
  HiddenCursor(const HiddenCursor&) = delete;
  HiddenCursor& operator=(const HiddenCursor&) = delete;
};

// Ends the program (unwinding every handler on the stack).
[[noreturn]] void end_program(int code = 0);

// Tests: back to the state of a fresh process.
void reset_shared_state();
// What another module keeps for the whole run (a hook it installs, say)
// registers here, from a static initialiser, how it goes back to a fresh
// process; reset_shared_state() runs each.  Returns true, to be kept in a const.
bool on_reset_shared_state(std::function<void()> reset);

}  // namespace tapo::core
