// Build-time generator of the tables of the folk tests (name affinity, QQ
// pair, character element).
//
//   gen_folk hanzi IRGSources.txt Variants.txt DictionaryIndices.txt Readings.txt CJKRadicals.txt FOLKDIR OUT.inc
//   gen_folk texts FOLKDIR OUT.inc
//
// "hanzi" writes one record for every character of the CJK blocks U+3400 to
// U+9FFF that Unihan gives a stroke count: its own total strokes (the first
// kTotalStrokes value, the mainland count of the simplified form), the
// traditional form naming practice counts, the 康熙 stroke count of that
// form, its radical, its five element and how the element was found, and
// its pinyin (kMandarin, the customary reading; where that is a neutral
// tone, as 子 zi, the first toned reading of kTGHZ2013 or kHanyuPinyin, since a
// character named on its own carries its full tone; without kMandarin the
// first kHanyuPinyin reading).
//
//  - Traditional form: the character itself where it has no
//    kTraditionalVariant, or where it is one of its own traditional
//    variants and the 康熙字典 itself holds it (kKangXi, an actual entry:
//    胡 not 鬍, 余 not 餘, 强 not 強); otherwise the first traditional
//    variant other than itself (劉 for 刘, 濤 for 涛, 麗 for 丽). The
//    exceptions table of FOLKDIR can name another.
//  - 康熙 strokes: the radical written in full (its own stroke count: 水 4
//    for 氵, 艸 6 for 艹, 邑 7 and 阜 8 for 阝, 玉 5 for 王, 肉 6 for 月 as
//    flesh ...) plus the residual strokes of kRSUnicode, both of the
//    traditional form; the exceptions table can give the count directly.
//  - Element: the exceptions table; else the element of the traditional
//    form's radical (radical_elements.tsv); else the element of the initial
//    of the reading by the five tones (five_tones.tsv); else, for a
//    character without a reading, the last digit of the 康熙 count (1, 2 木;
//    3, 4 火; 5, 6 土; 7, 8 金; 9, 0 水).
//
// "texts" writes the affinity bands and the QQ-pair readings.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "refdb/text.h"
#include "tools/generated_source.h"

namespace {

using hehun::tools::CppString;

[[noreturn]] void Fail(const std::string& what) {
  std::cerr << "gen_folk: " << what << "\n";
  std::exit(1);
}

constexpr char32_t kFirst = 0x3400, kLast = 0x9FFF;
const std::array<std::string, 5> kElements{"木", "火", "土", "金", "水"};

int ElementIndex(const std::string& name, const std::string& where) {
  for (size_t i = 0; i < kElements.size(); ++i)
    if (kElements[i] == name) return static_cast<int>(i);
  Fail(where + ": \"" + name + "\" is not one of 木火土金水");
}

std::vector<std::string> Split(const std::string& line, char sep) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(line);
  while (std::getline(in, part, sep)) parts.push_back(part);
  if (!line.empty() && line.back() == sep) parts.push_back("");
  return parts;
}

// The data lines of a tab-separated file: comments and blank lines dropped;
// each line must have `columns` fields.
std::vector<std::vector<std::string>> ReadTable(const std::string& path, size_t columns) {
  std::ifstream in(path);
  if (!in) Fail("cannot read " + path);
  std::vector<std::vector<std::string>> rows;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    auto fields = Split(line, '\t');
    if (fields.size() != columns)
      Fail(path + ":" + std::to_string(number) + ": expected " + std::to_string(columns) + " fields");
    rows.push_back(std::move(fields));
  }
  return rows;
}

char32_t ParseCodePoint(const std::string& text) {
  const std::string hex = text.rfind("U+", 0) == 0 ? text.substr(2) : text;
  return static_cast<char32_t>(std::stoul(hex, nullptr, 16));
}

// The code point of a text holding exactly one UTF-8 character.
char32_t SingleCodePoint(const std::string& s, const std::string& where) {
  const unsigned char c = s.empty() ? 0 : static_cast<unsigned char>(s[0]);
  const size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
  if (n == 0 || s.size() != n) Fail(where + ": \"" + s + "\" is not one character");
  char32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
  for (size_t k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[k]) & 0x3F);
  return cp;
}

std::string Utf8(char32_t cp) { return hehun::Utf8Encode(cp); }

