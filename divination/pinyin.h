// Pinyin of GBK text, and the nickname analysis that reads a character trait
// from the pinyin initial of a nickname's last character.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace hehun {

// Options of PinyinCode, combined as bits.
inline constexpr int kPinyinWholeSyllable = 1;  // a Chinese character gives its syllable, not its initial
inline constexpr int kPinyinMarkUnknown = 2;    // a double-byte code without a reading gives "?"
inline constexpr int kPinyinKeepOthers = 4;     // keep characters other than letters and digits

// Upper-case pinyin of GBK bytes: initials or whole syllables of Chinese
// characters, ASCII letters (in upper case) and digits, the numbers shown by
// the numbered symbols of GBK row A2, the full-width forms of row A3 as
// their ASCII letters and digits, and the Latin transliteration of the
// Greek letters of row A6. The result holds at most `maxLength` characters;
// negative flags give an empty result.
std::string PinyinCode(std::string_view gbkText, int flags, int maxLength);
// The same for UTF-8 text (converted to GBK first; characters GBK cannot
// hold count as ASCII "?").
std::string PinyinCodeUtf8(std::string_view utf8Text, int flags, int maxLength);

// The syllable table and the character index.
int PinyinSyllableCount();
// Syllable n (1 to PinyinSyllableCount()), lower case, ü written "v";
// empty for the reserved entry and for numbers out of range.
std::string_view PinyinSyllable(int n);
// The syllable number of a GBK double-byte code (lead 0x81 to 0xFE, trail
// 0x40 to 0xFE), 0 where it has no reading or lies outside the index.
int PinyinSyllableNumber(int lead, int trail);
inline constexpr int kPinyinIndexSize = 126 * 191;

// The character trait of a letter "a" to "z"; empty for anything else.
std::string LetterTrait(std::string_view letter);

// The trait of a nickname (UTF-8): the letter is the last one of its
// initials (digits 1 to 9 and 0 read as the letters A to J), or none when
// the last character has no reading.
std::string NicknameTrait(std::string_view nickname);

// The analysis of the nickname dialog: its two result lines.
struct NicknameResult {
  std::string nameLine;   // "你的网名：" + name
  std::string traitLine;  // "你的性格：" + trait
};
// `name` is the trimmed, non-empty nickname.
NicknameResult AnalyseNickname(std::string_view name);

inline constexpr std::string_view kNicknameEmptyMessage = "请输入你的网名！";
inline constexpr std::string_view kNicknameRetryText = "请重新输入网名，请不要输入特殊字符！";

}  // namespace hehun
