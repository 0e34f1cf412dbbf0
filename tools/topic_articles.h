// The encyclopedia articles of BookFile.dll (table Noter).
#pragma once

#include <filesystem>

#include "tools/refdb_writer.h"

namespace hehun::tools {

// Reads data/knowledge/<key>.txt for every article of the encyclopedia page:
// the first line is the title, every further non-empty line one paragraph.
void BuildNoterTable(Writer& w, const std::filesystem::path& data);

}  // namespace hehun::tools
