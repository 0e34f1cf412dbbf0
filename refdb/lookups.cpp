#include "refdb/lookups.h"

#include <array>
#include <unordered_map>

#include "refdb/ganzhi.h"
#include "refdb/text.h"

namespace hehun {

namespace {

// Answers the session has read already, by the key as it is bound (without
// trailing blanks). Only answers that were read are kept: a lookup that
// could not be read is asked again and fails again, as without the record.
struct SharedLookupAnswers {
  std::unordered_map<std::string, std::string> element, tenGod, nayin;
  // The same answers for the keys made of two stem or branch characters,
  // found without hashing (the chart asks for twenty of them).
  std::array<const std::string*, 10 * 12> nayinOfPillar{};
  std::array<const std::string*, 10 * 10> tenGodOfPair{};
};

template <size_t N>
int IndexOfChar(const std::array<std::string_view, N>& names, std::string_view ch) {
  for (size_t i = 0; i < N; ++i)
    if (names[i] == ch) return static_cast<int>(i);
  return -1;
}

// Slot of a key of a stem followed by a stem (or a branch), trailing blanks
// not counted; -1 for any other key.
template <size_t N>
int PairSlot(std::string_view key, const std::array<std::string_view, N>& second) {
  while (!key.empty() && static_cast<unsigned char>(key.back()) <= 0x20) key.remove_suffix(1);
  if (key.size() != 6) return -1;
  const int a = IndexOfChar(kCalendarStems, key.substr(0, 3));
  const int b = IndexOfChar(second, key.substr(3));
  return a < 0 || b < 0 ? -1 : a * static_cast<int>(N) + b;
}

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
  auto& session = db.SessionData<SharedLookupAnswers>();
  const int slot = PairSlot(pair, kCalendarStems);
  if (slot >= 0 && session.tenGodOfPair[slot]) return *session.tenGodOfPair[slot];
  std::string key = TrimRight(pair);
  auto& answers = session.tenGod;
  if (const auto it = answers.find(key); it != answers.end()) return it->second;
  const Row row = db.First(Swallow{}, RefFile::kTgcode,
                           "SELECT ShiShen FROM Shishen WHERE jiazi = ? ORDER BY rowid LIMIT 1", {key});
  if (row.failed()) return {};
  const std::string& answer = answers.emplace(std::move(key), row.Text("ShiShen")).first->second;
  if (slot >= 0) session.tenGodOfPair[slot] = &answer;
  return answer;
}

std::string NayinOf(RefDb& db, std::string_view pillar) {
  auto& session = db.SessionData<SharedLookupAnswers>();
  const int slot = PairSlot(pillar, kCalendarBranches);
  if (slot >= 0 && session.nayinOfPillar[slot]) return *session.nayinOfPillar[slot];
  std::string key = TrimRight(pillar);
  auto& answers = session.nayin;
  if (const auto it = answers.find(key); it != answers.end()) return it->second;
  const Row row =
      db.First(Swallow{}, RefFile::kTgcode, "SELECT layin FROM jiazi WHERE jiazi = ? ORDER BY rowid LIMIT 1", {key});
  if (row.failed()) return {};
  const std::string& answer = answers.emplace(std::move(key), row.Text("layin")).first->second;
  if (slot >= 0) session.nayinOfPillar[slot] = &answer;
  return answer;
}

}  // namespace hehun
