#include "tools/refdb_writer.h"

#include <sqlite3.h>

#include <fstream>
#include <stdexcept>

namespace hehun::tools {

void Require(bool ok, const std::string& what) {
  if (!ok) throw std::runtime_error(what);
}

std::vector<std::string> ReadLines(const std::filesystem::path& path) {
  std::ifstream in(path);
  Require(static_cast<bool>(in), "cannot read " + path.string());
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::vector<std::string>> ReadTsv(const std::filesystem::path& path, size_t columns) {
  std::vector<std::vector<std::string>> rows;
  int n = 0;
  for (const auto& line : ReadLines(path)) {
    ++n;
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
      size_t tab = line.find('\t', start);
      fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
    Require(fields.size() == columns, path.string() + ": row " + std::to_string(n) + " has " +
                                          std::to_string(fields.size()) + " fields, expected " +
                                          std::to_string(columns));
    for (const auto& f : fields) Require(!f.empty(), path.string() + ": row " + std::to_string(n) + " has an empty field");
    rows.push_back(std::move(fields));
  }
  return rows;
}

Statement::Statement(sqlite3* db, const std::string& sql) : db_(db), stmt_(nullptr) {
  Require(sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt_, nullptr) == SQLITE_OK,
          sql + ": " + sqlite3_errmsg(db));
}

Statement::Statement(Statement&& o) noexcept : db_(o.db_), stmt_(o.stmt_) { o.stmt_ = nullptr; }

Statement::~Statement() {
  if (stmt_) sqlite3_finalize(stmt_);
}

void Statement::Run(const std::vector<Value>& values) {
  sqlite3_reset(stmt_);
  for (size_t i = 0; i < values.size(); ++i) {
    const int k = static_cast<int>(i) + 1;
    if (const auto* s = std::get_if<std::string>(&values[i]))
      sqlite3_bind_text(stmt_, k, s->c_str(), static_cast<int>(s->size()), SQLITE_TRANSIENT);
    else if (const auto* n = std::get_if<long long>(&values[i]))
      sqlite3_bind_int64(stmt_, k, *n);
    else
      sqlite3_bind_double(stmt_, k, std::get<double>(values[i]));
  }
  Require(sqlite3_step(stmt_) == SQLITE_DONE, std::string("insert failed: ") + sqlite3_errmsg(db_));
}

Writer::Writer(std::filesystem::path target) : target_(std::move(target)) {
  temp_ = target_;
  temp_ += ".tmp";
  std::filesystem::remove(temp_);
  Require(sqlite3_open(temp_.string().c_str(), &db_) == SQLITE_OK, "cannot create " + temp_.string());
  Exec("PRAGMA journal_mode = OFF");
  Exec("BEGIN");
}

Writer::~Writer() {
  if (db_) sqlite3_close(db_);
  if (!committed_) std::filesystem::remove(temp_);
}

void Writer::Exec(const std::string& sql) {
  char* err = nullptr;
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
    std::string msg = sql + ": " + (err ? err : "?");
    sqlite3_free(err);
    throw std::runtime_error(msg);
  }
}

Statement Writer::Prepare(const std::string& sql) { return Statement(db_, sql); }

void Writer::Commit() {
  Exec("COMMIT");
  Exec("VACUUM");
  sqlite3_close(db_);
  db_ = nullptr;
  std::filesystem::rename(temp_, target_);
  committed_ = true;
}

}  // namespace hehun::tools
