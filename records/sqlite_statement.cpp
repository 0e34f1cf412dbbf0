#include "records/sqlite_statement.h"

#include <sqlite3.h>

#include "records/archive_error.h"

namespace hehun::records {

std::string SqliteFailureText(sqlite3* db, int code) {
  const std::string detail = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
  switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return "档案正被另一个程序长时间占用，请稍后再试（" + detail + "）";
    case SQLITE_FULL:
      return "磁盘已满，档案未能保存（" + detail + "）";
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
      return "档案文件无法写入（" + detail + "）";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      return "档案文件已损坏（" + detail + "）";
    default:
      return "档案数据库出错：" + detail;
  }
}

namespace {

[[noreturn]] void Fail(sqlite3* db, int code) {
  const int primary = code & 0xff;
  const ArchiveError::Kind kind = primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB ? ArchiveError::kDamaged
                                  : primary == SQLITE_BUSY || primary == SQLITE_LOCKED ? ArchiveError::kBusy
                                                                                      : ArchiveError::kFailed;
  throw ArchiveError(kind, SqliteFailureText(db, code));
}

}  // namespace

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
  const int rc = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
  if (rc != SQLITE_OK) Fail(db, rc);
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement& Statement::Bind(int index, std::string_view text) {
  const int rc = sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  if (rc != SQLITE_OK) Fail(db_, rc);
  return *this;
}

Statement& Statement::Bind(int index, int64_t value) {
  const int rc = sqlite3_bind_int64(stmt_, index, value);
  if (rc != SQLITE_OK) Fail(db_, rc);
  return *this;
}

bool Statement::Step() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  sqlite3_reset(stmt_);
  Fail(db_, rc);
}

void Statement::Run() {
  while (Step()) {
  }
  Reset();
}

void Statement::Reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

std::string Statement::Text(int column) const {
  const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  return p ? std::string(p, static_cast<size_t>(sqlite3_column_bytes(stmt_, column))) : std::string();
}

int64_t Statement::Int(int column) const { return sqlite3_column_int64(stmt_, column); }

bool Statement::IsNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }

void Execute(sqlite3* db, const char* sql) {
  const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) Fail(db, rc);
}

WriteTransaction::WriteTransaction(sqlite3* db) : db_(db) { Execute(db, "BEGIN IMMEDIATE"); }

WriteTransaction::~WriteTransaction() {
  if (open_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void WriteTransaction::Commit() {
  Execute(db_, "COMMIT");
  open_ = false;
}

}  // namespace hehun::records
