#include "bazi/bone_weight.h"

#include <cstdio>
#include <utility>

#include "refdb/text.h"

namespace hehun {

std::string BoneWeightKey(double total) {
  // Shortest general form with at most 15 significant digits, which drops the
  // noise of adding decimal weights (1.2 + 0.9 + 1.6 + 1.0 prints as 4.7).
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15g", total);
  const std::string t = buf;
  if (t.size() < 2) return t + "0";
  return std::string(1, t[0]) + (t.size() > 2 ? std::string(1, t[2]) : std::string());
}

std::string BoneWeightFortune(RefDb& db, std::string_view yearText, std::string_view monthText,
                              std::string_view dayText, int mode, std::string_view hourText) {
  // The four weights in order: lunar year, month, day, hour of day.
  const std::pair<const char*, std::string_view> weights[] = {
      {"SELECT weight FROM chenggu1 WHERE year = ? ORDER BY rowid LIMIT 1", yearText},
      {"SELECT weight FROM chenggu2 WHERE month2 = ? ORDER BY rowid LIMIT 1", monthText},
      {"SELECT weight FROM chenggu3 WHERE day2 = ? ORDER BY rowid LIMIT 1", dayText},
      {"SELECT weight FROM chenggu4 WHERE time = ? ORDER BY rowid LIMIT 1", hourText}};
  double total = 0;
  for (const auto& [sql, key] : weights)
    total += db.First(AbortSilently{}, RefFile::kBookFile, sql, {std::string(key)}).Number(0);
  const std::string key = BoneWeightKey(total);
  const Row verse = db.First(AbortSilently{}, RefFile::kBookFile,
                             "SELECT MM, content, content2 FROM chenggu WHERE weight = ? ORDER BY rowid LIMIT 1", {key});
  if (!verse.found()) return {};
  const std::string liang = key.substr(0, 1);
  const std::string qian = key.size() > 1 ? key.substr(1, 1) : std::string();
  switch (mode) {
    case 0:
      if (qian != "0") return "你的骨重为：" + liang + "两" + qian + "钱 " + verse.Text(size_t{0});
      return "你的骨重为：" + liang + "两 " + verse.Text(size_t{0});
    case 1:
      return "诗评：" + verse.Text(1);
    case 2:
      return "诗意：" + verse.Text(2);
    default:
      return {};
  }
}

}  // namespace hehun
