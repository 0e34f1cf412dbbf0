#include "hardening_support.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace hehun::test {

namespace fs = std::filesystem;

Installation::Installation() {
  const fs::path bin = BinDir();
  fs::copy_file(bin / "hehun-cli", dir() / "hehun-cli");
  for (const char* db : {"BookFile.dll", "Tgcode.dll"}) fs::copy_file(bin / db, dir() / db);
  fs::copy(bin / "shensha", dir() / "shensha", fs::copy_options::recursive);
}

void Installation::Remove(const std::string& name) { fs::remove_all(dir() / name); }

void Installation::Empty(const std::string& name) { fs::resize_file(dir() / name, 0); }

void Installation::Truncate(const std::string& name) {
  fs::resize_file(dir() / name, fs::file_size(dir() / name) / 3);
}

void Installation::Replace(const std::string& name, const std::string& bytes) {
  std::ofstream(dir() / name, std::ios::binary | std::ios::trunc) << bytes;
}

void Installation::MakeFolder(const std::string& name) {
  fs::create_directories(dir() / name);
  std::ofstream(dir() / name / "inside.txt") << "x";
}

void Installation::MakePipe(const std::string& name) {
  if (mkfifo((dir() / name).c_str(), 0600) != 0) throw std::runtime_error("cannot make a pipe");
}

void Installation::DropTable(const std::string& database, const std::string& table) {
  sqlite3* db = nullptr;
  const std::string path = (dir() / database).string();
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
    throw std::runtime_error("cannot open " + path);
  const std::string sql = "DROP TABLE \"" + table + "\"";
  const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw std::runtime_error("cannot drop " + table);
}

std::map<std::string, std::string> Installation::Fingerprint() const {
  std::map<std::string, std::string> prints;
  for (const auto& entry : fs::recursive_directory_iterator(dir())) {
    const std::string name = fs::relative(entry.path(), dir()).string();
    if (!entry.is_regular_file()) {
      prints[name] = "folder";
      continue;
    }
    std::uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : ReadFile(entry.path())) hash = (hash ^ c) * 1099511628211ull;
    prints[name] = std::to_string(entry.file_size()) + " " + std::to_string(hash);
  }
  return prints;
}

namespace {
std::string Quoted(const std::string& word) {
  std::string q = "'";
  for (char c : word) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}
}  // namespace

CliRun RunCli(const fs::path& program, const std::vector<std::string>& args, const std::string& input) {
  TempDir io;
  {
    std::ofstream(io.path() / "in.txt", std::ios::binary) << input;
  }
  // A run that hangs is stopped after a minute (status 124) and fails.
  std::string cmd = "timeout 60 " + Quoted(program.string());
  for (const auto& a : args) cmd += " " + Quoted(a);
  cmd += " < " + Quoted((io.path() / "in.txt").string()) + " > " + Quoted((io.path() / "out.txt").string()) +
         " 2> " + Quoted((io.path() / "err.txt").string());
  const int rc = std::system(cmd.c_str());
  CliRun run;
  run.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  run.out = ReadFile(io.path() / "out.txt");
  run.err = ReadFile(io.path() / "err.txt");
  return run;
}

}  // namespace hehun::test
