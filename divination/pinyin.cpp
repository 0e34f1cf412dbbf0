#include "divination/pinyin.h"

#include <array>

#include "refdb/gbk.h"
#include "refdb/text.h"

namespace hehun {

namespace {

// One syllable: its length and up to six lower-case letters.
struct SyllableEntry {
  unsigned char length;
  char letters[6];
};

// kPinyinSyllableCount, kPinyinSyllables, kPinyinIndex (by lead and trail
// byte) and kPinyinIndexNonZero, generated from the Unihan readings.
#include "pinyin_index.inc"
static_assert(std::size(kPinyinIndex) == kPinyinIndexSize, "one entry for every lead 0x81-0xFE and trail 0x40-0xFE");
static_assert(kPinyinIndexNonZero >= 20745, "a reading for every GBK hanzi that Unihan reads");

constexpr std::string_view kLetterTraits[] = {
#include "letter_traits.inc"
};
static_assert(std::size(kLetterTraits) == 26, "one trait for every letter a to z");

// GBK row A2: the numbers shown by the numbered symbols, by runs of trail
// bytes (small and capital roman numerals, numbers with a full stop,
// parenthesised and circled numbers, parenthesised ideographs).
struct NumberedRun {
  int firstTrail, count;
};
constexpr NumberedRun kNumberedRuns[] = {{0xA1, 10}, {0xB1, 20}, {0xC5, 20}, {0xD9, 10}, {0xE5, 10}, {0xF1, 12}};

std::string NumberedSymbol(int trail) {
  for (const auto& run : kNumberedRuns)
    if (trail >= run.firstTrail && trail < run.firstTrail + run.count) return std::to_string(trail - run.firstTrail + 1);
  return {};
}

// GBK row A6: Latin transliterations of the Greek letters Α/α to Ω/ω.
constexpr std::array<std::string_view, 24> kGreek{"a", "b", "g",  "d", "e", "z", "e", "th", "i",  "k",  "l",  "m",
                                                  "n", "x", "o",  "p", "r", "s", "t", "u",  "ph", "kh", "ps", "o"};

bool IsAsciiAlnum(unsigned char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char Upper(unsigned char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : static_cast<char>(c); }

std::string UpperText(std::string_view s) {
  std::string out;
  for (unsigned char c : s) out += Upper(c);
  return out;
}

// The piece of a double-byte code without a conversion.
std::string Unknown(int flags) { return (flags & kPinyinMarkUnknown) ? "?" : ""; }

// The piece of the double-byte character with lead `lead` and trail `trail`.
std::string DoubleBytePiece(int lead, int trail, int flags) {
  if (lead == 0xA2) return trail >= 0xA1 ? NumberedSymbol(trail) : Unknown(flags);
  if (lead == 0xA3) {
    // Full-width ASCII: the character 0x80 below the trail byte.
    const int c = trail - 0x80;
    if (c < 0x21 || c > 0x7E) return Unknown(flags);
    if (!(flags & kPinyinKeepOthers) && !IsAsciiAlnum(static_cast<unsigned char>(c))) return {};
    return std::string(1, Upper(static_cast<unsigned char>(c)));
  }
  if (lead == 0xA6) {
    if (trail >= 0xA1 && trail <= 0xB8) return UpperText(kGreek[trail - 0xA1]);
    if (trail >= 0xC1 && trail <= 0xD8) return UpperText(kGreek[trail - 0xC1]);
    return Unknown(flags);
  }
  const int s = PinyinSyllableNumber(lead, trail);
  if (s == 0) return Unknown(flags);
  const std::string syllable = UpperText(PinyinSyllable(s));
  return (flags & kPinyinWholeSyllable) ? syllable : syllable.substr(0, 1);
}

// Walks GBK bytes and appends the pieces to `out`.
void AppendPinyin(std::string_view text, int flags, std::string& out) {
  for (size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    const auto n = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    if (b < 0x81 || n < 0x40) {
      if (IsAsciiAlnum(b) || (flags & kPinyinKeepOthers)) out += Upper(b);
      ++i;
    } else {
      out += DoubleBytePiece(b, n, flags);
      i += 2;
    }
  }
}

std::string Cut(std::string s, int maxLength) {
  if (maxLength < 0) return {};
  if (s.size() > static_cast<size_t>(maxLength)) s.resize(static_cast<size_t>(maxLength));
  return s;
}

}  // namespace

int PinyinSyllableCount() { return kPinyinSyllableCount; }

std::string_view PinyinSyllable(int n) {
  if (n < 1 || n > kPinyinSyllableCount) return {};
  const SyllableEntry& s = kPinyinSyllables[n - 1];
  return std::string_view(s.letters, s.length);
}

int PinyinSyllableNumber(int lead, int trail) {
  if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE) return 0;
  return kPinyinIndex[(lead - 0x81) * 191 + (trail - 0x40)];
}

std::string PinyinCode(std::string_view gbkText, int flags, int maxLength) {
  if (flags < 0) return {};
  std::string out;
  AppendPinyin(gbkText, flags, out);
  return Cut(std::move(out), maxLength);
}

std::string PinyinCodeUtf8(std::string_view utf8Text, int flags, int maxLength) {
  if (flags < 0) return {};
  std::string out;
  for (const std::string& ch : Utf8Chars(utf8Text)) {
    const std::string gbk = gbk::FromUtf8(ch);
    if (gbk == "?" && ch != "?") {
      out += Unknown(flags);  // a character GBK cannot hold has no reading
    } else {
      AppendPinyin(gbk, flags, out);
    }
  }
  return Cut(std::move(out), maxLength);
}

std::string LetterTrait(std::string_view letter) {
  if (letter.size() != 1 || letter[0] < 'a' || letter[0] > 'z') return {};
  return std::string(kLetterTraits[letter[0] - 'a']);
}

std::string NicknameTrait(std::string_view nickname) {
  if (nickname.empty()) return {};
  std::string code = PinyinCodeUtf8(nickname, kPinyinMarkUnknown, 255);
  if (code.empty()) return {};
  // Digits read as letters: 1 to 9 as A to I, 0 as J.
  char last = code.back();
  if (last >= '1' && last <= '9') last = static_cast<char>('A' + (last - '1'));
  if (last == '0') last = 'J';
  if (last >= 'A' && last <= 'Z') last = static_cast<char>(last - 'A' + 'a');
  return LetterTrait(std::string_view(&last, 1));
}

NicknameResult AnalyseNickname(std::string_view name) {
  NicknameResult r;
  r.nameLine = "你的网名：" + std::string(name);
  try {
    r.traitLine = "你的性格：" + Trim(NicknameTrait(name));
  } catch (const std::exception&) {
    r.traitLine = std::string(kNicknameRetryText);
  }
  return r;
}

}  // namespace hehun
