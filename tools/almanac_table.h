// The almanac table `huangdao` of BookFile.dll: one row for every day from
// 1901-01-01 to 2100-12-31, worked out at build time from the solar-term
// instants and the traditional rule tables in data/almanac/.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tools/refdb_writer.h"

namespace hehun::tools {

inline constexpr int kAlmanacFirstYear = 1901;
inline constexpr int kAlmanacLastYear = 2100;

// The texts of one almanac day, in the columns of `huangdao`.
struct AlmanacRow {
  std::string gn, nn, suici, tszf, wuhang, cong, pzbj, jsyq, yi, xsyq, ji;
};

// Works out every day of kAlmanacFirstYear..kAlmanacLastYear from the rule
// tables in `almanacData` (data/almanac).
std::vector<AlmanacRow> ComputeAlmanacRows(const std::filesystem::path& almanacData);

void BuildAlmanacTable(Writer& w, const std::filesystem::path& data);

}  // namespace hehun::tools
