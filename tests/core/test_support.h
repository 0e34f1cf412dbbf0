// Helpers shared by the core tests.
#pragma once

#include <filesystem>
#include <string>

namespace hehun::test {

// A fresh, empty folder under the system's temporary folder, removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Runs a program of build/bin with text on standard input; returns its
// standard output and sets the exit status.
std::string RunProgram(const std::string& commandLine, const std::string& input, int* status = nullptr);

// hehun-cli of build/bin run with `arguments` (shell words) and no input:
// its exit status and both output streams.
struct CliOutcome {
  int status = -1;
  std::string out, err;
};
CliOutcome RunCli(const std::string& arguments);

std::filesystem::path BinDir();
std::string ReadFile(const std::filesystem::path& path);

}  // namespace hehun::test
