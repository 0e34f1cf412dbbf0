#include "refdb/refdb.h"

#include <sqlite3.h>
#include <unistd.h>


#include "refdb/db_error_text.h"
#include "refdb/text.h"

namespace hehun {

namespace {
std::filesystem::path& OverrideDir() {
  static std::filesystem::path dir;
  return dir;
}
}  // namespace

std::filesystem::path ProgramDir() {
  // The program does not move while it runs: ask the system once.
  static const std::filesystem::path dir = [] {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path();
    return exe.parent_path();
  }();
  return dir;
}

void SetDataDirOverride(const std::filesystem::path& dir) { OverrideDir() = dir; }

namespace {

bool Exists(const std::filesystem::path& p) {
  std::error_code ec;
  return std::filesystem::exists(p, ec);
}

// The installation prefix of a program in PREFIX/bin.
std::filesystem::path InstallPrefix() { return ProgramDir().parent_path(); }

std::filesystem::path InstalledDataDir() {
  static const std::filesystem::path dir = [] {
    const std::filesystem::path beside = ProgramDir();
    for (const char* name : {"BookFile.dll", "Tgcode.dll", "shensha"})
      if (Exists(beside / name)) return beside;
    const std::filesystem::path shared = InstallPrefix() / "share" / "hehun";
    return Exists(shared) ? shared : beside;
  }();
  return dir;
}

}  // namespace

std::filesystem::path DataDir() { return OverrideDir().empty() ? InstalledDataDir() : OverrideDir(); }

std::filesystem::path SiteConfigFile(std::string_view name) {
  if (!OverrideDir().empty()) return OverrideDir() / name;
  // The system's configuration folder: /etc for the prefix /usr, as Debian
  // installs it, PREFIX/etc for any other prefix.
  const std::filesystem::path prefix = InstallPrefix();
  const std::filesystem::path site =
      prefix == "/usr" ? std::filesystem::path("/etc/hehun") : prefix / "etc" / "hehun";
  for (const std::filesystem::path& dir : {std::filesystem::path("/etc/hehun"), site})
    if (Exists(dir / name)) return dir / name;
  return ProgramDir() / name;
}

std::string RefFileName(RefFile file) { return file == RefFile::kBookFile ? "BookFile.dll" : "Tgcode.dll"; }

std::string Row::Text(std::string_view column) const {
  for (size_t i = 0; i < names_.size(); ++i)
    if (names_[i] == column) return texts_[i];
  return {};
}

std::string Row::Text(size_t position) const { return position < texts_.size() ? texts_[position] : std::string(); }

double Row::Number(size_t position) const {
  if (position >= numbers_.size() || !numbers_[position]) return 0;
  return *numbers_[position];
}

struct RefDb::Connection {
  sqlite3* db = nullptr;
  std::map<std::string, sqlite3_stmt*, std::less<>> statements;
  ~Connection() {
    for (auto& [sql, stmt] : statements) sqlite3_finalize(stmt);
    // Closing ends the read transaction; nothing was written, so there is
    // nothing to commit.
    if (db) sqlite3_close(db);
  }
};

RefDb::RefDb() : RefDb(DataDir()) {}
RefDb::RefDb(std::filesystem::path dir) : dir_(std::move(dir)) {}
RefDb::~RefDb() = default;

RefDb::Connection* RefDb::Open(RefFile file, std::string& error) {
  auto& slot = connections_[static_cast<int>(file)];
  if (slot) return slot.get();
  auto conn = std::make_unique<Connection>();
  const std::filesystem::path file_path = dir_ / RefFileName(file);
  const std::string path = file_path.string();
  // An empty file would read as a database without tables: it is damaged.
  // Anything but a plain file (a folder, a named pipe that would block the
  // program) cannot be read.
  std::error_code ec;
  const auto status = std::filesystem::status(file_path, ec);
  if ((std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) ||
      (std::filesystem::is_regular_file(status) && std::filesystem::file_size(file_path, ec) == 0)) {
    error = DatabaseOpenErrorText(file_path);
    return nullptr;
  }
  // Read-only and without the create flag: a missing file fails instead of
  // being created empty, and the file is never changed.
  // A session belongs to one thread, so the connection needs no locking.
  int rc = sqlite3_open_v2(path.c_str(), &conn->db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    error = DatabaseOpenErrorText(file_path);
    return nullptr;
  }
  // Plans that do not depend on the bound keys: otherwise a LIKE statement
  // (the element of a character) is compiled anew for every key it is given.
  // The answers are the same either way.
  sqlite3_db_config(conn->db, SQLITE_DBCONFIG_ENABLE_QPSG, 1, nullptr);
  // One read transaction for the whole action, so every lookup sees one state.
  if (sqlite3_exec(conn->db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
    error = DatabaseErrorText(file_path, conn->db);
    return nullptr;
  }
  slot = std::move(conn);
  return slot.get();
}

bool RefDb::TryRows(RefFile file, std::string_view sql, const std::vector<Param>& params, size_t maxRows,
                    std::vector<Row>& rows, std::string& error) {
  rows.clear();
  Connection* conn = Open(file, error);
  if (!conn) return false;
  sqlite3_stmt* stmt = nullptr;
  auto it = conn->statements.find(sql);
  if (it != conn->statements.end()) {
    stmt = it->second;
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
  } else {
    if (sqlite3_prepare_v2(conn->db, sql.data(), static_cast<int>(sql.size()), &stmt, nullptr) != SQLITE_OK) {
      error = DatabaseErrorText(dir_ / RefFileName(file), conn->db);
      return false;
    }
    conn->statements.emplace(std::string(sql), stmt);
  }
  for (size_t i = 0; i < params.size(); ++i) {
    const int index = static_cast<int>(i) + 1;
    if (const auto* s = std::get_if<std::string>(&params[i])) {
      // Trailing blanks of a key are not part of the key.
      std::string key = TrimRight(*s);
      sqlite3_bind_text(stmt, index, key.c_str(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
    } else {
      sqlite3_bind_int64(stmt, index, std::get<long long>(params[i]));
    }
  }
  int rc;
  while (rows.size() < maxRows && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    Row row;
    row.found_ = true;
    const int n = sqlite3_column_count(stmt);
    for (int c = 0; c < n; ++c) {
      row.names_.emplace_back(sqlite3_column_name(stmt, c));
      const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
      row.texts_.push_back(t ? Trim(t) : std::string());
      const int type = sqlite3_column_type(stmt, c);
      if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
        row.numbers_.emplace_back(sqlite3_column_double(stmt, c));
      else
        row.numbers_.emplace_back(std::nullopt);
    }
    rows.push_back(std::move(row));
  }
  if (rows.size() < maxRows && rc != SQLITE_DONE) {
    error = DatabaseErrorText(dir_ / RefFileName(file), conn->db);
    sqlite3_reset(stmt);
    rows.clear();
    return false;
  }
  sqlite3_reset(stmt);
  return true;
}

namespace {

// The file, the statement and the keys as they are bound, each with its
// length, so that different lookups never share a key.
std::string FirstRowKey(RefFile file, std::string_view sql, const std::vector<Param>& params) {
  std::string key;
  const auto part = [&key](char kind, std::string_view text) {
    key += kind;
    key += std::to_string(text.size());
    key += ':';
    key += text;
  };
  part(static_cast<char>('0' + static_cast<int>(file)), sql);
  for (const Param& p : params) {
    if (const auto* s = std::get_if<std::string>(&p))
      part('s', TrimRight(*s));
    else
      part('i', std::to_string(std::get<long long>(p)));
  }
  return key;
}

}  // namespace

bool RefDb::TryFirst(RefFile file, std::string_view sql, const std::vector<Param>& params, Row& row,
                     std::string& error) {
  // Within the session's read transaction the same statement with the same
  // keys gives the same row, so a row read once is not read again. Errors
  // are not kept: the lookup is tried again and fails again.
  std::string key = FirstRowKey(file, sql, params);
  if (const auto it = firstRows_.find(key); it != firstRows_.end()) {
    row = it->second;
    return true;
  }
  std::vector<Row> rows;
  if (!TryRows(file, sql, params, 1, rows, error)) return false;
  row = rows.empty() ? Row() : std::move(rows.front());
  firstRows_.emplace(std::move(key), row);
  return true;
}

std::vector<Row> RefDb::All(Swallow, RefFile file, std::string_view sql, const std::vector<Param>& params) {
  std::vector<Row> rows;
  std::string error;
  if (!TryRows(file, sql, params, static_cast<size_t>(-1), rows, error)) return {};
  return rows;
}

std::vector<Row> RefDb::All(Unguarded, RefFile file, std::string_view sql, const std::vector<Param>& params) {
  std::vector<Row> rows;
  std::string error;
  if (!TryRows(file, sql, params, static_cast<size_t>(-1), rows, error)) throw DatabaseError(error);
  return rows;
}

Row RefDb::First(Swallow, RefFile file, std::string_view sql, const std::vector<Param>& params) {
  Row row;
  std::string error;
  if (!TryFirst(file, sql, params, row, error)) {
    Row failed;
    failed.failed_ = true;
    return failed;
  }
  return row;
}

Row RefDb::First(AbortSilently, RefFile file, std::string_view sql, const std::vector<Param>& params) {
  Row row;
  std::string error;
  if (!TryFirst(file, sql, params, row, error)) throw SilentAbort{};
  return row;
}

Row RefDb::First(Unguarded, RefFile file, std::string_view sql, const std::vector<Param>& params) {
  Row row;
  std::string error;
  if (!TryFirst(file, sql, params, row, error)) throw DatabaseError(error);
  return row;
}

}  // namespace hehun
