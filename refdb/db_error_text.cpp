#include "refdb/db_error_text.h"

#include <sqlite3.h>

#include <string_view>

namespace hehun {

namespace {

constexpr std::string_view kReinstall = "请重新安装本软件。";

std::string Quoted(const std::filesystem::path& path) { return "“" + path.string() + "”"; }

// The name after a prefix such as "no such table: " in the engine's text.
std::string NameAfter(std::string_view message, std::string_view prefix) {
  const size_t at = message.find(prefix);
  if (at == std::string_view::npos) return {};
  return std::string(message.substr(at + prefix.size()));
}

}  // namespace

std::string DatabaseOpenErrorText(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return "找不到数据库文件" + Quoted(path) + "，" + std::string(kReinstall);
  if (!std::filesystem::is_regular_file(path, ec))
    return "数据库文件" + Quoted(path) + "不是普通文件，无法读取，" + std::string(kReinstall);
  if (std::filesystem::file_size(path, ec) == 0)
    return "数据库文件" + Quoted(path) + "已损坏，或不是本软件的数据库文件（文件是空的），" + std::string(kReinstall);
  return "无法读取数据库文件" + Quoted(path) + "，请检查该文件是否存在并且可以读取。";
}

std::string DatabaseErrorText(const std::filesystem::path& path, sqlite3* db) {
  const int code = db ? sqlite3_errcode(db) & 0xff : SQLITE_ERROR;
  const std::string_view message = db ? sqlite3_errmsg(db) : "";
  if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT || code == SQLITE_IOERR || code == SQLITE_FORMAT)
    return "数据库文件" + Quoted(path) + "已损坏，或不是本软件的数据库文件，" + std::string(kReinstall);
  if (code == SQLITE_CANTOPEN) return DatabaseOpenErrorText(path);
  if (const std::string table = NameAfter(message, "no such table: "); !table.empty())
    return "数据库文件" + Quoted(path) + "缺少数据表“" + table + "”，" + std::string(kReinstall);
  if (const std::string column = NameAfter(message, "no such column: "); !column.empty())
    return "数据库文件" + Quoted(path) + "的数据表缺少字段“" + column + "”，" + std::string(kReinstall);
  return "读取数据库文件" + Quoted(path) + "时出错（错误代码 " + std::to_string(db ? sqlite3_extended_errcode(db) : code) +
         "），" + std::string(kReinstall);
}

}  // namespace hehun
