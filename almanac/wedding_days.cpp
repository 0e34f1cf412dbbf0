#include "almanac/wedding_days.h"

#include <vector>

#include "refdb/ganzhi.h"
#include "calendar/lunar_calc.h"
#include "refdb/text.h"

namespace hehun {

namespace {

// The activities of the list that answer a purpose.
std::vector<std::string> PurposeActivities(const std::string& purpose) {
  if (purpose == "结婚") return {"嫁娶"};
  if (purpose == "订婚") return {"订盟", "纳采"};
  throw UserError("“" + purpose + "”不是可查询的用途，请选择“结婚”或“订婚”。");
}

std::vector<std::string> Words(const std::string& list) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find(' ', start);
    if (end == std::string::npos) end = list.size();
    if (end > start) out.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

bool HasAny(const std::vector<std::string>& words, const std::vector<std::string>& wanted) {
  for (const auto& w : words)
    for (const auto& x : wanted)
      if (w == x) return true;
  return false;
}

// The animal of a person: that of the lunar year of birth, as the marriage
// report names it.
int AnimalOf(const BirthRow& row) {
  const LunarDate lunar = SolarToLunar(ParseDateText(row.dateText));
  return Mod(lunar.Year - 4, 12);
}

std::string Joined(const std::vector<std::string>& items, const char* sep) {
  std::string out;
  for (size_t i = 0; i < items.size(); ++i) out += (i ? sep : "") + items[i];
  return out;
}

}  // namespace

Ymd WeddingRangeEnd(const Ymd& today, std::string_view range) {
  const DateValue start = EncodeDate(today.year, today.month, today.day);
  if (range == kWeddingRanges[0]) return DecodeDate(start + 2);
  if (range == kWeddingRanges[1]) return DecodeDate(start + 6);
  static constexpr int kMonths[] = {1, 3, 6, 12};
  for (int i = 0; i < 4; ++i)
    if (range == kWeddingRanges[2 + i]) {
      const Ymd end = AddMonths(today, kMonths[i]);
      return DecodeDate(EncodeDate(end.year, end.month, end.day) - 1);
    }
  throw UserError("“" + std::string(range) + "”不是可查询的日期范围。");
}

bool RunWeddingDaySearch(const WeddingSearch& search, LineSink& out, Messages& messages, RefDb& db,
                         const Ymd& today) {
  BirthRow man, woman;
  if (ReadBirthRow(search.man, ManRowMessages(), "男方", messages, man, false) != RowCheck::kOk) return false;
  if (ReadBirthRow(search.woman, WomanRowMessages(), "女方", messages, woman, false) != RowCheck::kOk) return false;
  const bool favourable = search.kind != "忌";
  if (search.kind != "宜" && search.kind != "忌") throw UserError("“" + search.kind + "”不是可查询的宜忌，请选择“宜”或“忌”。");
  const std::vector<std::string> wanted = PurposeActivities(search.purpose);
  const int manAnimal = AnimalOf(man), womanAnimal = AnimalOf(woman);
  const Ymd last = WeddingRangeEnd(today, search.range);

  const std::string what = search.kind + Joined(wanted, "、");
  out.Add(search.purpose + "吉日分析（" + what + "）");
  out.Add("查询范围：" + FormatYmd(today) + " 至 " + FormatYmd(last) + "（" + search.range + "）");
  const std::string manAnimalName(kZodiacAnimals[manAnimal]), womanAnimalName(kZodiacAnimals[womanAnimal]);
  // A side without a name of its own (the command line) is named by its side.
  const auto person = [](const std::string& side, const std::string& name, const std::string& animal) {
    return side + (name == side ? "" : "：" + name + "，") + "生肖属" + animal;
  };
  out.Add(person("男方", man.name, manAnimalName) + "；" + person("女方", woman.name, womanAnimalName) + "。");
  if (favourable)
    out.Add("已排除冲" + manAnimalName + (womanAnimal != manAnimal ? "、冲" + womanAnimalName : std::string()) +
            "的日子，以免日辰与双方生肖相冲。");
  out.Add("------------------------------------------------------------");

  const std::vector<Row> days =
      db.All(Unguarded{}, RefFile::kBookFile,
             "SELECT gn, nn, cong, yi, ji FROM huangdao WHERE gn >= ? AND gn <= ? ORDER BY gn",
             {FormatYmd(today), FormatYmd(last)});
  int found = 0;
  for (const Row& day : days) {
    const std::string cong = day.Text("cong");
    const std::vector<std::string> yi = Words(day.Text("yi")), ji = Words(day.Text("ji"));
    bool listed = false;
    if (favourable) {
      // The clashing animal is the character after "冲".
      const std::string clash = Utf8CharAt(cong, 1);
      listed = HasAny(yi, wanted) && !HasAny(ji, wanted) && clash != manAnimalName && clash != womanAnimalName;
    } else {
      listed = HasAny(ji, wanted) || day.Text("ji") == "诸事不宜";
    }
    if (!listed) continue;
    ++found;
    out.Add(day.Text("gn") + "  " + day.Text("nn") + "  " + cong);
    out.Add(favourable ? "宜：" + Joined(yi, "、") : "忌：" + Joined(ji, "、"));
    out.Add("");
  }
  if (days.empty()) {
    out.Add("所选范围内没有黄历数据：本软件收录1901年至2100年的黄历，请检查系统日期。");
  } else if (found == 0) {
    out.Add("所选范围内没有" + what + "的日子，请放宽日期范围再查。");
  } else {
    out.Add("共找到" + std::to_string(found) + "个" + what + "的日子。");
  }
  return true;
}

}  // namespace hehun
