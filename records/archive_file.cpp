#include "records/archive_file.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "records/archive_error.h"
#include "records/sqlite_statement.h"
#include "refdb/messages.h"

namespace hehun::records {

namespace fs = std::filesystem;

namespace {

// Version 1: people and couples. Ids are never reused (AUTOINCREMENT), so a
// number written on paper never comes to name somebody else after a delete.
constexpr const char* kSchemaVersion1 = R"sql(
CREATE TABLE person(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  name TEXT NOT NULL,
  sex TEXT NOT NULL CHECK(sex IN ('男', '女')),
  calendar TEXT NOT NULL CHECK(calendar IN ('公历', '农历')),
  birth_date TEXT NOT NULL,
  birth_time TEXT NOT NULL,
  leap_month INTEGER NOT NULL DEFAULT 0 CHECK(leap_month IN (0, 1)),
  place TEXT NOT NULL DEFAULT '',
  blood TEXT NOT NULL DEFAULT '' CHECK(blood IN ('', 'A', 'B', 'O', 'AB')),
  note TEXT NOT NULL DEFAULT '',
  tags TEXT NOT NULL DEFAULT '',
  created_at INTEGER NOT NULL,
  updated_at INTEGER NOT NULL);
CREATE TABLE couple(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  first_id INTEGER NOT NULL REFERENCES person(id) ON DELETE CASCADE,
  second_id INTEGER NOT NULL REFERENCES person(id) ON DELETE CASCADE,
  note TEXT NOT NULL DEFAULT '',
  last_matched TEXT NOT NULL DEFAULT '',
  created_at INTEGER NOT NULL,
  updated_at INTEGER NOT NULL,
  CHECK(first_id < second_id),
  UNIQUE(first_id, second_id));
CREATE INDEX couple_second ON couple(second_id);
)sql";

std::string Stamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y%m%d-%H%M%S", &local);
  return buf;
}

// "records.db" + suffix, or with "-2", "-3", … when that name is taken.
fs::path FreeName(const fs::path& path, const std::string& suffix) {
  fs::path candidate = path.string() + suffix;
  for (int n = 2; fs::exists(fs::symlink_status(candidate)); ++n)
    candidate = path.string() + suffix + "-" + std::to_string(n);
  return candidate;
}

std::string Quoted(const fs::path& path) { return "“" + path.string() + "”"; }

// Creates an empty file readable by its owner only; false when it exists.
bool CreatePrivateFile(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) {
    if (errno == EEXIST) return false;
    throw ArchiveError(ArchiveError::kFailed, "无法建立档案文件" + Quoted(path) + "：" + std::strerror(errno));
  }
  ::close(fd);
  return true;
}

struct Connection {
  sqlite3* db = nullptr;
  ~Connection() { sqlite3_close_v2(db); }
  sqlite3* Release() {
    sqlite3* d = db;
    db = nullptr;
    return d;
  }
};

int64_t PragmaInt(sqlite3* db, const char* sql) {
  Statement s(db, sql);
  return s.Step() ? s.Int(0) : 0;
}

// PRAGMA quick_check, without writing anything: a file that is not a
// database fails on its header, a damaged one lists its faults.
void CheckIntegrity(sqlite3* db, const fs::path& path) {
  const std::string damaged = "档案文件" + Quoted(path) + "已损坏";
  std::string result;
  try {
    Statement check(db, "PRAGMA quick_check(1)");
    if (check.Step()) result = check.Text(0);
  } catch (const ArchiveError& e) {
    if (e.kind() == ArchiveError::kBusy) throw;
    throw ArchiveError(ArchiveError::kDamaged, damaged + "（" + e.what() + "）");
  }
  if (result != "ok") throw ArchiveError(ArchiveError::kDamaged, damaged + "（" + result + "）");
}

// The copy taken before an upgrade: a consistent snapshot through SQLite's
// backup interface (it includes what still sits in the WAL file).
void CopyBeforeUpgrade(sqlite3* db, const fs::path& path, int64_t version) {
  const fs::path copy = FreeName(path, ".v" + std::to_string(version) + "-backup-" + Stamp());
  CreatePrivateFile(copy);
  Connection target;
  int rc = sqlite3_open_v2(copy.c_str(), &target.db, SQLITE_OPEN_READWRITE, nullptr);
  if (rc == SQLITE_OK) {
    sqlite3_backup* backup = sqlite3_backup_init(target.db, "main", db, "main");
    if (!backup) {
      rc = sqlite3_errcode(target.db);
    } else {
      while ((rc = sqlite3_backup_step(backup, -1)) == SQLITE_BUSY || rc == SQLITE_LOCKED) sqlite3_sleep(50);
      sqlite3_backup_finish(backup);
      if (rc == SQLITE_DONE) rc = sqlite3_errcode(target.db);
    }
  }
  if (rc != SQLITE_OK && rc != SQLITE_DONE) {
    const std::string why = SqliteFailureText(target.db, rc);
    std::error_code ec;
    fs::remove(copy, ec);
    throw ArchiveError(ArchiveError::kFailed, "升级档案前未能备份档案文件，档案未作改动（" + why + "）");
  }
}

