// The rows a query of the learning record gives, each a list of its columns
// as text ("NULL" for none).  Opened for writing, so that a journal a killed
// game left behind is played back first.
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tapo::test {

inline std::vector<std::vector<std::string>> record_rows(const std::filesystem::path& file, const std::string& sql) {
  std::vector<std::vector<std::string>> rows;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK)
    sqlite3_exec(
        db, sql.c_str(),
        [](void* to, int n, char** values, char**) {
          auto& row = static_cast<std::vector<std::vector<std::string>>*>(to)->emplace_back();
          for (int i = 0; i < n; ++i) row.emplace_back(values[i] ? values[i] : "NULL");
          return 0;
        },
        &rows, nullptr);
  sqlite3_close(db);
  return rows;
}

}  // namespace tapo::test
