#include "tools/refdb_divination.h"

#include <set>
#include <string>

namespace hehun::tools {

void BuildShoujiTable(Writer& w, const std::filesystem::path& data) {
  const std::filesystem::path file = data / "divination" / "shouji.tsv";
  auto rows = ReadTsv(file, 4);
  // The file opens with a header line naming the columns.
  Require(!rows.empty() && rows.front() == std::vector<std::string>{"num", "title", "jx", "content"},
          file.string() + ": the header line \"num, title, jx, content\" is missing");
  rows.erase(rows.begin());
  // Keys 1 to 80: the last four digits modulo 80, a remainder of 0 counting as 80.
  Require(rows.size() == 80, file.string() + ": one row for every key 1 to 80 expected, found " +
                                 std::to_string(rows.size()));
  std::set<std::string> keys;
  for (const auto& r : rows) keys.insert(r[0]);
  for (int k = 1; k <= 80; ++k)
    Require(keys.count(std::to_string(k)) == 1, file.string() + ": no row for the key " + std::to_string(k));

  w.Exec("CREATE TABLE shouji (num TEXT NOT NULL, title TEXT NOT NULL, jx TEXT NOT NULL, content TEXT NOT NULL)");
  w.Exec("CREATE INDEX shouji_key ON shouji (num)");
  auto ins = w.Prepare("INSERT INTO shouji VALUES (?, ?, ?, ?)");
  for (const auto& r : rows) ins.Run({r[0], r[1], r[2], r[3]});
}

}  // namespace hehun::tools
