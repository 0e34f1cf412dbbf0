#include "knowledge/dream_book.h"

#include "refdb/text.h"

namespace hehun {

namespace {

// A word as a LIKE pattern matching it anywhere, with \ as the escape.
std::string ContainsPattern(std::string_view word) {
  std::string p = "%";
  for (char c : word) {
    if (c == '%' || c == '_' || c == '\\') p += '\\';
    p += c;
  }
  return p + "%";
}

DreamEntry EntryOf(const Row& row) { return {row.Text(size_t{0}), row.Text(size_t{1}), row.Text(size_t{2})}; }

}  // namespace

std::vector<std::string> DreamSearchWords(std::string_view text) {
  std::string s(text);
  for (std::string_view sep : {"　", "，", "、", ","}) s = ReplaceAll(s, sep, " ");
  std::vector<std::string> words;
  std::string word;
  for (char c : s + " ") {
    if (static_cast<unsigned char>(c) <= 0x20) {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  return words;
}

std::vector<DreamEntry> SearchDreams(RefDb& db, const std::vector<std::string>& words) {
  if (words.empty()) return {};
  std::string sql = "SELECT category, image, reading FROM dream WHERE 1";
  std::vector<Param> params;
  for (const auto& w : words) {
    sql += " AND (image LIKE ? ESCAPE '\\' OR reading LIKE ? ESCAPE '\\')";
    params.push_back(ContainsPattern(w));
    params.push_back(ContainsPattern(w));
  }
  sql += " ORDER BY (image LIKE ? ESCAPE '\\') DESC, rowid";
  params.push_back(ContainsPattern(words.front()));
  std::vector<DreamEntry> entries;
  for (const Row& row : db.All(Unguarded{}, RefFile::kBookFile, sql, params)) entries.push_back(EntryOf(row));
  return entries;
}

std::vector<std::pair<std::string, int>> DreamCategories(RefDb& db) {
  std::vector<std::pair<std::string, int>> out;
  for (const Row& row : db.All(Unguarded{}, RefFile::kBookFile,
                               "SELECT category, COUNT(*) FROM dream GROUP BY category ORDER BY MIN(rowid)"))
    out.emplace_back(row.Text(size_t{0}), static_cast<int>(row.Number(1)));
  return out;
}

std::vector<DreamEntry> DreamsOfCategory(RefDb& db, std::string_view category) {
  std::vector<DreamEntry> entries;
  for (const Row& row : db.All(Unguarded{}, RefFile::kBookFile,
                               "SELECT category, image, reading FROM dream WHERE category = ? ORDER BY rowid",
                               {Trim(category)}))
    entries.push_back(EntryOf(row));
  return entries;
}

void WriteDreamEntry(LineSink& out, const DreamEntry& e) {
  out.Add("【" + e.category + "】" + e.image);
  out.Add("    " + e.reading);
}

bool DreamSearchReport(RefDb& db, std::string_view text, Messages& messages, LineSink& out) {
  const std::vector<std::string> words = DreamSearchWords(text);
  if (words.empty()) {
    messages.ShowInfo("请输入要查询的梦境，如“蛇”“掉牙”“下雨”！");
    return false;
  }
  const std::vector<DreamEntry> entries = SearchDreams(db, words);
  const std::string quoted = QuoteTyped(Trim(text));
  if (entries.empty()) {
    out.Add("没有找到与" + quoted + "有关的梦，请换一个词再查，如只输入梦中的主要事物。");
    return true;
  }
  out.Add("与" + quoted + "有关的梦共 " + std::to_string(entries.size()) + " 条：");
  for (const DreamEntry& e : entries) WriteDreamEntry(out, e);
  return true;
}

void DreamCategoryReport(RefDb& db, LineSink& out) {
  int total = 0;
  for (const auto& [category, count] : DreamCategories(db)) {
    out.Add(category + "\t" + std::to_string(count));
    total += count;
  }
  out.Add("合计\t" + std::to_string(total));
}

bool DreamCategoryBrowse(RefDb& db, std::string_view category, Messages& messages, LineSink& out) {
  const std::vector<DreamEntry> entries = DreamsOfCategory(db, category);
  if (entries.empty()) {
    messages.ShowInfo("没有这个梦境分类：" + QuoteTyped(Trim(category)));
    return false;
  }
  out.Add(Trim(category) + "类梦境共 " + std::to_string(entries.size()) + " 条：");
  for (const DreamEntry& e : entries) WriteDreamEntry(out, e);
  return true;
}

}  // namespace hehun