// Every "U+XXXX<TAB>field<TAB>value" line of a Unihan file for the fields asked.
void ReadUnihan(const std::string& path, const std::map<std::string, std::map<char32_t, std::string>*>& fields) {
  std::ifstream in(path);
  if (!in) Fail("cannot read " + path);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const size_t t1 = line.find('\t');
    const size_t t2 = t1 == std::string::npos ? t1 : line.find('\t', t1 + 1);
    if (t2 == std::string::npos) continue;
    auto it = fields.find(line.substr(t1 + 1, t2 - t1 - 1));
    if (it == fields.end()) continue;
    (*it->second)[ParseCodePoint(line.substr(0, t1))] = line.substr(t2 + 1);
  }
}

std::string FirstValue(const std::string& value) { return value.substr(0, value.find(' ')); }

struct RadicalStroke {
  int radical = 0, residual = 0;
};

// "85.7" or "201'.0" (a simplified radical form) -> {85, 7}; "96.-1" -> {96, -1}.
RadicalStroke ParseRadicalStroke(const std::string& value) {
  const std::string first = FirstValue(value);
  const size_t dot = first.find('.');
  if (dot == std::string::npos) Fail("malformed kRSUnicode " + value);
  std::string radical = first.substr(0, dot);
  while (!radical.empty() && radical.back() == '\'') radical.pop_back();
  return {std::stoi(radical), std::stoi(first.substr(dot + 1))};
}

// The Mandarin initial of a reading ("zh", "b", ...), "-" for none.
std::string Initial(const std::string& reading) {
  for (const char* two : {"zh", "ch", "sh"})
    if (reading.rfind(two, 0) == 0) return two;
  if (!reading.empty() && std::string("bpmfdtnlgkhjqxzcsryw").find(reading[0]) != std::string::npos)
    return reading.substr(0, 1);
  return "-";
}

struct Exception {
  std::string traditional, strokes, element, reason;
};

// How the element of a record was found; the core names it.
enum Basis { kByRadical = 0, kByTone = 1, kByException = 2, kByStrokes = 3 };

