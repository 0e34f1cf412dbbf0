#include "refdb/lookups.h"

#include <unordered_map>

#include "refdb/text.h"

namespace hehun {

namespace {

// Answers the session has read already, by the key as it is bound (without
// trailing blanks). Only answers that were read are kept: a lookup that
// could not be read is asked again and fails again, as without the record.
struct SharedLookupAnswers {
  std::unordered_map<std::string, std::string> element, tenGod, nayin;
};

}  // namespace

std::string HanziElement(RefDb& db, std::string_view ch) {
  std::string c = Trim(ch);
  if (c.empty()) return {};
  auto& answers = db.SessionData<SharedLookupAnswers>().element;
  if (const auto it = answers.find(c); it != answers.end()) return it->second;
  const Row row = db.First(Swallow{}, RefFile::kTgcode, "SELECT wh FROM hzwh WHERE hz LIKE ? ORDER BY rowid LIMIT 1",
                           {"%" + c + "%"});
  if (row.failed()) return {};
  return answers.emplace(std::move(c), row.Text("wh")).first->second;
}

std::string TenGodOf(RefDb& db, std::string_view pair) {
  std::string key = TrimRight(pair);
  auto& answers = db.SessionData<SharedLookupAnswers>().tenGod;
  if (const auto it = answers.find(key); it != answers.end()) return it->second;
  const Row row = db.First(Swallow{}, RefFile::kTgcode,
                           "SELECT ShiShen FROM Shishen WHERE jiazi = ? ORDER BY rowid LIMIT 1", {key});
  if (row.failed()) return {};
  return answers.emplace(std::move(key), row.Text("ShiShen")).first->second;
}

std::string NayinOf(RefDb& db, std::string_view pillar) {
  std::string key = TrimRight(pillar);
  auto& answers = db.SessionData<SharedLookupAnswers>().nayin;
  if (const auto it = answers.find(key); it != answers.end()) return it->second;
  const Row row =
      db.First(Swallow{}, RefFile::kTgcode, "SELECT layin FROM jiazi WHERE jiazi = ? ORDER BY rowid LIMIT 1", {key});
  if (row.failed()) return {};
  return answers.emplace(std::move(key), row.Text("layin")).first->second;
}

}  // namespace hehun
