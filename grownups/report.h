// The report for parents and teachers (tapo --report): what the piglets of
// one or more data folders practised, read from their learning records and
// profiles, as a web page to read or print and as CSV of every answer for a
// spreadsheet.  Several folders (one machine's each) make one report for a
// whole class.  It needs no display.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "players/journal.h"

namespace tapo::grownups::report {

// One piglet of one data folder.
struct Piglet {
  std::string slot, name;  // the profile's name, else the one it last played under
  int level = 0;           // 0: unknown
  int toys_owned = 0;
  players::journal::Figures figures;
  std::vector<players::journal::ReviewItem> review;
  players::journal::LevelFit fit = players::journal::LevelFit::Unknown;
};

// What the report reads from one data folder.
struct Folder {
  std::filesystem::path path;
  std::vector<Piglet> piglets;  // named in the profiles or found in the record
  std::vector<players::journal::AnswerRow> answers;  // oldest first
};

// Reads a data folder; nullopt when there is no such folder.  One without a
// learning record gives its named piglets with nothing practised.
std::optional<Folder> read_folder(const std::filesystem::path& path);

// The page, in the family's language: one section per piglet.
void write_html(std::ostream& out, const std::vector<Folder>& folders);
// A header row, then one row per answer of every folder, oldest first.
void write_csv(std::ostream& out, const std::vector<Folder>& folders);

// Reports on `folders`: the page to `html_file`, the answers to `csv_file`,
// the page to standard output when neither is named.  A folder that is not
// there is told on standard error and the others reported.  The exit code is
// 0, or 1 when a folder was missing or a file could not be written.
int run(const std::vector<std::filesystem::path>& folders, const std::string& html_file, const std::string& csv_file);

}  // namespace tapo::grownups::report
