#include "bazi/chart.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "bazi/personality.h"
#include "calendar/date.h"
#include "refdb/ganzhi.h"
#include "calendar/lunar_calc.h"
#include "refdb/lookups.h"
#include "refdb/text.h"

namespace hehun {

namespace {

// One 节 term instant; `term` indexes kSolarTermNames (节 are the even ones).
struct JieInstant {
  DateValue when;
  int term;
};

struct SolarFrame {
  std::vector<JieInstant> jie;  // the 节 of the birth year and both neighbours, in time order
  bool yearInTable = false;     // the reference table has the birth year
  int beforeJie = 0;
};

// The 节 instants one query of the reference table gave (a whole year, or one
// term of a year), in the order the rows came.
struct TableJie {
  bool present = false;  // at least one 节 row could be read
  std::vector<JieInstant> jie;
};

// The solar terms this session has read, by year and term ("" for the whole
// year). Only years the table answered are kept; a year it does not hold, or
// a table that cannot be read, is asked again at the next chart.
struct SessionSolarTerms {
  std::map<std::pair<int, std::string_view>, TableJie> read;
};

TableJie QueryJie(RefDb& db, int y, std::string_view onlyTerm) {
  TableJie out;
  const auto rows = onlyTerm.empty()
                        ? db.All(Swallow{}, RefFile::kTgcode, "SELECT JQ, SJ FROM JQ WHERE YearA = ?",
                                 {static_cast<long long>(y)})
                        : db.All(Swallow{}, RefFile::kTgcode,
                                 "SELECT JQ, SJ FROM JQ WHERE YearA = ? AND JQ = ? ORDER BY rowid LIMIT 1",
                                 {static_cast<long long>(y), std::string(onlyTerm)});
  for (const Row& row : rows) {
    const int term = IndexOf(kSolarTermNames, row.Text(size_t{0}));
    if (term < 0 || term % 2 != 0) continue;
    DateValue when;
    try {
      when = ParseDateTimeText(row.Text(size_t{1}));
    } catch (const ConversionError&) {
      continue;
    }
    out.present = true;
    out.jie.push_back({when, term});
  }
  return out;
}

const TableJie& ReadJie(RefDb& db, int y, std::string_view onlyTerm, TableJie& scratch) {
  auto& read = db.SessionData<SessionSolarTerms>().read;
  const auto key = std::make_pair(y, onlyTerm);
  if (const auto it = read.find(key); it != read.end()) return it->second;
  scratch = QueryJie(db, y, onlyTerm);
  if (!scratch.present) return scratch;
  return read.emplace(key, std::move(scratch)).first->second;
}

// Reads the 节 instants of the birth year from the reference table, with the
// 大雪 before it and the 小寒 after it when the birth lies that close to the
// year's ends. A year the table does not hold (or a table that cannot be
// read) takes its instants from the fixed-rate formula.
SolarFrame ReadSolarFrame(RefDb& db, int year, DateValue birth) {
  SolarFrame frame;
  frame.jie.reserve(14);
  TableJie scratch;
  // onlyTerm is a literal or empty, so the session record may keep the view.
  const auto readYear = [&](int y, std::string_view onlyTerm) {
    const TableJie& table = ReadJie(db, y, onlyTerm, scratch);
    if (table.present) {
      for (const JieInstant& j : table.jie) {
        frame.jie.push_back(j);
        // Born on the calendar day of a 节 but before its instant.
        if (y == year && DateOf(j.when) == DateOf(birth) && j.when > birth) frame.beforeJie = -1;
      }
    } else {
      for (int n = 0; n < 24; n += 2)
        if (onlyTerm.empty() || kSolarTermNames[n] == onlyTerm) frame.jie.push_back({SolarTermInstant(y, n), n});
    }
    return table.present;
  };
  frame.yearInTable = readYear(year, {});
  const auto byTime = [](const JieInstant& a, const JieInstant& b) { return a.when < b.when; };
  std::sort(frame.jie.begin(), frame.jie.end(), byTime);
  // The neighbours matter only in early January and in December; a margin of
  // a few days covers a 节 close to the birth either way.
  if (birth < frame.jie.front().when + 3) readYear(year - 1, "大雪");
  if (birth > frame.jie.back().when - 3) readYear(year + 1, "小寒");
  std::sort(frame.jie.begin(), frame.jie.end(), byTime);
  return frame;
}

// Month branch (chart numbering, from 亥) of a date key Month × 100 + Day by
// the usual calendar days of the twelve 节.
int MonthBranchOfKey(int key) {
  struct Range {
    int from, to, branch;
  };
  static constexpr Range kRanges[] = {{101, 105, 1},   {106, 203, 2},   {204, 305, 3},  {306, 404, 4},
                                      {405, 504, 5},   {505, 605, 6},   {606, 706, 7},  {707, 807, 8},
                                      {808, 907, 9},   {908, 1007, 10}, {1008, 1106, 11}, {1107, 1207, 0},
                                      {1208, 1231, 1}};
  for (const auto& r : kRanges)
    if (key >= r.from && key <= r.to) return r.branch;
  return 1;  // key 100 (1 January before its 节 day): still the 子 month
}

}  // namespace

bool IsJieTerm(std::string_view name) { return IndexOf(kJieNames, name) >= 0; }

bool CheckChartTime(Messages& messages, int year, int month, int day, int hour, int minute) {
  // Days beyond the month's length in the short months are refused with a notice.
  const bool shortMonthOverflow = (month == 2 && day > (IsLeapYear(year) ? 29 : 28)) ||
                                  ((month == 4 || month == 6 || month == 9 || month == 11) && day > 30);
  if (shortMonthOverflow) {
    messages.Notice(kChartDateMessage);
    return false;
  }
  if (!IsValidYmd(year, month, day))
    throw ConversionError("“" + std::to_string(year) + "-" + std::to_string(month) + "-" + std::to_string(day) +
                          "”不是有效的日期");
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59)
    throw ConversionError("“" + std::to_string(hour) + ":" + std::to_string(minute) + "”不是有效的时间");
  return true;
}

