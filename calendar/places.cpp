#include "calendar/places.h"

#include <algorithm>
#include <array>
#include <tuple>

#include "refdb/chinese_script.h"
#include "refdb/messages.h"
#include "refdb/text.h"

namespace hehun {

namespace {

constexpr Place kPlaces[] = {
#include "place_table.inc"
};

// Rank of a level when several places share a name: prefecture first.
int LevelRank(PlaceLevel level) {
  switch (level) {
    case PlaceLevel::kPrefecture: return 0;
    case PlaceLevel::kProvince: return 1;
    case PlaceLevel::kCounty: return 2;
    case PlaceLevel::kWorldCity: return 3;
  }
  return 4;
}

// 0: the text is the name, a short name or the full name; 1: one of them
// begins with it; 2: neither.
int MatchKind(const Place& p, std::string_view text) {
  if (p.name == text || p.full_name == text) return 0;
  bool prefix = p.name.starts_with(text) || p.full_name.starts_with(text);
  std::string_view rest = p.aliases;
  while (!rest.empty()) {
    const size_t bar = rest.find('|');
    const std::string_view alias = rest.substr(0, bar);
    if (alias == text) return 0;
    prefix = prefix || alias.starts_with(text);
    rest = bar == std::string_view::npos ? std::string_view{} : rest.substr(bar + 1);
  }
  return prefix ? 1 : 2;
}

struct Ranked {
  int kind;
  int rank;
  const Place* place;
};

std::vector<Ranked> RankedMatches(std::string_view text) {
  std::vector<Ranked> out;
  if (text.empty()) return out;
  for (const Place& p : kPlaces) {
    const int kind = MatchKind(p, text);
    if (kind < 2) out.push_back({kind, LevelRank(p.level), &p});
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const Ranked& a, const Ranked& b) { return std::tie(a.kind, a.rank) < std::tie(b.kind, b.rank); });
  return out;
}

// The matches of a typed name; a name typed in Traditional characters that
// matches nothing is read again in Simplified (廣州 → 广州), the script of
// the table. `key` becomes the text that matched.
std::vector<Ranked> MatchesInEitherScript(std::string& key) {
  std::vector<Ranked> matches = RankedMatches(key);
  if (!matches.empty()) return matches;
  std::string simplified = SimplifiedText(key);
  if (simplified == key) return matches;
  matches = RankedMatches(simplified);
  if (!matches.empty()) key = std::move(simplified);
  return matches;
}

std::string ListOf(const std::vector<const Place*>& places) {
  std::string out;
  for (const Place* p : places) {
    if (!out.empty()) out += "、";
    out += p->full_name;
  }
  return out;
}

// Places that share the longest beginning with the text (at least one
// character), for the message about a name not found.
std::vector<const Place*> NearPlaces(std::string_view text) {
  std::vector<const Place*> out;
  // Cut whole UTF-8 characters from the end until something matches.
  for (size_t len = text.size(); len > 0 && out.empty(); --len) {
    if (len < text.size() && (static_cast<unsigned char>(text[len]) & 0xC0) == 0x80) continue;
    for (const Ranked& r : RankedMatches(text.substr(0, len))) {
      out.push_back(r.place);
      if (out.size() == 8) break;
    }
  }
  return out;
}

}  // namespace

std::string_view PlaceLevelName(PlaceLevel level) {
  static constexpr std::array<std::string_view, 4> kNames = {"省级", "地级", "县级", "国外城市"};
  return kNames[static_cast<size_t>(level)];
}

std::span<const Place> AllPlaces() { return kPlaces; }

std::vector<const Place*> SearchPlaces(std::string_view text, size_t limit) {
  std::string key = Trim(text);
  std::vector<const Place*> out;
  const std::vector<Ranked> matches = MatchesInEitherScript(key);
  for (const Ranked& r : matches) {
    if (out.size() == limit) return out;
    out.push_back(r.place);
  }
  // Then the divisions of the first city or province matched (成都 → its
  // districts and counties), for completion as one types.
  for (const Ranked& r : matches) {
    if (r.place->level != PlaceLevel::kPrefecture && r.place->level != PlaceLevel::kProvince) continue;
    for (const Place& p : kPlaces) {
      if (p.parent != r.place->full_name || std::find(out.begin(), out.end(), &p) != out.end()) continue;
      if (out.size() == limit) return out;
      out.push_back(&p);
    }
    break;
  }
  return out;
}

const Place& ResolvePlace(std::string_view text) {
  std::string key = Trim(text);
  const std::vector<Ranked> matches = MatchesInEitherScript(key);
  if (matches.empty()) {
    const auto near = NearPlaces(key);
    throw UserError("找不到出生地“" + key + "”" + (near.empty() ? "" : "，相近的有：" + ListOf(near)));
  }
  std::vector<const Place*> best;
  for (const Ranked& r : matches)
    if (r.kind == matches.front().kind && r.rank == matches.front().rank) best.push_back(r.place);
  if (best.size() > 1) {
    if (best.size() > 12) best.resize(12);
    throw UserError("出生地“" + key + "”不止一处：" + ListOf(best) + "，请写出全称");
  }
  return *best.front();
}

}  // namespace hehun
