// People in and out of CSV files for spreadsheet programs: UTF-8 with a
// byte-order mark, the header below (an export puts "id" first; an import
// takes either), one person a row.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "records/archive.h"

namespace hehun::records {

inline constexpr const char* kCsvHeader = "name,sex,calendar,date,time,leap,place,blood,note";

struct ImportResult {
  int64_t added = 0;                  // people saved (0 when the import was refused)
  std::vector<std::string> refused;   // "第17行：出生日期“1990-02-30”不是有效的日期", in file order
  bool committed = false;             // false: nothing was saved
};

// Imports a CSV file in one transaction. Every row is checked; with a bad
// row nothing is saved, unless `skipBad`, which saves the good rows. Either
// way `refused` names each bad row and why. A header other than kCsvHeader
// (with or without a leading id column) refuses the whole file. The id
// column, when present, is not used: the archive numbers the people itself.
// Throws ArchiveError when the file cannot be read.
ImportResult ImportPeopleCsv(Archive& archive, const std::filesystem::path& file, bool skipBad);

// Writes every person, in number order, with the id column first. The rows
// go to a temporary file beside `file`, which is synced and then renamed, so
// `file` is either the old file or the whole new one. Returns the number of
// people written; throws ArchiveError when the file cannot be written.
int64_t ExportPeopleCsv(Archive& archive, const std::filesystem::path& file);

}  // namespace hehun::records
