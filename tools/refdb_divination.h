// The divination tables of BookFile.dll.
#pragma once

#include <filesystem>

#include "tools/refdb_writer.h"

namespace hehun::tools {

// Table `shouji`: the mobile-number fortunes by key "1" to "80", from
// data/divination/shouji.tsv.
void BuildShoujiTable(Writer& w, const std::filesystem::path& data);

}  // namespace hehun::tools