void Upgrade(sqlite3* db, const fs::path& path, const std::vector<SchemaStep>& steps, int64_t seenVersion) {
  if (seenVersion > 0) CopyBeforeUpgrade(db, path, seenVersion);
  WriteTransaction transaction(db);
  // Another program may have upgraded the file in the meantime.
  const int64_t version = PragmaInt(db, "PRAGMA user_version");
  for (const SchemaStep& step : steps)
    if (step.version > version) Execute(db, step.sql);
  Execute(db, ("PRAGMA application_id = " + std::to_string(kArchiveApplicationId)).c_str());
  Execute(db, ("PRAGMA user_version = " + std::to_string(steps.back().version)).c_str());
  transaction.Commit();
}

}  // namespace

const std::vector<SchemaStep>& ArchiveSchemaSteps() {
  static const std::vector<SchemaStep> steps = {{1, kSchemaVersion1}};
  return steps;
}

fs::path DefaultArchivePath() {
  fs::path dataHome;
  // As Qt 6.4 reads it: any text that is set, a relative one included.
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && xdg[0]) {
    dataHome = xdg;
  } else {
    const char* home = std::getenv("HOME");
    dataHome = fs::path(home && home[0] ? home : "/tmp") / ".local" / "share";
  }
  return dataHome / std::string(kAppTitle) / kArchiveFileName;
}

sqlite3* OpenArchiveFile(const fs::path& path, const std::vector<SchemaStep>& steps, ArchiveAccess access) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (!fs::exists(status) && access == ArchiveAccess::kRead) {
    throw ArchiveError(ArchiveError::kNotFound, "档案文件" + Quoted(path) + "不存在（还没有存入任何人）");
  } else if (!fs::exists(status)) {
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    if (!fs::exists(folder)) {
      fs::create_directories(folder, ec);
      if (ec)
        throw ArchiveError(ArchiveError::kFailed, "无法建立档案文件夹" + Quoted(folder) + "：" + ec.message());
      fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, ec);
    }
    CreatePrivateFile(path);
  } else if (!fs::is_regular_file(status)) {
    throw ArchiveError(ArchiveError::kFailed, Quoted(path) + "不是普通文件，不能用作档案");
  }

  Connection conn;
  const int rc = sqlite3_open_v2(path.c_str(), &conn.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK)
    throw ArchiveError(ArchiveError::kFailed, "无法打开档案文件" + Quoted(path) + "（" + SqliteFailureText(conn.db, rc) + "）");
  sqlite3_busy_timeout(conn.db, kBusyTimeoutMs);
  sqlite3_extended_result_codes(conn.db, 1);

  // Everything up to the journal switch only reads, so a refused file stays
  // as it was.
  if (access == ArchiveAccess::kWrite) CheckIntegrity(conn.db, path);
  int64_t version = 0, applicationId = 0, tables = 0;
  try {
    version = PragmaInt(conn.db, "PRAGMA user_version");
    applicationId = PragmaInt(conn.db, "PRAGMA application_id");
    tables = PragmaInt(conn.db, "SELECT count(*) FROM sqlite_master");
  } catch (const ArchiveError& e) {
    if (e.kind() != ArchiveError::kDamaged) throw;
    throw ArchiveError(ArchiveError::kDamaged, "档案文件" + Quoted(path) + "已损坏（" + sqlite3_errmsg(conn.db) + "）");
  }
  const bool empty = version == 0 && applicationId == 0 && tables == 0;
  if (!empty && applicationId != kArchiveApplicationId)
    throw ArchiveError(ArchiveError::kForeign, Quoted(path) + "是别的数据库，不是本程序的档案文件，未作任何改动");
  const int current = steps.back().version;
  if (version > current)
    throw ArchiveError(ArchiveError::kTooNew, "档案文件" + Quoted(path) + "由较新版本的程序建立（格式第" +
                                                  std::to_string(version) + "版，本程序只认识到第" +
                                                  std::to_string(current) + "版），请使用新版程序打开");

  {
    Statement journal(conn.db, "PRAGMA journal_mode = WAL");
    if (!journal.Step() || journal.Text(0) != "wal")
      throw ArchiveError(ArchiveError::kFailed, "档案文件" + Quoted(path) + "所在的文件夹不支持WAL日志");
  }
  Execute(conn.db, "PRAGMA synchronous = FULL; PRAGMA foreign_keys = ON");
  if (version < current) Upgrade(conn.db, path, steps, version);
  return conn.Release();
}

fs::path MoveArchiveAside(const fs::path& path) {
  const fs::path target = FreeName(path, ".damaged-" + Stamp());
  // link() + unlink() never replaces a file that appeared under the new name.
  if (::link(path.c_str(), target.c_str()) != 0 || ::unlink(path.c_str()) != 0)
    throw ArchiveError(ArchiveError::kFailed, "无法把档案文件" + Quoted(path) + "改名为" + Quoted(target) + "：" +
                                                  std::strerror(errno));
  for (const char* companion : {"-wal", "-shm", "-journal"}) {
    const fs::path from = path.string() + companion;
    std::error_code ec;
    if (fs::exists(fs::symlink_status(from, ec))) fs::rename(from, target.string() + companion, ec);
  }
  return target;
}

}  // namespace hehun::records
