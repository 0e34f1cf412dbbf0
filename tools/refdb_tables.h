#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tools/refdb_writer.h"

namespace hehun::tools {

void BuildLifePalaceTables(Writer& w, const std::filesystem::path& data, const std::vector<std::string>& nayin);
// Texts of the marriage report's matching sections.
void BuildMatchingTexts(Writer& w, const std::filesystem::path& data);
void BuildZodiacTable(Writer& w, const std::filesystem::path& data);
void BuildBoneWeightTables(Writer& w, const std::filesystem::path& data);
void BuildStarSignTables(Writer& w, const std::filesystem::path& data);

}  // namespace hehun::tools
