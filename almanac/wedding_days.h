// The wedding-day search of the page 结婚吉日: the days of the almanac table
// within a range from today that favour (or disfavour) a wedding or an
// engagement, leaving out for a favourable search the days that clash with
// either partner's animal.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "calendar/date.h"
#include "refdb/messages.h"
#include "refdb/refdb.h"
#include "calendar/birth_row.h"
#include "refdb/line_sink.h"

namespace hehun {

// The ranges of the list 日期范围, in its order.
inline constexpr std::array<std::string_view, 6> kWeddingRanges = {"3天以内", "一周以内", "一月以内",
                                                                    "三月以内", "半年以内", "一年以内"};

struct WeddingSearch {
  BirthRowTexts man, woman;  // the two rows as typed
  std::string range;         // one of kWeddingRanges
  std::string purpose;       // 结婚 or 订婚
  std::string kind;          // 宜 or 忌
};

// The last day of a range that starts today (both days included).
// Throws UserError for a range that is not one of kWeddingRanges.
Ymd WeddingRangeEnd(const Ymd& today, std::string_view range);

// Reads both rows as the marriage page does (an empty field shows its
// message and the search does not run: false), then writes the result to
// `out`. A date that cannot be converted throws ConversionError naming the
// field; errors of the reference database throw DatabaseError.
bool RunWeddingDaySearch(const WeddingSearch& search, LineSink& out, Messages& messages, RefDb& db,
                         const Ymd& today);

}  // namespace hehun
