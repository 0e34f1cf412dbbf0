// PinyinCode on any bytes (as GBK and as UTF-8) and the nickname analysis on
// any text. The first two bytes give the flags and the length limit (either
// may be negative).
#include <algorithm>
#include <string>

#include "divination/pinyin.h"
#include "fuzz_support.h"
#include "refdb/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace hehun;
  if (size < 2) return 0;
  const int flags = static_cast<int8_t>(data[0]);
  const int maxLength = static_cast<int8_t>(data[1]);
  const std::string_view text = fuzz::AsText(data + 2, size - 2);

  for (const std::string& code : {PinyinCode(text, flags, maxLength), PinyinCodeUtf8(text, flags, maxLength)}) {
    fuzz::Expect(flags >= 0 || code.empty(), "negative flags give nothing", text);
    fuzz::Expect(code.size() <= static_cast<size_t>(std::max(0, maxLength)), "the result keeps to the length limit",
                 text);
    if (!(flags & kPinyinKeepOthers))
      for (char c : code)
        fuzz::Expect((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '?',
                     "without the keep option only letters, digits and ? remain", text);
  }

  const std::string trait = NicknameTrait(text);
  const std::string name = Trim(text);
  if (!name.empty()) {
    const NicknameResult result = AnalyseNickname(name);
    fuzz::Expect(result.traitLine.rfind("你的性格：", 0) == 0 || result.traitLine == kNicknameRetryText,
                 "the trait line has its caption", text);
  }
  return 0;
}
