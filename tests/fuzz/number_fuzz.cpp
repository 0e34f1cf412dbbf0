// The number texts of the divination dialogs and the command line: the
// 81-number fortune, its integer reading and field split, and the mobile
// number's table key.
#include <string>

#include "divination/number81.h"
#include "divination/number_divination.h"
#include "fuzz_support.h"
#include "refdb/messages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace hehun;
  const std::string_view text = fuzz::AsText(data, size);

  try {
    const std::string_view entry = Number81Fortune(text);
    const FortuneFields fields = SplitFortune(entry);
    fuzz::Expect(entry == kNumber81Refusal || (!fields.state.empty() && !fields.grade.empty()),
                 "an entry has a verse and a grade", text);
    const NumberResult result = NumberFortune(text);
    fuzz::Expect(result.number == text, "the number row shows the number", text);
  } catch (const ConversionError&) {
  }

  const std::string key = shoujiinfostr(text);
  fuzz::Expect(key.empty() == !IsMobileNumber(text), "a key exactly for 11-digit numbers", text);
  if (!key.empty()) {
    const int k = std::stoi(key);
    fuzz::Expect(k >= 1 && k <= 80, "the mobile key is 1 to 80", text);
  }
  return 0;
}
