// Plain Chinese texts for the ways a reference database can fail to read,
// so that the error display never shows the database engine's English text.
#pragma once

#include <filesystem>
#include <string>

struct sqlite3;

namespace hehun {

// The file could not be opened (it is missing, empty, not a plain file, or
// cannot be read).
std::string DatabaseOpenErrorText(const std::filesystem::path& path);
// A statement failed on an open file: a damaged file, one that is no
// database, a missing table or column, or another error of the engine.
std::string DatabaseErrorText(const std::filesystem::path& path, sqlite3* db);

}  // namespace hehun
