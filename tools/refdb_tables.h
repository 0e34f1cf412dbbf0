#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tools/refdb_writer.h"

namespace hehun::tools {

void BuildLifePalaceTables(Writer& w, const std::filesystem::path& data, const std::vector<std::string>& nayin);
void BuildZodiacTable(Writer& w, const std::filesystem::path& data);
void BuildBoneWeightTables(Writer& w, const std::filesystem::path& data);
void BuildStarSignTables(Writer& w, const std::filesystem::path& data);

}  // namespace hehun::tools
