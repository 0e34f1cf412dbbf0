// Birthplaces: China's provinces, prefecture-level and county-level
// divisions with the coordinates of their seats, and the world's cities where
// Chinese communities live, each with its IANA time zone. The table is
// compiled in from data/places/places.tsv (see data/places/README).
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hehun {

enum class PlaceLevel { kProvince = 0, kPrefecture = 1, kCounty = 2, kWorldCity = 3 };

struct Place {
  std::string_view name;       // 成都市
  std::string_view aliases;    // short names, "|"-separated: 成都
  std::string_view full_name;  // 四川省成都市, 马来西亚 吉隆坡
  PlaceLevel level;
  std::string_view parent;  // full name of the division above, or the country
  double degrees_east;
  double degrees_north;
  std::string_view time_zone;  // IANA name: Asia/Shanghai
  std::string_view code;       // GB/T 2260 code in China, ISO country code abroad
};

// 省级, 地级, 县级, 国外城市.
std::string_view PlaceLevelName(PlaceLevel level);

std::span<const Place> AllPlaces();

// Places a typed text names, for completion as one types: those whose name,
// short name or full name equals the text first, then those they begin with;
// within each, prefecture-level before province-level, county-level and
// world cities, then in table order; then the divisions of the first city or
// province among them (成都 → 四川省成都市 and its districts). Blanks around
// the text are ignored; an empty text gives nothing.
std::vector<const Place*> SearchPlaces(std::string_view text, size_t limit = 50);

// The one place a typed name or unique prefix means. Where several share it,
// the prefecture-level one wins (朝阳 → 辽宁省朝阳市). Throws UserError:
// "找不到出生地“…”" with the places nearly matched, or, when several of the
// same rank remain, the list to choose from.
const Place& ResolvePlace(std::string_view text);

}  // namespace hehun
