// The life-palace, zodiac, bone-weight and star-sign tables of the reference
// databases: computed by the traditional rules where a rule exists, read from
// the authored texts in data/ otherwise.
#include <map>
#include <stdexcept>
#include <string>

#include "refdb/ganzhi.h"
#include "tools/refdb_tables.h"

namespace hehun::tools {

namespace {

// Trigrams by their Luoshu number, with their lines as bits: bottom line 1,
// middle 2, top 4 (a set bit is a yang line).
struct Trigram {
  int number;
  std::string_view numeral;
  int lines;
};
constexpr Trigram kTrigrams[] = {{1, "一", 0b010}, {2, "二", 0b000}, {3, "三", 0b001}, {4, "四", 0b110},
                                 {6, "六", 0b111}, {7, "七", 0b011}, {8, "八", 0b100}, {9, "九", 0b101}};
static_assert(std::size(kTrigrams) == 8);

std::string Numeral(int n) { return std::string(kChineseNumerals[n]); }

// The Eight Mansions relation of two trigrams by the 大游年 rule: from the
// first trigram, change the top, middle, bottom, middle, top, middle, bottom
// and middle lines in turn; the trigrams met are 生气, 五鬼, 延年, 六煞, 祸害,
// 天医, 绝命 and finally the trigram itself, 伏位.
std::string Relation(int fromLines, int toLines) {
  static constexpr int kFlips[8] = {4, 2, 1, 2, 4, 2, 1, 2};
  static constexpr std::string_view kNames[8] = {"生气", "五鬼", "延年", "六煞", "祸害", "天医", "绝命", "伏位"};
  int lines = fromLines;
  for (int i = 0; i < 8; ++i) {
    lines ^= kFlips[i];
    if (lines == toLines) return std::string(kNames[i]);
  }
  throw std::logic_error("trigram relation not found");
}

std::string RelationGrade(const std::string& relation) {
  if (relation == "生气" || relation == "延年") return "1";
  if (relation == "天医" || relation == "伏位") return "2";
  return "3";
}

int ElementIndex(const std::string& name) {
  const int i = IndexOf(kElementNames, name);
  if (i < 0) throw std::runtime_error("not an element: " + name);
  return i;
}

// Elements graded by the generating and controlling cycles.
std::string ElementGrade(int a, int b) {
  const auto ea = static_cast<Element>(a), eb = static_cast<Element>(b);
  if (Generates(ea) == eb || Generates(eb) == ea) return "5";
  if (a == b) return "3";
  return "1";
}

}  // namespace

void BuildLifePalaceTables(Writer& w, const std::filesystem::path& data,
                           const std::vector<std::string>& nayin) {
  // Life-palace trigram numbers of every year by the Eight Mansions rule: a
  // man counts down from 2000 and a woman up from 1904, in nines (0 is 九).
  w.Exec("CREATE TABLE mg (Year INTEGER NOT NULL, mg TEXT NOT NULL, nan TEXT NOT NULL, nv TEXT NOT NULL, "
         "wuhang TEXT NOT NULL, sxwuhang TEXT NOT NULL)");
  w.Exec("CREATE INDEX mg_key ON mg (Year)");
  auto mg = w.Prepare("INSERT INTO mg VALUES (?, ?, ?, ?, ?, ?)");
  for (int year = 1900; year <= 2100; ++year) {
    const int cycle = Mod(year - 4, 60);
    int man = Mod(2000 - year, 9), woman = Mod(year - 1904, 9);
    if (man == 0) man = 9;
    if (woman == 0) woman = 9;
    const std::string& yearNayin = nayin[cycle / 2];
    const std::string nayinElement = yearNayin.substr(yearNayin.size() - 3);  // last character
    const std::string animalElement(kElementNames[static_cast<int>(kBranchElements[cycle % 12])]);
    mg.Run({static_cast<long long>(year), PillarName(cycle), Numeral(man), Numeral(woman), nayinElement,
            animalElement});
  }

  w.Exec("CREATE TABLE mghp (nan TEXT NOT NULL, nv TEXT NOT NULL, dj TEXT NOT NULL, mc TEXT NOT NULL)");
  auto mghp = w.Prepare("INSERT INTO mghp VALUES (?, ?, ?, ?)");
  for (const auto& m : kTrigrams)
    for (const auto& f : kTrigrams) {
      const std::string relation = Relation(m.lines, f.lines);
      mghp.Run({std::string(m.numeral), std::string(f.numeral), RelationGrade(relation), relation});
    }

  w.Exec("CREATE TABLE mgfx (mc TEXT NOT NULL, \"Values\" TEXT NOT NULL)");
  auto mgfx = w.Prepare("INSERT INTO mgfx VALUES (?, ?)");
  const auto analyses = ReadTsv(data / "palace" / "mgfx.tsv", 2);
  Require(analyses.size() == 8, "mgfx.tsv must hold the eight relations");
  for (const auto& r : analyses) mgfx.Run({r[0], r[1]});

  w.Exec("CREATE TABLE mgwx (nan TEXT NOT NULL, nv TEXT NOT NULL, fs TEXT NOT NULL, note TEXT NOT NULL)");
  auto mgwx = w.Prepare("INSERT INTO mgwx VALUES (?, ?, ?, ?)");
  const auto notes = ReadTsv(data / "palace" / "mgwx.tsv", 3);
  Require(notes.size() == 25, "mgwx.tsv must hold the 25 element pairs");
  for (const auto& r : notes) mgwx.Run({r[0], r[1], ElementGrade(ElementIndex(r[0]), ElementIndex(r[1])), r[2]});
}

void BuildZodiacTable(Writer& w, const std::filesystem::path& data) {
  w.Exec("CREATE TABLE shengxiao (shuxing TEXT NOT NULL, Tedian TEXT NOT NULL, shouhushen TEXT NOT NULL, "
         "yanshe TEXT NOT NULL, fangwei TEXT NOT NULL, hua TEXT NOT NULL, shuzi TEXT NOT NULL)");
  auto ins = w.Prepare("INSERT INTO shengxiao VALUES (?, ?, ?, ?, ?, ?, ?)");
  const auto rows = ReadTsv(data / "zodiac" / "shengxiao.tsv", 7);
  Require(rows.size() == 12, "shengxiao.tsv must hold the twelve animals");
  for (const auto& r : rows) ins.Run({r[0], r[1], r[2], r[3], r[4], r[5], r[6]});
}

void BuildMatchingTexts(Writer& w, const std::filesystem::path& data) {
  struct Source {
    const char* table;
    const char* columns;
    std::filesystem::path file;
    size_t fields, rows;
  } sources[] = {
      {"mgjs", "branch TEXT NOT NULL, text TEXT NOT NULL", data / "palace" / "palace_branch.tsv", 2, 12},
      {"hhjx", "mc TEXT NOT NULL, text TEXT NOT NULL", data / "palace" / "couple.tsv", 2, 8},
      {"mgzu", "key TEXT NOT NULL, text TEXT NOT NULL", data / "palace" / "group.tsv", 2, 3},
      {"sxwx", "nan TEXT NOT NULL, nv TEXT NOT NULL, text TEXT NOT NULL", data / "zodiac" / "animal_element.tsv", 3, 25},
      {"sxgx", "relation TEXT NOT NULL, grade TEXT NOT NULL, text TEXT NOT NULL", data / "zodiac" / "pair_relation.tsv",
       3, 8},
      {"hhdj", "key TEXT NOT NULL, text TEXT NOT NULL", data / "zodiac" / "grades.tsv", 2, 5},
  };
  for (const auto& src : sources) {
    w.Exec(std::string("CREATE TABLE ") + src.table + " (" + src.columns + ")");
    const std::string marks = src.fields == 2 ? "?, ?" : "?, ?, ?";
    auto ins = w.Prepare(std::string("INSERT INTO ") + src.table + " VALUES (" + marks + ")");
    const auto rows = ReadTsv(src.file, src.fields);
    Require(rows.size() == src.rows, src.file.string() + ": expected " + std::to_string(src.rows) + " rows");
    for (const auto& r : rows) {
      std::vector<Value> values(r.begin(), r.end());
      ins.Run(values);
    }
  }
}

void BuildBoneWeightTables(Writer& w, const std::filesystem::path& data) {
  const auto dir = data / "boneweight";
  std::map<std::string, double> byPillar;
  for (const auto& r : ReadTsv(dir / "year.tsv", 2)) byPillar[r[0]] = std::stod(r[1]);
  Require(byPillar.size() == 60, "year.tsv must hold the sixty pillars");

  w.Exec("CREATE TABLE chenggu1 (year TEXT NOT NULL, weight REAL NOT NULL)");
  auto y = w.Prepare("INSERT INTO chenggu1 VALUES (?, ?)");
  for (int year = 1900; year <= 2100; ++year) y.Run({std::to_string(year), byPillar.at(PillarName(year - 4))});

  w.Exec("CREATE TABLE chenggu2 (month2 TEXT NOT NULL, weight REAL NOT NULL)");
  auto m = w.Prepare("INSERT INTO chenggu2 VALUES (?, ?)");
  const auto months = ReadTsv(dir / "month.tsv", 2);
  Require(months.size() == 12, "month.tsv must hold twelve months");
  for (const auto& r : months) m.Run({r[0], std::stod(r[1])});

  w.Exec("CREATE TABLE chenggu3 (day2 TEXT NOT NULL, weight REAL NOT NULL)");
  auto d = w.Prepare("INSERT INTO chenggu3 VALUES (?, ?)");
  const auto days = ReadTsv(dir / "day.tsv", 2);
  Require(days.size() == 30, "day.tsv must hold thirty days");
  for (const auto& r : days) d.Run({r[0], std::stod(r[1])});

  // Clock hours by their double hour: 23 and 0 are 子, 1 and 2 丑, …
  std::map<std::string, double> byBranch;
  for (const auto& r : ReadTsv(dir / "hour.tsv", 2)) byBranch[r[0]] = std::stod(r[1]);
  Require(byBranch.size() == 12, "hour.tsv must hold the twelve double hours");
  w.Exec("CREATE TABLE chenggu4 (time TEXT NOT NULL, weight REAL NOT NULL)");
  auto h = w.Prepare("INSERT INTO chenggu4 VALUES (?, ?)");
  for (int hour = 0; hour < 24; ++hour)
    h.Run({std::to_string(hour), byBranch.at(std::string(kCalendarBranches[((hour + 1) / 2) % 12]))});

  w.Exec("CREATE TABLE chenggu (weight TEXT NOT NULL, MM TEXT NOT NULL, content TEXT NOT NULL, "
         "content2 TEXT NOT NULL)");
  auto v = w.Prepare("INSERT INTO chenggu VALUES (?, ?, ?, ?)");
  const auto verses = ReadTsv(dir / "verses.tsv", 4);
  Require(verses.size() == 52, "verses.tsv must hold the weights 21 to 72");
  for (const auto& r : verses) v.Run({r[0], r[1], r[2], r[3]});
}

void BuildStarSignTables(Writer& w, const std::filesystem::path& data) {
  for (const char* table : {"ndeq", "aiqing", "mingren"}) {
    w.Exec(std::string("CREATE TABLE ") + table + " (title TEXT NOT NULL, content TEXT NOT NULL)");
    auto ins = w.Prepare(std::string("INSERT INTO ") + table + " VALUES (?, ?)");
    size_t count = 0;
    for (const char* half : {"a", "b"}) {
      for (const auto& r : ReadTsv(data / "starsign" / half / (std::string(table) + ".tsv"), 2)) {
        ins.Run({r[0], r[1]});
        ++count;
      }
    }
    Require(count == 12, std::string(table) + " must hold the twelve signs");
  }
}

}  // namespace hehun::tools
