// The folder knowledge/ stands on bazi/ and below, beside almanac/ and
// divination/: the encyclopedia articles.
//
// The encyclopedia: background articles on Bazi and marriage matching, kept
// in the table Noter of BookFile.dll under the keys "hh01" to "hh10".
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "refdb/refdb.h"

namespace hehun {

struct EncyclopediaEntry {
  std::string_view key;    // Noter.Cid
  std::string_view title;  // the caption of the article's button, and Noter.Tite
};

// The articles in the order of their buttons on the page.
inline constexpr std::array<EncyclopediaEntry, 10> kEncyclopediaEntries{{
    {"hh01", "什么是八字"},
    {"hh02", "八字合婚来源"},
    {"hh03", "合婚方法"},
    {"hh04", "小五婚"},
    {"hh05", "合婚其他外界因素"},
    {"hh06", "六冲"},
    {"hh07", "六害"},
    {"hh08", "相刑"},
    {"hh09", "六合三合"},
    {"hh10", "周太常斗临经合婚法"},
}};

// The introduction the page shows before any article is chosen, line by line.
extern const std::array<std::string_view, 10> kEncyclopediaIntro;

// The text of the article with this key, blanks trimmed at both ends; empty
// when the table has no row for the key. A database that cannot be read
// stops the user action silently (SilentAbort).
std::string EncyclopediaArticle(RefDb& db, std::string_view key);

}  // namespace hehun
