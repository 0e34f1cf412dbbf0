#include "divination/number81.h"

#include <charconv>

#include "refdb/messages.h"
#include "refdb/text.h"

namespace hehun {

namespace {

// Entries 0 to 80 from data/divination (number81.tsv, character_types.tsv).
constexpr std::string_view kEntries[] = {
#include "number81_table.inc"
};
static_assert(std::size(kEntries) == kNumber81Count, "one entry for every remainder 0 to 80");

}  // namespace

std::string_view Number81Entry(int r) { return r >= 0 && r < kNumber81Count ? kEntries[r] : kNumber81Refusal; }

std::int64_t ParseInt64Text(std::string_view text) {
  const char* b = text.data();
  const char* e = text.data() + text.size();
  if (b != e && *b == '+' && e - b > 1 && b[1] != '-') ++b;
  std::int64_t value = 0;
  const auto r = std::from_chars(b, e, value);
  if (text.empty() || r.ec != std::errc() || r.ptr != e)
    throw ConversionError(QuoteTyped(text) + "不是有效的整数");
  return value;
}

std::string_view Number81Fortune(std::string_view numberText) {
  const std::int64_t r = ParseInt64Text(numberText) % kNumber81Count;
  if (r < 0) return kNumber81Refusal;
  return kEntries[r];
}

FortuneFields SplitFortune(std::string_view entry) {
  FortuneFields f;
  size_t bar = entry.find('|');
  std::string_view rest = entry;
  if (bar != std::string_view::npos) {
    f.state = std::string(entry.substr(0, bar));
    rest = entry.substr(bar + 1);
  }
  bar = rest.find('|');
  if (bar != std::string_view::npos) {
    f.grade = std::string(rest.substr(0, bar));
    rest = rest.substr(bar + 1);
  }
  f.detail = std::string(rest);
  return f;
}

}  // namespace hehun
