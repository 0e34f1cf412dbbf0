// The command line of hehun-cli: arguments and standard input of any bytes,
// run exactly as the program runs them. The input is the arguments, one a
// line, then a NUL byte, then the standard input. An exception that escapes
// or an exit status other than 0, 1 or 2 is a finding. The databases are
// those beside the fuzz program (build/bin). The records commands write:
// the run works in a fresh temporary folder that is also its data home, so
// neither the user's archive nor the working folder sees what they write.
#include <stdlib.h>
#include <unistd.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/entry.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char folder[] = "/tmp/hehun-cli-fuzz-XXXXXX";
  if (!mkdtemp(folder) || chdir(folder) != 0) return 0;
  setenv("XDG_DATA_HOME", folder, 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace hehun;
  const std::string_view input = fuzz::AsText(data, size);
  const size_t nul = input.find('\0');
  const std::string_view argText = input.substr(0, nul);
  const std::string_view stdinText = nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1);
  // Arguments after the program name; an empty text stands for no argument.
  std::vector<std::string> args;
  if (!argText.empty()) args = fuzz::Split(argText, '\n', 64);

  std::istringstream in{std::string(stdinText)};
  std::ostringstream out, err;
  const int status = cli::RunCommandLine(args, in, out, err);
  fuzz::Expect(status >= 0 && status <= 2, "the exit status is 0, 1 or 2", input);
  fuzz::Expect(status == 0 || !err.str().empty() || status == 2, "an error says what went wrong", input);
  return 0;
}
