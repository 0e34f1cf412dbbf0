// The dream book of BookFile.dll.
#pragma once

#include <filesystem>

#include "tools/refdb_writer.h"

namespace hehun::tools {

// The twelve categories of the dream book, in the order they are browsed.
inline constexpr const char* kDreamCategories[] = {"人物", "动物", "植物", "物品", "活动", "生活",
                                                   "自然", "鬼神", "建筑", "身体", "情爱", "其他"};

// Table `dream` (category, image, reading), one row per entry in the order
// of the files of data/dream (by file name) and of their lines. Each file
// opens with the header "category, image, reading". The build stops with a
// message naming the file and the entry when a category is not one of the
// twelve, one of them has no entry, an image comes twice, or a field is
// empty.
void BuildDreamTable(Writer& w, const std::filesystem::path& data);

}  // namespace hehun::tools
