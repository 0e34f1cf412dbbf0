#include "almanac/almanac_view.h"

#include "calendar/date.h"
#include "refdb/text.h"

namespace hehun {

AlmanacOutcome ViewAlmanacDay(const AlmanacChoice& choice, Messages& messages, RefDb& db, std::string& headline,
                              LineSink& out) {
  const std::string y = Trim(choice.year), m = Trim(choice.month), d = Trim(choice.day);
  if (y.empty()) {
    messages.ShowInfo("请选择年!");
    return AlmanacOutcome::kRefused;
  }
  if (m.empty()) {
    messages.ShowInfo("请选择月!");
    return AlmanacOutcome::kRefused;
  }
  if (d.empty()) {
    messages.ShowInfo("请选择日!");
    return AlmanacOutcome::kRefused;
  }
  // The date is only checked here; the text as typed is what the headline
  // shows (a month typed as 5 stays 5).
  const std::string dateText = y + "-" + m + "-" + d;
  DateValue date = 0;
  try {
    date = ParseDateText(dateText);
  } catch (const ConversionError&) {
    messages.ShowInfo("请选择有效的日期!");
    return AlmanacOutcome::kRefused;
  }
  const int year = DecodeDate(date).year;
  if (year < kFirstAlmanacYear || year > kLastAlmanacYear) {
    messages.ShowInfo("黄历数据收录1901年至2100年");
    return AlmanacOutcome::kRefused;
  }

  const Row row = db.First(Unguarded{}, RefFile::kBookFile,
                           "SELECT * FROM huangdao WHERE gn = ? ORDER BY rowid LIMIT 1", {FormatDate(date)});
  if (!row.found()) return AlmanacOutcome::kNoDay;

  headline = dateText + "  " + row.Text("nn");
  const std::pair<const char*, std::string> lines[] = {
      {"当日统览:", headline},          {"岁次:", row.Text("suici")},  {"每日胎神占方:", row.Text("tszf")},
      {"五行:", row.Text("wuhang")},    {"冲:", row.Text("cong")},     {"彭祖百忌:", row.Text("pzbj")},
      {"吉神宜趋:", row.Text("jsyq")},  {"宜:", row.Text("yi")},       {"凶神宜忌:", row.Text("xsyq")},
      {"忌:", row.Text("ji")},
  };
  bool first = true;
  for (const auto& [label, value] : lines) {
    if (!first) out.Add("");
    first = false;
    // One line each, whatever the stored text holds.
    std::string line = std::string(label) + value;
    for (char& c : line)
      if (c == '\n' || c == '\r') c = ' ';
    out.Add(line);
  }
  return AlmanacOutcome::kShown;
}

const char* AlmanacGlossary() {
  return "嫁娶 ：男娶女嫁，举行结婚大典的吉日 \n"
         "祭祀 ：指祠堂之祭祀、即拜祭祖先或庙寺的祭拜、神明等事 \n"
         "安葬 ：举行埋葬等仪式 \n"
         "出行 ：指外出旅行、观光游览 \n"
         "祈福 ：祈求神明降福或设醮还愿之事 \n"
         "动土 ：建筑时、第一次动起锄头挖土 \n"
         "安床 ：指安置睡床卧铺之意 \n"
         "开光 ：佛像塑成后、供奉上位之事 \n"
         "纳采 ：缔结婚姻的仪式、受授聘金 \n"
         "入殓 ：将尸体放入棺材之意 \n"
         "移徙 ：指搬家迁移住所之意 \n"
         "破土 ：仅指埋葬用的破土、与一般建筑房屋的“动土”不同，即\n"
         "“破土”属阴宅，“动土”属阳宅也。现\n"
         "今社会上多已滥用属阴宅择日时属阴宅须辨别之。 \n"
         "解除 ：指冲洗清扫宅舍、解除灾厄等事 \n"
         "入宅 ：即迁入新宅、所谓“新居落成典礼”也 \n"
         "修造 ：指阳宅之造与修理 \n"
         "栽种 ：种植物“接果”“种田禾”同 \n"
         "开市 ：“开业”之意，如“开幕典礼”“开工”。\n"
         "移柩 ：行葬仪时、将棺木移出屋外之事 \n"
         "订盟 ：订婚仪式的一种，俗称小聘(订) \n"
         "拆卸 ：拆掉建筑物 \n"
         "立卷 ：订立各种契约互相买卖之事 \n"
         "交易 ：订立各种契约互相买卖之事 \n"
         "求嗣 ：指向神明祈求后嗣(子孙)之意 \n"
         "上梁 ：装上建筑物屋顶的梁，同架马 \n"
         "纳财 ：购屋产业、进货、收帐、收租、讨债、贷款、五谷入仓等 \n"
         "起基 ：建筑时、第一次动起锄头挖土 \n"
         "斋醮 ：庙宇建醮前需举行的斋戒仪式 \n"
         "赴任 ：走马上任 \n"
         "冠笄 ：男女年满二十岁所举行的成年礼仪式 \n"
         "安门 ：放置正门门框 \n"
         "修坟 ：修理坟墓 \n"
         "挂匾 ：指悬挂招牌或各种匾额";
}

}  // namespace hehun
