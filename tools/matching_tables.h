// The readings of the function page's matchings (tables sxpd, xzpd, xxpd of
// BookFile.dll) from data/matching/.
#pragma once

#include <filesystem>

#include "tools/refdb_writer.h"

namespace hehun::tools {

void BuildPairReadings(Writer& w, const std::filesystem::path& data);

}  // namespace hehun::tools
