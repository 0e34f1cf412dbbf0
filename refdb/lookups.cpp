#include "refdb/lookups.h"

#include "refdb/text.h"

namespace hehun {

std::string HanziElement(RefDb& db, std::string_view ch) {
  const std::string c = Trim(ch);
  if (c.empty()) return {};
  return db
      .First(Swallow{}, RefFile::kTgcode, "SELECT wh FROM hzwh WHERE hz LIKE ? ORDER BY rowid LIMIT 1",
             {"%" + c + "%"})
      .Text("wh");
}

std::string TenGodOf(RefDb& db, std::string_view pair) {
  return db
      .First(Swallow{}, RefFile::kTgcode, "SELECT ShiShen FROM Shishen WHERE jiazi = ? ORDER BY rowid LIMIT 1",
             {std::string(pair)})
      .Text("ShiShen");
}

std::string NayinOf(RefDb& db, std::string_view pillar) {
  return db
      .First(Swallow{}, RefFile::kTgcode, "SELECT layin FROM jiazi WHERE jiazi = ? ORDER BY rowid LIMIT 1",
             {std::string(pillar)})
      .Text("layin");
}

}  // namespace hehun
