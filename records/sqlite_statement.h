// Thin wrappers over the SQLite C API for the records archive: a prepared
// statement that frees itself, and a write transaction that rolls back
// unless committed. Errors throw ArchiveError with a Chinese message.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace hehun::records {

class Statement {
 public:
  Statement(sqlite3* db, std::string_view sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& Bind(int index, std::string_view text);
  Statement& Bind(int index, int64_t value);
  Statement& Bind(int index, int value) { return Bind(index, static_cast<int64_t>(value)); }
  Statement& Bind(int index, bool value) { return Bind(index, static_cast<int64_t>(value ? 1 : 0)); }
  // True while a row is ready, false once the statement is done.
  bool Step();
  // Runs a statement that returns no rows (or ignores them).
  void Run();
  void Reset();

  std::string Text(int column) const;
  int64_t Int(int column) const;
  bool IsNull(int column) const;

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
};

// Runs statements without parameters (several may be separated by ';').
void Execute(sqlite3* db, const char* sql);

// BEGIN IMMEDIATE at once, so that a second writer waits in the busy
// handler instead of failing half-way; ROLLBACK unless Commit() was called.
class WriteTransaction {
 public:
  explicit WriteTransaction(sqlite3* db);
  ~WriteTransaction();
  WriteTransaction(const WriteTransaction&) = delete;
  WriteTransaction& operator=(const WriteTransaction&) = delete;
  void Commit();

 private:
  sqlite3* db_;
  bool open_ = true;
};

// The message of a failed SQLite call, in Chinese where the cause is one a
// user can act on (busy, disk full, read-only, damaged).
std::string SqliteFailureText(sqlite3* db, int code);

}  // namespace hehun::records
