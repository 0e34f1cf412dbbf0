// A private copy of the installation (hehun-cli, the two databases and the
// folder shensha/) in a temporary folder, which a test may damage, and a
// runner for the copied hehun-cli, which finds its data beside itself.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "test_support.h"

namespace hehun::test {

class Installation {
 public:
  Installation();
  const std::filesystem::path& dir() const { return dir_.path(); }
  std::filesystem::path operator/(const std::string& name) const { return dir_.path() / name; }

  // Damages: the named file or folder removed, emptied, cut to a third of
  // its size, replaced by text, or rewritten with other bytes.
  void Remove(const std::string& name);
  void Empty(const std::string& name);
  void Truncate(const std::string& name);
  void Replace(const std::string& name, const std::string& bytes);
  // Puts a folder (with a file inside) or a named pipe in the place of a file.
  void MakeFolder(const std::string& name);
  void MakePipe(const std::string& name);
  // Drops one table of a database copy.
  void DropTable(const std::string& database, const std::string& table);

  // Every file below the folder with its size and checksum (FNV-1a).
  std::map<std::string, std::string> Fingerprint() const;

 private:
  TempDir dir_;
};

struct CliRun {
  int status = -1;
  std::string out, err;
};

// Runs `program` (a path) with the arguments, each passed as one word.
CliRun RunCli(const std::filesystem::path& program, const std::vector<std::string>& args,
              const std::string& input = "");

}  // namespace hehun::test
