// Builds the reference databases "Tgcode.dll" and "BookFile.dll" (SQLite
// files) and the GBK rule folder "shensha/" from the text sources in data/
// and from the traditional rules.
//
//   build_refdb DATA_DIR OUT_DIR
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "refdb/ganzhi.h"
#include "refdb/gbk.h"
#include "tools/refdb_divination.h"
#include "tools/refdb_dream.h"
#include "tools/almanac_table.h"
#include "tools/matching_tables.h"
#include "tools/refdb_tables.h"
#include "tools/refdb_writer.h"
#include "tools/solar_terms.h"
#include "tools/topic_articles.h"

namespace fs = std::filesystem;
using namespace hehun;
using namespace hehun::tools;

namespace {

// The 60 pillars with their nayin: one nayin for each pair of pillars.
void BuildJiazi(Writer& w, const fs::path& data) {
  const auto nayin = ReadLines(data / "nayin.txt");
  Require(nayin.size() == 30, "nayin.txt must hold 30 names");
  w.Exec("CREATE TABLE jiazi (jiazi TEXT NOT NULL, layin TEXT NOT NULL)");
  w.Exec("CREATE INDEX jiazi_key ON jiazi (jiazi)");
  auto ins = w.Prepare("INSERT INTO jiazi VALUES (?, ?)");
  for (int i = 0; i < 60; ++i) ins.Run({PillarName(i), nayin[i / 2]});
}

// The ten god of every stem seen from every day stem, by the elements and
// the yin and yang of the two stems.
std::string TenGod(int dayStem, int stem) {
  const Element d = StemElement(dayStem);
  const Element s = StemElement(stem);
  const bool same = StemIsYang(dayStem) == StemIsYang(stem);
  if (s == d) return same ? "比肩" : "劫财";
  if (Generates(d) == s) return same ? "食神" : "伤官";
  if (Controls(d) == s) return same ? "偏财" : "正财";
  if (Controls(s) == d) return same ? "七杀" : "正官";
  return same ? "偏印" : "正印";  // s generates d
}

void BuildShishen(Writer& w) {
  w.Exec("CREATE TABLE Shishen (jiazi TEXT NOT NULL, ShiShen TEXT NOT NULL)");
  w.Exec("CREATE INDEX Shishen_key ON Shishen (jiazi)");
  auto ins = w.Prepare("INSERT INTO Shishen VALUES (?, ?)");
  for (int d = 0; d < 10; ++d)
    for (int s = 0; s < 10; ++s)
      ins.Run({std::string(kCalendarStems[d]) + std::string(kCalendarStems[s]), TenGod(d, s)});
}

// One row per element holding every stem and branch of that element.
void BuildHzwh(Writer& w) {
  w.Exec("CREATE TABLE hzwh (hz TEXT NOT NULL, wh TEXT NOT NULL)");
  auto ins = w.Prepare("INSERT INTO hzwh VALUES (?, ?)");
  for (int e = 0; e < 5; ++e) {
    std::string chars;
    for (int s = 0; s < 10; ++s)
      if (static_cast<int>(StemElement(s)) == e) chars += kCalendarStems[s];
    for (int b = 0; b < 12; ++b)
      if (static_cast<int>(kBranchElements[b]) == e) chars += kCalendarBranches[b];
    ins.Run({chars, std::string(kElementNames[e])});
  }
}

// The 24 solar terms of every year 1900..2100 from the astronomical model.
void BuildJq(Writer& w) {
  w.Exec("CREATE TABLE JQ (YearA INTEGER NOT NULL, JQ TEXT NOT NULL, SJ TEXT NOT NULL)");
  w.Exec("CREATE INDEX JQ_year ON JQ (YearA, JQ)");
  auto ins = w.Prepare("INSERT INTO JQ VALUES (?, ?, ?)");
  for (int year = 1900; year <= 2100; ++year)
    for (int n = 0; n < 24; ++n)
      ins.Run({static_cast<long long>(year), std::string(kSolarTermNames[n]),
               FormatTruncated(SolarTermBeijing(year, n))});
}

void ConvertShenshaRules(const fs::path& data, const fs::path& out) {
  const fs::path src = data / "shensha";
  const fs::path dst = out / "shensha";
  fs::create_directories(dst);
  if (!fs::exists(src)) return;
  for (const auto& entry : fs::directory_iterator(src)) {
    if (entry.path().extension() != ".txt") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    std::string text = ss.str();
    // Stored with Windows line ends, as a text file of the installation.
    std::string crlf;
    for (char c : text) {
      if (c == '\n') crlf += '\r';
      if (c != '\r') crlf += c;
    }
    std::ofstream o(dst / entry.path().filename(), std::ios::binary);
    o << gbk::FromUtf8(crlf);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: build_refdb DATA_DIR OUT_DIR\n";
    return 2;
  }
  const fs::path data = argv[1];
  const fs::path out = argv[2];
  try {
    fs::create_directories(out);
    {
      Writer w(out / "Tgcode.dll");
      BuildJiazi(w, data);
      BuildShishen(w);
      BuildHzwh(w);
      BuildJq(w);
      BuildLifePalaceTables(w, data, ReadLines(data / "nayin.txt"));
      BuildZodiacTable(w, data);
      BuildMatchingTexts(w, data);
      w.Commit();
    }
    {
      Writer w(out / "BookFile.dll");
      BuildNoterTable(w, data);
      BuildBoneWeightTables(w, data);
      BuildStarSignTables(w, data);
      BuildShoujiTable(w, data);
      BuildDreamTable(w, data);
      BuildAlmanacTable(w, data);
      BuildPairReadings(w, data);
      w.Commit();
    }
    ConvertShenshaRules(data, out);
  } catch (const std::exception& e) {
    std::cerr << "build_refdb: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
