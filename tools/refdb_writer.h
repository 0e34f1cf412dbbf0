// Writing a reference database at build time: a fresh SQLite file filled in
// one transaction and moved into place only when complete, plus readers for
// the text sources in data/.
#pragma once

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace hehun::tools {

using Value = std::variant<std::string, long long, double>;

void Require(bool ok, const std::string& what);

// Non-empty lines of a UTF-8 text file, without "#" comment lines.
std::vector<std::string> ReadLines(const std::filesystem::path& path);

// Rows of a TSV file (comment lines skipped); every row must have `columns`
// fields, none empty.
std::vector<std::vector<std::string>> ReadTsv(const std::filesystem::path& path, size_t columns);

class Statement {
 public:
  Statement(sqlite3* db, const std::string& sql);
  Statement(Statement&&) noexcept;
  ~Statement();
  void Run(const std::vector<Value>& values);

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_;
};

class Writer {
 public:
  explicit Writer(std::filesystem::path target);
  ~Writer();
  void Exec(const std::string& sql);
  Statement Prepare(const std::string& sql);
  void Commit();

 private:
  std::filesystem::path target_;
  std::filesystem::path temp_;
  sqlite3* db_ = nullptr;
  bool committed_ = false;
};

}  // namespace hehun::tools
