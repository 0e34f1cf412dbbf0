// Build-time generator of the pinyin tables of the nickname analysis: the
// syllable table and the character index over every GBK double-byte code,
// from the Unicode Unihan readings.
//
//   gen_pinyin Unihan_Readings.txt UnicodeData.txt OUT.inc
//
// Each GBK code is decoded with iconv; a code that stands for one character
// gets the reading Unihan gives as the most customary one (kMandarin, first
// value), or, where there is none, the first reading of kHanyuPinyin. A CJK
// compatibility ideograph without a reading of its own takes the reading of
// the unified ideograph it decomposes to (UnicodeData.txt). Tone marks are
// dropped and ü is written "v".
//
// Syllables are numbered from 1: first every syllable the readings use, in
// alphabetical order, then one reserved empty entry, then the eleven
// syllables that close the table in a fixed order (they are kept there even
// where no GBK character uses them, as interjections and the ü spellings).
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "refdb/gbk.h"
#include "tools/generated_source.h"

namespace {

[[noreturn]] void Fail(const std::string& what) {
  std::cerr << "gen_pinyin: " << what << "\n";
  std::exit(1);
}

constexpr std::array<const char*, 11> kClosingSyllables{"ei",  "m",  "n",  "dia", "cen", "nou",
                                                        "jv", "qv", "xv", "lv",  "nv"};
constexpr int kLeadFirst = 0x81, kLeadLast = 0xFE, kTrailFirst = 0x40, kTrailLast = 0xFE;
constexpr int kTrailCount = kTrailLast - kTrailFirst + 1;                     // 191
constexpr int kIndexSize = (kLeadLast - kLeadFirst + 1) * kTrailCount;       // 24,066

// Code points of UTF-8 text; throws on malformed input.
std::vector<char32_t> CodePoints(const std::string& s) {
  std::vector<char32_t> out;
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    int n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
    if (n == 0 || i + n > s.size()) Fail("malformed UTF-8: " + s);
    char32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
    for (int k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out.push_back(cp);
    i += n;
  }
  return out;
}

char32_t ParseCodePoint(const std::string& text) {
  std::string hex = text.rfind("U+", 0) == 0 ? text.substr(2) : text;
  return static_cast<char32_t>(std::stoul(hex, nullptr, 16));
}

// A pinyin reading with tone marks to lower-case ASCII, ü as "v".
std::string Toneless(const std::string& reading) {
  static const std::map<char32_t, char> kLetters = {
      {U'ā', 'a'}, {U'á', 'a'}, {U'ǎ', 'a'}, {U'à', 'a'}, {U'ē', 'e'}, {U'é', 'e'}, {U'ě', 'e'}, {U'è', 'e'},
      {U'ê', 'e'}, {U'ế', 'e'}, {U'ề', 'e'}, {U'ī', 'i'}, {U'í', 'i'}, {U'ǐ', 'i'}, {U'ì', 'i'}, {U'ō', 'o'},
      {U'ó', 'o'}, {U'ǒ', 'o'}, {U'ò', 'o'}, {U'ū', 'u'}, {U'ú', 'u'}, {U'ǔ', 'u'}, {U'ù', 'u'}, {U'ü', 'v'},
      {U'ǖ', 'v'}, {U'ǘ', 'v'}, {U'ǚ', 'v'}, {U'ǜ', 'v'}, {U'ń', 'n'}, {U'ň', 'n'}, {U'ǹ', 'n'}, {U'ḿ', 'm'}};
  std::string out;
  for (char32_t cp : CodePoints(reading)) {
    if (cp >= 0x300 && cp <= 0x36F) {  // a combining tone mark or diaeresis
      if (cp == 0x308 && !out.empty() && out.back() == 'u') out.back() = 'v';
      continue;
    }
    if (cp >= 'a' && cp <= 'z') {
      out += static_cast<char>(cp);
    } else if (cp >= 'A' && cp <= 'Z') {
      out += static_cast<char>(cp - 'A' + 'a');
    } else if (auto it = kLetters.find(cp); it != kLetters.end()) {
      out += it->second;
    } else {
      Fail("unexpected letter in the reading \"" + reading + "\"");
    }
  }
  return out;
}

struct Readings {
  std::map<char32_t, std::string> mandarin, hanyu;
  std::map<char32_t, char32_t> decomposition;

