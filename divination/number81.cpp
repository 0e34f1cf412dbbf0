#include "divination/number81.h"

#include <charconv>

#include "refdb/messages.h"
#include "refdb/text.h"

namespace hehun {

namespace {

// The entries of numbers 1 to 81, in order, from data/divination
// (number81.tsv, character_types.tsv).
constexpr std::string_view kEntries[] = {
#include "number81_table.inc"
};
static_assert(std::size(kEntries) == kNumber81Count, "one entry for every number 1 to 81");

}  // namespace

std::string_view Number81Entry(int n) { return n >= 1 && n <= kNumber81Count ? kEntries[n - 1] : kNumber81Refusal; }

int Number81Of(std::int64_t n) {
  if (n <= 0) return 0;
  if (n <= kNumber81Count) return static_cast<int>(n);
  // Subtracting 80 until n <= 81 leaves n mod 80, with 0 and 1 read as 80 and 81.
  const int r = static_cast<int>(n % 80);
  return r <= 1 ? r + 80 : r;
}

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
  return Number81Entry(Number81Of(ParseInt64Text(numberText)));
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
