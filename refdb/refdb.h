// The folder refdb/ is the lowest floor: the reference databases, GBK and the
// shared text helpers, the messages, the line sink reports write to and the
// names of the stem-branch cycle. It includes nothing from the other folders.
//
// Read-only access to the two reference databases beside the program,
// "BookFile.dll" and "Tgcode.dll" (SQLite files under these names).
//
// One RefDb lives for one user action (a click, or one command-line run): it
// opens each file read-only on first use, keeps one read transaction, reuses
// prepared statements, and closes everything when the action ends, so that a
// replaced file is seen at the next action and nothing is cached across
// actions. Keys are bound as parameters; trailing blanks of a text key are
// not part of the key; values read are trimmed; only the first row counts.
//
// Each lookup names its error policy as a type:
//   Swallow        - an error gives an empty row, no message;
//   AbortSilently  - an error stops the user action without a message;
//   Unguarded      - an error stops the action with its text shown.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <typeindex>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

#include "refdb/messages.h"

struct sqlite3;
struct sqlite3_stmt;

namespace hehun {

enum class RefFile { kBookFile = 0, kTgcode = 1 };

struct Swallow {};
struct AbortSilently {};
struct Unguarded {};

// The folder of the running program.
std::filesystem::path ProgramDir();
// Points the whole core at another data folder (tests); empty resets.
void SetDataDirOverride(const std::filesystem::path& dir);
// The folder of the databases and "shensha/": beside the program when they
// are there (the build tree, an unpacked copy), else PREFIX/share/hehun for
// a program in PREFIX/bin (an installed program); the override when set.
std::filesystem::path DataDir();
// The site configuration file `name` (contacts.ini): the one in /etc/hehun
// (PREFIX/etc/hehun for a prefix other than /usr) when it exists, else the
// one beside the program; only the override folder's when that is set.
std::filesystem::path SiteConfigFile(std::string_view name);

std::string RefFileName(RefFile file);

// First row of a result: trimmed texts by column name and position. A row
// that was not found reads as empty text (and 0 as a number).
class Row {
 public:
  bool found() const { return found_; }
  // True when a swallowed lookup could not be read at all (file, table or
  // column missing, damaged file), as opposed to a lookup that found no row.
  bool failed() const { return failed_; }
  std::string Text(std::string_view column) const;
  std::string Text(size_t position) const;
  double Number(size_t position) const;

 private:
  friend class RefDb;
  bool found_ = false;
  bool failed_ = false;
  std::vector<std::string> names_;
  std::vector<std::string> texts_;
  std::vector<std::optional<double>> numbers_;
};

using Param = std::variant<std::string, long long>;

class RefDb {
 public:
  RefDb();
  explicit RefDb(std::filesystem::path dir);
  ~RefDb();
  RefDb(const RefDb&) = delete;
  RefDb& operator=(const RefDb&) = delete;

  Row First(Swallow, RefFile file, std::string_view sql, const std::vector<Param>& params = {});
  Row First(AbortSilently, RefFile file, std::string_view sql, const std::vector<Param>& params = {});
  Row First(Unguarded, RefFile file, std::string_view sql, const std::vector<Param>& params = {});

  // Every row of a result, for the few lookups that need a whole table
  // section at once (the solar terms around a birth). Errors give no rows.
  std::vector<Row> All(Swallow, RefFile file, std::string_view sql, const std::vector<Param>& params = {});
  // Every row, an error stopping the action with its text shown.
  std::vector<Row> All(Unguarded, RefFile file, std::string_view sql, const std::vector<Param>& params = {});

  const std::filesystem::path& dir() const { return dir_; }

  // What this session has already worked out from the files (a year's solar
  // terms, parsed rule files, answers of the shared lookups), one record per
  // type T, made empty on first use. It ends with the session, as the
  // prepared statements do, so the next action reads everything anew.
  // Callers keep only what the session really read: a failed read is not
  // recorded, so it fails again where it would fail without the record.
  template <class T>
  T& SessionData() {
    const std::type_index type(typeid(T));
    for (auto& [t, data] : sessionData_)
      if (t == type) return *static_cast<T*>(data.get());
    sessionData_.emplace_back(type, std::make_shared<T>());
    return *static_cast<T*>(sessionData_.back().second.get());
  }

 private:
  struct Connection;
  // Runs the statement; on error returns false and sets `error`.
  bool TryRows(RefFile file, std::string_view sql, const std::vector<Param>& params, size_t maxRows,
               std::vector<Row>& rows, std::string& error);
  bool TryFirst(RefFile file, std::string_view sql, const std::vector<Param>& params, Row& row, std::string& error);
  Connection* Open(RefFile file, std::string& error);

  std::filesystem::path dir_;
  std::unique_ptr<Connection> connections_[2];
  // First rows already read in this session, by file, statement and keys.
  std::unordered_map<std::string, Row> firstRows_;
  std::vector<std::pair<std::type_index, std::shared_ptr<void>>> sessionData_;
};

}  // namespace hehun