int Hanzi(const std::vector<std::string>& args) {
  std::map<char32_t, std::string> total, rs, traditional, kangxiIndex, mandarin, hanyu, standard;
  ReadUnihan(args[0], {{"kTotalStrokes", &total}, {"kRSUnicode", &rs}});
  ReadUnihan(args[1], {{"kTraditionalVariant", &traditional}});
  ReadUnihan(args[2], {{"kKangXi", &kangxiIndex}});
  ReadUnihan(args[3], {{"kMandarin", &mandarin}, {"kHanyuPinyin", &hanyu}, {"kTGHZ2013", &standard}});
  if (total.size() < 20000 || rs.size() < 20000 || traditional.size() < 2000 || kangxiIndex.size() < 40000 ||
      mandarin.size() < 20000)
    Fail("the Unihan files hold too few strokes, radicals, variants, dictionary entries or readings");
  // kKangXi "page.position flag": flag 1 marks a character the dictionary
  // does not hold (the place it would have).
  const auto inKangxi = [&](char32_t cp) {
    auto it = kangxiIndex.find(cp);
    return it != kangxiIndex.end() && FirstValue(it->second).back() == '0';
  };
  const std::string folk = args[5];

  // Radical number -> the radical written in full, and its stroke count.
  std::map<int, char32_t> radicalChar;
  {
    std::ifstream in(args[4]);
    if (!in) Fail("cannot read " + args[4]);
    std::string line;
    while (std::getline(in, line)) {
      if (line.empty() || line[0] == '#') continue;
      auto f = Split(line, ';');
      if (f.size() < 3 || f[0].find('\'') != std::string::npos) continue;
      std::string ideograph = f[2];
      while (!ideograph.empty() && ideograph[0] == ' ') ideograph.erase(0, 1);
      radicalChar[std::stoi(f[0])] = ParseCodePoint(ideograph);
    }
  }
  if (radicalChar.size() != 214) Fail("CJKRadicals.txt should give the 214 Kangxi radicals");
  // The 214 radicals are ordered by their stroke count in the 康熙字典, so
  // the count of a radical is the largest count among it and the radicals
  // before it. This corrects the few radicals written with fewer strokes
  // today (廴 3 not 2, 瓦 5 not 4, 骨 10 not 9).
  std::map<int, int> radicalStrokes;
  int running = 0;
  for (const auto& [n, cp] : radicalChar) {
    auto it = total.find(cp);
    if (it == total.end()) Fail("no stroke count for radical " + std::to_string(n));
    for (const auto& v : Split(it->second, ' ')) running = std::max(running, std::stoi(v));
    radicalStrokes[n] = running;
  }
  if (radicalStrokes[54] != 3 || radicalStrokes[98] != 5 || radicalStrokes[188] != 10 || radicalStrokes[212] != 16)
    Fail("the radical stroke counts do not follow the Kangxi order");

  std::map<int, int> radicalElement;
  for (const auto& row : ReadTable(folk + "/radical_elements.tsv", 3)) {
    const int n = std::stoi(row[0]);
    if (!radicalChar.count(n) || Utf8(radicalChar[n]) != row[1])
      Fail("radical_elements.tsv: radical " + row[0] + " is not " + row[1]);
    radicalElement[n] = ElementIndex(row[2], "radical_elements.tsv");
  }
  std::map<std::string, int> toneElement;
  std::map<std::string, std::string> toneClass;
  for (const auto& row : ReadTable(folk + "/five_tones.tsv", 3)) {
    toneElement[row[0]] = ElementIndex(row[2], "five_tones.tsv");
    toneClass[row[0]] = row[1];
  }

  std::map<char32_t, Exception> exceptions;
  for (const auto& row : ReadTable(folk + "/character_exceptions.tsv", 5)) {
    const char32_t cp = SingleCodePoint(row[0], "character_exceptions.tsv");
    if (exceptions.count(cp)) Fail("character_exceptions.tsv: " + row[0] + " twice");
    if (row[2] != "-" && std::stoi(row[2]) <= 0) Fail("character_exceptions.tsv: bad stroke count for " + row[0]);
    if (row[3] != "-") ElementIndex(row[3], "character_exceptions.tsv");
    exceptions[cp] = {row[1], row[2], row[3], row[4]};
  }

  std::ostringstream out;
  out << "// Generated by gen_folk from the Unicode Unihan database and data/folk; do not edit.\n";
  out << "constexpr RadicalRecord kRadicals[] = {\n    {0, \"\"},\n";
  for (const auto& [n, cp] : radicalChar) out << "    {" << radicalStrokes[n] << ", " << CppString(Utf8(cp)) << "},\n";
  out << "};\n";
  out << "constexpr HanziRecord kHanzi[] = {\n";
  int count = 0;
  for (const auto& [cp, strokesText] : total) {
    if (cp < kFirst || cp > kLast) continue;
    const auto ex = exceptions.find(cp);
    char32_t trad = cp;
    if (ex != exceptions.end() && ex->second.traditional != "-") {
      trad = SingleCodePoint(ex->second.traditional, "character_exceptions.tsv");
    } else if (auto it = traditional.find(cp); it != traditional.end()) {
      std::vector<char32_t> variants;
      for (const auto& v : Split(it->second, ' ')) variants.push_back(ParseCodePoint(v));
      const bool ownVariant = std::find(variants.begin(), variants.end(), cp) != variants.end();
      if (!(ownVariant && inKangxi(cp)))
        for (char32_t t : variants)
          if (t != cp) {
            trad = t;
            break;
          }
    }
    if (!total.count(trad) || !rs.count(trad)) trad = cp;
    const RadicalStroke r = ParseRadicalStroke(rs.at(trad));
    if (!radicalStrokes.count(r.radical)) Fail("unknown radical in " + rs.at(trad));
    int kangxi = radicalStrokes[r.radical] + r.residual;
    if (kangxi <= 0) kangxi = std::stoi(FirstValue(total.at(trad)));
    // "491.190:zǐ" or "10019.020:tiàn,diàn 74609.020:...": the readings.
    const auto readingsOf = [](const std::string& value) {
      std::vector<std::string> all;
      for (const auto& entry : Split(value, ' ')) {
        const size_t colon = entry.find(':');
        if (colon == std::string::npos) continue;
        for (const auto& r : Split(entry.substr(colon + 1), ',')) all.push_back(r);
      }
      return all;
    };
    const auto toned = [](const std::string& r) {
      return std::any_of(r.begin(), r.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    };
    std::string reading;
    if (auto it = mandarin.find(cp); it != mandarin.end()) reading = FirstValue(it->second);
    if (reading.empty() || !toned(reading)) {
      std::vector<std::string> others;
      for (auto* source : {&standard, &hanyu})
        if (auto it = source->find(cp); it != source->end())
          for (const auto& r : readingsOf(it->second)) others.push_back(r);
      for (const auto& r : others)
        if (toned(r)) {
          reading = r;
          break;
        }
      if (reading.empty() && !others.empty()) reading = others.front();
    }
    int element = 0;
    Basis basis = kByStrokes;
    std::string reason, tone;
    if (ex != exceptions.end() && ex->second.strokes != "-") kangxi = std::stoi(ex->second.strokes);
    if (ex != exceptions.end() && ex->second.element != "-") {
      element = ElementIndex(ex->second.element, "character_exceptions.tsv");
      basis = kByException;
      reason = ex->second.reason;
    } else if (auto re = radicalElement.find(r.radical); re != radicalElement.end()) {
      element = re->second;
      basis = kByRadical;
    } else if (!reading.empty()) {
      element = toneElement.at(Initial(reading));
      tone = toneClass.at(Initial(reading));
      basis = kByTone;
    } else {
      element = ((kangxi + 9) % 10) / 2;  // 1,2 -> 0 (木) ... 9,0 -> 4 (水)
    }
    if (ex != exceptions.end() && basis != kByException) reason = ex->second.reason;
    out << "    {0x" << std::hex << static_cast<unsigned long>(cp) << ", 0x" << static_cast<unsigned long>(trad)
        << std::dec << ", " << std::stoi(FirstValue(strokesText)) << ", " << kangxi << ", " << r.radical << ", "
        << element << ", " << basis << ", " << CppString(reading) << ", " << CppString(tone) << ", " << CppString(reason) << "},\n";
    ++count;
  }
  out << "};\n";
  if (count < 20000) Fail("too few characters in the CJK blocks");
  for (const auto& [cp, ex] : exceptions)
    if (cp < kFirst || cp > kLast || !total.count(cp)) Fail("character_exceptions.tsv: " + Utf8(cp) + " has no record");
  if (!hehun::tools::WriteIfChanged(args[6], out.str())) Fail("cannot write " + args[6]);
  return 0;
}

int Texts(const std::vector<std::string>& args) {
  const std::string folk = args[0];
  std::ostringstream out;
  out << "// Generated by gen_folk from data/folk; do not edit.\n";
  out << "constexpr AffinityBand kAffinityBands[] = {\n";
  int next = 1;
  for (const auto& row : ReadTable(folk + "/yuanfen_bands.tsv", 4)) {
    const int low = std::stoi(row[0]), high = std::stoi(row[1]);
    if (low != next || high < low) Fail("yuanfen_bands.tsv: the band starting at " + row[0] + " leaves a gap or overlaps");
    if (row[2].empty() || row[3].empty()) Fail("yuanfen_bands.tsv: empty text in the band " + row[0]);
    out << "    {" << low << ", " << high << ", " << CppString(row[2]) << ", " << CppString(row[3]) << "},\n";
    next = high + 1;
  }
  if (next != 101) Fail("yuanfen_bands.tsv: the bands must cover 1 to 100");
  out << "};\n";
  out << "constexpr PairGradeReading kPairReadings[] = {\n";
  for (const auto& row : ReadTable(folk + "/qq_pair_readings.tsv", 2)) {
    if (row[1].empty()) Fail("qq_pair_readings.tsv: empty reading for " + row[0]);
    out << "    {" << CppString(row[0]) << ", " << CppString(row[1]) << "},\n";
  }
  out << "};\n";
  if (!hehun::tools::WriteIfChanged(args[1], out.str())) Fail("cannot write " + args[1]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 8 && args[0] == "hanzi") return Hanzi({args.begin() + 1, args.end()});
  if (args.size() == 3 && args[0] == "texts") return Texts({args.begin() + 1, args.end()});
  std::cerr << "usage: gen_folk hanzi IRGSources Variants DictionaryIndices Readings CJKRadicals FOLKDIR OUT.inc | texts FOLKDIR OUT.inc\n";
  return 2;
}