  const std::string* Of(char32_t cp) const {
    if (auto it = mandarin.find(cp); it != mandarin.end()) return &it->second;
    if (auto it = hanyu.find(cp); it != hanyu.end()) return &it->second;
    return nullptr;
  }
};

void ReadUnihan(const std::string& path, Readings& r) {
  std::ifstream in(path);
  if (!in) Fail("cannot read " + path);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string code, field, value;
    if (!std::getline(fields, code, '\t') || !std::getline(fields, field, '\t') || !std::getline(fields, value))
      continue;
    if (field == "kMandarin") {
      r.mandarin[ParseCodePoint(code)] = value.substr(0, value.find(' '));
    } else if (field == "kHanyuPinyin") {
      // "10019.020:tiàn,diàn 74609.020:..." : the first reading of the first entry.
      const size_t colon = value.find(':');
      if (colon == std::string::npos) Fail("kHanyuPinyin without readings: " + line);
      const std::string readings = value.substr(colon + 1, value.find(' ', colon) - colon - 1);
      r.hanyu[ParseCodePoint(code)] = readings.substr(0, readings.find(','));
    }
  }
  if (r.mandarin.size() < 20000) Fail(path + " holds too few kMandarin readings");
}

// Singleton canonical decompositions (the CJK compatibility ideographs).
void ReadDecompositions(const std::string& path, Readings& r) {
  std::ifstream in(path);
  if (!in) Fail("cannot read " + path);
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> f;
    std::istringstream fields(line);
    std::string part;
    while (std::getline(fields, part, ';')) f.push_back(part);
    if (f.size() < 6 || f[5].empty() || f[5][0] == '<' || f[5].find(' ') != std::string::npos) continue;
    r.decomposition[ParseCodePoint(f[0])] = ParseCodePoint(f[5]);
  }
}

void WriteTable(const std::string& path, const std::string& text) {
  if (!hehun::tools::WriteIfChanged(path, text)) Fail("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: gen_pinyin Unihan_Readings.txt UnicodeData.txt OUT.inc\n";
    return 2;
  }
  Readings readings;
  ReadUnihan(argv[1], readings);
  ReadDecompositions(argv[2], readings);

  // The syllable of every GBK double-byte code, empty where it has none.
  std::vector<std::string> syllableOf(kIndexSize);
  for (int lead = kLeadFirst; lead <= kLeadLast; ++lead) {
    for (int trail = kTrailFirst; trail <= kTrailLast; ++trail) {
      const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      const std::vector<char32_t> cps = CodePoints(hehun::gbk::ToUtf8(std::string_view(bytes, 2)));
      if (cps.size() != 1 || cps[0] == 0xFFFD) continue;
      const std::string* reading = readings.Of(cps[0]);
      if (reading == nullptr) {
        if (auto it = readings.decomposition.find(cps[0]); it != readings.decomposition.end())
          reading = readings.Of(it->second);
      }
      if (reading == nullptr) continue;
      const std::string syllable = Toneless(*reading);
      if (syllable.empty() || syllable.size() > 6) Fail("syllable out of range: " + *reading);
      syllableOf[(lead - kLeadFirst) * kTrailCount + (trail - kTrailFirst)] = syllable;
    }
  }

  // Number the syllables.
  std::set<std::string> used(syllableOf.begin(), syllableOf.end());
  used.erase("");
  for (const char* s : kClosingSyllables) used.erase(s);
  std::vector<std::string> table(used.begin(), used.end());
  table.push_back("");  // the reserved empty entry
  table.insert(table.end(), kClosingSyllables.begin(), kClosingSyllables.end());
  std::map<std::string, int> number;
  for (size_t i = 0; i < table.size(); ++i)
    if (!table[i].empty()) number[table[i]] = static_cast<int>(i) + 1;

  std::ostringstream out;
  out << "// Generated by gen_pinyin from the Unicode Unihan readings; do not edit.\n";
  out << "inline constexpr int kPinyinSyllableCount = " << table.size() << ";\n";
  out << "constexpr SyllableEntry kPinyinSyllables[kPinyinSyllableCount] = {\n";
  for (const std::string& s : table) {
    out << "    {" << s.size() << ", {";
    for (size_t k = 0; k < s.size(); ++k) out << (k ? ", '" : "'") << s[k] << '\'';
    out << "}},\n";
  }
  out << "};\n";
  out << "constexpr std::uint16_t kPinyinIndex[" << kIndexSize << "] = {";
  int nonZero = 0;
  for (int i = 0; i < kIndexSize; ++i) {
    if (i % kTrailCount == 0) out << "\n    // lead byte 0x" << std::hex << (kLeadFirst + i / kTrailCount) << std::dec << "\n   ";
    const int n = syllableOf[i].empty() ? 0 : number.at(syllableOf[i]);
    nonZero += n != 0;
    out << ' ' << n << ',';
  }
  out << "\n};\n";
  out << "inline constexpr int kPinyinIndexNonZero = " << nonZero << ";\n";
  WriteTable(argv[3], out.str());
  return 0;
}
