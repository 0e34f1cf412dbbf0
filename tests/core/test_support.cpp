#include "test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "refdb/refdb.h"

namespace hehun::test {

TempDir::TempDir() {
  std::random_device rd;
  path_ = std::filesystem::temp_directory_path() / ("hehun-test-" + std::to_string(getpid()) + "-" +
                                                    std::to_string(rd()));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::filesystem::path BinDir() { return ProgramDir(); }

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::string RunProgram(const std::string& commandLine, const std::string& input, int* status) {
  TempDir dir;
  const auto in = dir.path() / "in.txt";
  const auto out = dir.path() / "out.txt";
  {
    std::ofstream f(in, std::ios::binary);
    f << input;
  }
  const std::string cmd = (BinDir() / "").string() + commandLine + " < '" + in.string() + "' > '" + out.string() +
                          "' 2> '" + (dir.path() / "err.txt").string() + "'";
  const int rc = std::system(cmd.c_str());
  if (status) *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  return ReadFile(out);
}

CliOutcome RunCli(const std::string& arguments) {
  TempDir dir;
  const auto out = dir.path() / "out.txt";
  const auto err = dir.path() / "err.txt";
  const std::string cmd = "'" + (BinDir() / "hehun-cli").string() + "' " + arguments + " < /dev/null > '" +
                          out.string() + "' 2> '" + err.string() + "'";
  const int rc = std::system(cmd.c_str());
  return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, ReadFile(out), ReadFile(err)};
}

}  // namespace hehun::test
