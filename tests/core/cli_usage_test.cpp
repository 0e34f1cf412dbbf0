// hehun-cli's own help, version and unknown commands: the usage goes to
// standard output with status 0 when asked for, to standard error with a
// non-zero status after a mistake.
#include <gtest/gtest.h>


#include <string>

#include "test_support.h"

namespace hehun {
namespace {

using Outcome = test::CliOutcome;
using test::RunCli;

TEST(CliUsage, HelpPrintsTheUsageOnStandardOutput) {
  for (const char* help : {"--help", "help", "-h"}) {
    const Outcome r = RunCli(help);
    EXPECT_EQ(r.status, 0) << help;
    EXPECT_EQ(r.out.rfind("用法：hehun-cli 命令 [参数]\n", 0), 0u) << help << ": " << r.out;
    for (const char* command : {"marriage", "personal", "pillars", "lunar", "solar", "solarterms", "--version"})
      EXPECT_NE(r.out.find(std::string("  ") + command), std::string::npos) << help << " lacks " << command;
    EXPECT_EQ(r.err, "") << help;
  }
}

TEST(CliUsage, VersionPrintsTheProgramAndItsVersion) {
  const Outcome r = RunCli("--version");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "hehun-cli " HEHUN_VERSION "\n");
  EXPECT_EQ(r.err, "");
}

TEST(CliUsage, UnknownOrMissingCommandPrintsTheUsageOnStandardError) {
  for (const char* arguments : {"bogus", "--helpme", "''", ""}) {
    const Outcome r = RunCli(arguments);
    EXPECT_NE(r.status, 0) << arguments;
    EXPECT_EQ(r.out, "") << arguments;
    EXPECT_NE(r.err.find("用法：hehun-cli 命令 [参数]\n"), std::string::npos) << arguments << ": " << r.err;
  }
  EXPECT_EQ(RunCli("bogus").err.rfind("未知命令：bogus\n", 0), 0u);
}

}  // namespace
}  // namespace hehun