bool ComputeBazi(BaziChart& chart, RefDb& db, Messages& messages, int year, int month, int day, int hour,
                 int /*lunarDay*/, int minute, std::string_view sex) {
  if (!CheckChartTime(messages, year, month, day, hour, minute)) return false;

  DateTimeParts clock;
  clock.date = {year, month, day};
  clock.hour = hour;
  clock.minute = minute;
  ComputeBaziAt(chart, db, EncodeDateTime(year, month, day, hour, minute), clock, sex);
  return true;
}

void ComputeBaziAt(BaziChart& chart, RefDb& db, DateValue instantBeijing, const DateTimeParts& dayHourTime,
                   std::string_view sex) {
  const DateValue birth = instantBeijing;
  const Ymd instantDate = DecodeDate(birth);
  const int year = instantDate.year;
  const int month = instantDate.month;
  const int day = instantDate.day;
  const SolarFrame frame = ReadSolarFrame(db, year, birth);

  BaziChart c;
  c.BeforeJie = frame.beforeJie;

  // Year and month pillars change at the exact 节 instants (the year at 立春);
  // without the reference table, at the usual calendar days.
  int pillarYear = year;
  size_t current = 0;  // the 节 that began the birth month, in frame.jie
  if (frame.yearInTable) {
    const JieInstant* lichun = nullptr;
    for (size_t i = 0; i < frame.jie.size(); ++i) {
      if (frame.jie[i].when <= birth) current = i;
      if (frame.jie[i].term == 2 && DecodeDate(frame.jie[i].when).year == year) lichun = &frame.jie[i];
    }
    const int calendarBranch = (frame.jie[current].term / 2 + 1) % 12;
    c.MonthBranchIdx = (calendarBranch + 1) % 12;
    if (lichun && birth < lichun->when) pillarYear = year - 1;
  } else {
    const int key = month * 100 + day + c.BeforeJie;
    c.MonthBranchIdx = MonthBranchOfKey(key);
    if (key < 204) pillarYear = year - 1;
    // The 节 of that month nearest the birth (it may fall hours after it).
    const int term = Mod(c.MonthBranchIdx - 2, 12) * 2;
    double best = 1e9;
    for (size_t i = 0; i < frame.jie.size(); ++i)
      if (frame.jie[i].term == term && std::fabs(frame.jie[i].when - birth) < best) {
        best = std::fabs(frame.jie[i].when - birth);
        current = i;
      }
  }
  c.YearStemIdx = Mod(pillarYear - 3, 10);
  c.YearBranchIdx = Mod(pillarYear - 3, 12);
  c.MonthStemIdx = c.MonthBranchIdx >= 3 ? Mod(2 * c.YearStemIdx + c.MonthBranchIdx + 8, 10)
                                         : Mod(2 * c.YearStemIdx + c.MonthBranchIdx, 10);

  // Day pillar: a pure count of days (1900-02-20 is 甲子).
  const int g = dayHourTime.date.year - 1;
  int dayOfYear = dayHourTime.date.day;
  for (int m = 1; m < dayHourTime.date.month; ++m) dayOfYear += DaysInMonth(dayHourTime.date.year, m);
  const int hour = dayHourTime.hour;
  const int dayIdx = Mod(5 * g + g / 4 - g / 100 + g / 400 + dayOfYear + 6015, 60);
  c.DayStemIdx = dayIdx % 10;
  c.DayBranchIdx = dayIdx % 12;

  // Hour pillar. From 23:00 the 子 hour of the next day has begun: the day
  // pillar stays that of the calendar day, the hour stem follows the next day.
  c.HourBranchIdx = ((hour + 3) / 2) % 12;
  const int stemDay = hour == 23 ? (c.DayStemIdx + 1) % 10 : c.DayStemIdx;
  c.HourStemIdx = c.HourBranchIdx == 0 ? Mod(2 * stemDay, 10) : Mod(2 * stemDay + c.HourBranchIdx + 8, 10);

  c.ConceptionPillar = std::string(kStemNames[(c.MonthStemIdx + 1) % 10]) +
                       std::string(kBranchNames[(c.MonthBranchIdx + 3) % 12]) + " ";

  c.YearStem = kStemNames[c.YearStemIdx];
  c.YearBranch = kBranchNames[c.YearBranchIdx];
  c.MonthStem = kStemNames[c.MonthStemIdx];
  c.MonthBranch = kBranchNames[c.MonthBranchIdx];
  c.DayStem = kStemNames[c.DayStemIdx];
  c.DayBranch = kBranchNames[c.DayBranchIdx];
  c.HourStem = kStemNames[c.HourStemIdx];
  c.HourBranch = kBranchNames[c.HourBranchIdx];

  // Yang man and yin woman go forward. Yin stems are the even chart indexes.
  const bool yinYear = c.YearStemIdx % 2 == 0;
  const bool man = sex == "男";
  c.LuckReverse = man == yinYear ? 1 : 0;

  // Start of luck: the exact time to the next 节 (forward) or back to the
  // last one (backward), three days to a year, within 1 to 10.
  double days = 30;
  if (c.LuckReverse == 0) {
    if (current + 1 < frame.jie.size()) days = frame.jie[current + 1].when - birth;
  } else {
    days = birth - frame.jie[current].when;
  }
  c.LuckDistanceDays = days;
  c.StartAge = std::clamp(static_cast<int>(std::ceil(days / 3.0 - 1e-9)), 1, 10);
  c.StartAgeText = std::to_string(c.StartAge);

  // Hidden stems of each pillar's own branch.
  const int branchesFromZi[4] = {(c.YearBranchIdx + 11) % 12, (c.MonthBranchIdx + 11) % 12,
                                 (c.DayBranchIdx + 11) % 12, (c.HourBranchIdx + 11) % 12};
  for (int p = 0; p < 4; ++p) c.HiddenStems[p] = kHiddenStemsByBranch[branchesFromZi[p]];
  c.DayHiddenIdx = branchesFromZi[2];

  // Ten luck pillars, starting with the month pillar itself.
  c.LuckNayinLine = "纳音：";
  c.LuckTenGodLine = "十神：";
  c.LuckNayinLine.reserve(128);
  c.LuckTenGodLine.reserve(128);
  std::string pillars, pillar, pair;
  pillars.reserve(96);
  for (int k = 0; k < 10; ++k) {
    const int step = c.LuckReverse == 0 ? k : -k;
    const int s = Mod(c.MonthStemIdx + step, 10);
    const int b = Mod(c.MonthBranchIdx + step, 12);
    pillar.assign(kStemNames[s]).append(kBranchNames[b]);
    pillars.append(pillar).append("   ");
    c.LuckNayinLine.append(NayinOf(db, pillar)).append(" ");
    pair.assign(c.DayStem).append(kStemNames[s]);
    c.LuckTenGodLine.append(TenGodOf(db, pair)).append("   ");
  }
  c.LuckPillars = Trim(pillars);
  c.PersonalityText = BirthdayPersonalityText(dayHourTime.date.year, dayHourTime.date.month, dayHourTime.date.day, hour);

  chart = std::move(c);
}

}  // namespace hehun
