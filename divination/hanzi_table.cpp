#include "divination/hanzi_table.h"

#include <algorithm>
#include <iterator>

#include "refdb/text.h"

namespace hehun {

namespace {

struct RadicalRecord {
  int strokes;
  const char* character;
};

#include "hanzi_table.inc"

static_assert(std::size(kRadicals) == 215, "the 214 Kangxi radicals after an empty entry 0");

constexpr std::string_view kElementNames[] = {"木", "火", "土", "金", "水"};

// The code point of a text holding exactly one UTF-8 character, 0 otherwise.
char32_t SingleCode(std::string_view s) {
  const unsigned char c = s.empty() ? 0 : static_cast<unsigned char>(s[0]);
  const size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
  if (n == 0 || s.size() != n) return 0;
  char32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
  for (size_t k = 1; k < n; ++k) {
    const unsigned char b = static_cast<unsigned char>(s[k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  return cp;
}

}  // namespace

const HanziRecord* FindHanzi(char32_t code) {
  const auto it = std::lower_bound(std::begin(kHanzi), std::end(kHanzi), code,
                                   [](const HanziRecord& r, char32_t c) { return r.code < c; });
  return it != std::end(kHanzi) && it->code == code ? &*it : nullptr;
}

const HanziRecord* FindHanzi(std::string_view utf8Char) {
  const char32_t code = SingleCode(utf8Char);
  return code == 0 ? nullptr : FindHanzi(code);
}

std::string_view RadicalCharacter(int n) { return n >= 1 && n <= 214 ? kRadicals[n].character : ""; }
int RadicalStrokes(int n) { return n >= 1 && n <= 214 ? kRadicals[n].strokes : 0; }

std::string_view ElementName(int element) {
  return element >= 0 && element < 5 ? kElementNames[element] : std::string_view();
}

std::string CodeToUtf8(char32_t cp) { return Utf8Encode(cp); }

std::string CheckChineseName(std::string_view name, std::string_view who, int maxChars, HanziName& out) {
  out = {};
  const std::string text = Trim(name);
  if (text.empty()) return "请输入" + std::string(who) + "！";
  for (const std::string& c : Utf8Chars(text)) {
    const HanziRecord* r = FindHanzi(c);
    if (r == nullptr) return std::string(who) + "只能由汉字组成：" + QuoteTyped(text) + "中的“" + c + "”不是汉字";
    out.chars.push_back(c);
    out.records.push_back(r);
  }
  if (static_cast<int>(out.chars.size()) > maxChars)
    return std::string(who) + "最多" + std::to_string(maxChars) + "个汉字：" + QuoteTyped(text);
  return "";
}

}  // namespace hehun
