// 周公解梦, the dream book: entries (category, dream image, reading) in
// table `dream` of BookFile.dll, found by any word of the image or the
// reading, or browsed by category.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "refdb/messages.h"
#include "refdb/refdb.h"
#include "refdb/line_sink.h"

namespace hehun {

struct DreamEntry {
  std::string category, image, reading;
};

// The words of a search text: split at blanks (ASCII and full-width) and
// Chinese or ASCII commas.
std::vector<std::string> DreamSearchWords(std::string_view text);

// Entries holding every word in the image or the reading: those whose image
// holds the first word come first, each group in book order. The words are
// matched literally (% and _ have no special meaning). Reading errors stop
// the action with their text.
std::vector<DreamEntry> SearchDreams(RefDb& db, const std::vector<std::string>& words);

// The categories with their entry counts, in book order.
std::vector<std::pair<std::string, int>> DreamCategories(RefDb& db);

// The entries of one category, in book order.
std::vector<DreamEntry> DreamsOfCategory(RefDb& db, std::string_view category);

// The lines of one entry: "【category】image", then the reading indented.
void WriteDreamEntry(LineSink& out, const DreamEntry& entry);

// What the dialog's search button and `hehun-cli dream WORDS` run: an empty
// text shows a message and returns false; otherwise a count line and the
// entries (or a line saying nothing was found).
bool DreamSearchReport(RefDb& db, std::string_view text, Messages& messages, LineSink& out);

// The category list, "人物\t52" per line, then the total.
void DreamCategoryReport(RefDb& db, LineSink& out);

// The entries of a category; an unknown one shows a message and returns false.
bool DreamCategoryBrowse(RefDb& db, std::string_view category, Messages& messages, LineSink& out);

}  // namespace hehun
