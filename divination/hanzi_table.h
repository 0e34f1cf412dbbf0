// The character facts of the folk tests, built from the Unicode Unihan
// database and the rules of data/folk (see tools/gen_folk.cpp): stroke
// counts, the traditional form, its 康熙 count and radical, the five
// element by the naming rule, and the pinyin.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hehun {

// How a character's element was found.
enum class ElementBasis : std::uint8_t {
  kRadical,    // the radical belongs to an element (木 艹 竹 禾, 水 氵 冫 雨 ...)
  kTone,       // by the initial of the reading (五音)
  kException,  // the exceptions table of data/folk
  kStrokes,    // no reading: the last digit of the 康熙 count
};

struct HanziRecord {
  char32_t code;
  char32_t traditional;        // the form naming practice counts; `code` where there is no other
  std::uint8_t strokes;        // total strokes of the character as written (mainland count)
  std::uint8_t kangxiStrokes;  // 康熙 count of the traditional form, radicals in full
  std::uint8_t radical;        // Kangxi radical number (1 to 214) of the traditional form
  std::uint8_t element;        // 0 木, 1 火, 2 土, 3 金, 4 水
  std::uint8_t basis;          // an ElementBasis
  const char* pinyin;          // with tone marks; empty where Unihan gives none
  const char* tone;            // the class of the initial (喉音 ...) where it gave the element
  const char* note;            // why the exceptions table lists it; empty otherwise
};

inline ElementBasis BasisOf(const HanziRecord& r) { return static_cast<ElementBasis>(r.basis); }

// The record of a character of the CJK blocks U+3400 to U+9FFF, or null.
const HanziRecord* FindHanzi(char32_t code);
// The same for one UTF-8 character; null for anything else.
const HanziRecord* FindHanzi(std::string_view utf8Char);

// The Kangxi radical n written in full ("水" for 85) and its stroke count.
std::string_view RadicalCharacter(int n);
int RadicalStrokes(int n);

// "木", "火", "土", "金", "水" for 0 to 4.
std::string_view ElementName(int element);

std::string CodeToUtf8(char32_t code);

// The characters of a name and their records, for the name checks of the
// dialogs: empty text, more than `maxChars` characters and characters
// without a record give a message naming `who` ("第一个姓名").
struct HanziName {
  std::vector<std::string> chars;
  std::vector<const HanziRecord*> records;
};
// Returns the message, empty when the name is good.
std::string CheckChineseName(std::string_view name, std::string_view who, int maxChars, HanziName& out);

}  // namespace hehun
