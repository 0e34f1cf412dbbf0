#include "bazi/star_sign.h"

#include "refdb/text.h"

namespace hehun {

std::string StarSignOf(DateValue date) {
  struct Range {
    int fromMonth, fromDay, toMonth, toDay;
    const char* sign;
  };
  static constexpr Range kRanges[] = {
      {12, 22, 12, 31, "摩羯座"}, {1, 1, 1, 19, "摩羯座"},    {1, 20, 2, 18, "水瓶座"},
      {2, 19, 3, 20, "双鱼座"},   {3, 21, 4, 20, "白羊座"},   {4, 21, 5, 20, "金牛座 "},
      {5, 21, 6, 21, "双子座"},   {6, 22, 7, 22, "巨蟹座"},   {7, 23, 8, 22, "狮子座"},
      {8, 23, 9, 22, "处女座"},   {9, 23, 10, 22, "天秤座"},  {10, 23, 11, 21, "天蝎座"},
      {11, 22, 12, 21, "射手座"}};
  const int year = DecodeDate(date).year;
  for (const auto& r : kRanges)
    if (date >= EncodeDate(year, r.fromMonth, r.fromDay) && date <= EncodeDate(year, r.toMonth, r.toDay))
      return r.sign;
  return {};
}

std::string StripParagraphTags(std::string text) { return ReplaceAll(ReplaceAll(std::move(text), "<p>", ""), "</p>", ""); }

std::string StarSignText(RefDb& db, std::string_view sign, int topic) {
  static constexpr const char* kStatements[] = {
      "SELECT content FROM ndeq WHERE title = ? ORDER BY rowid LIMIT 1",
      "SELECT content FROM aiqing WHERE title = ? ORDER BY rowid LIMIT 1",
      "SELECT content FROM mingren WHERE title = ? ORDER BY rowid LIMIT 1"};
  if (topic < 0 || topic > 2) throw SilentAbort{};
  const Row row = db.First(AbortSilently{}, RefFile::kBookFile, kStatements[topic], {std::string(sign)});
  if (!row.found()) return {};
  return StripParagraphTags(row.Text(size_t{0}));
}

}  // namespace hehun
