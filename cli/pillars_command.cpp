#include "cli/pillars_command.h"

#include <initializer_list>
#include <istream>
#include <ostream>
#include <sstream>
#include <string_view>

#include "bazi/chart.h"
#include "refdb/messages.h"
#include "refdb/refdb.h"
#include "refdb/text.h"

namespace hehun::cli {

namespace {

// The first three blank-separated words of a line (missing ones empty), as
// reading words from a stream gives them.
void BirthLineFields(std::string_view line, std::string_view& a, std::string_view& b, std::string_view& c) {
  std::string_view* words[] = {&a, &b, &c};
  const auto blank = [](char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); };
  size_t i = 0;
  for (std::string_view* word : words) {
    while (i < line.size() && blank(line[i])) ++i;
    const size_t start = i;
    while (i < line.size() && !blank(line[i])) ++i;
    *word = line.substr(start, i - start);
  }
}

// Numbers of one to nine plain digits joined by `separator`, e.g. 1990-06-15;
// false for any other text.
bool PlainNumbers(std::string_view text, char separator, std::initializer_list<int*> numbers) {
  size_t i = 0;
  bool first = true;
  for (int* number : numbers) {
    if (!first) {
      if (i >= text.size() || text[i] != separator) return false;
      ++i;
    }
    first = false;
    const size_t start = i;
    int value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 9) value = value * 10 + (text[i++] - '0');
    if (i == start || (i < text.size() && text[i] >= '0' && text[i] <= '9')) return false;
    *number = value;
  }
  return i == text.size();
}

}  // namespace

// One database session for the whole input; each answer goes out as soon as
// it is known, through the stream's buffer, which is flushed whenever the
// input has nothing more waiting (so a caller that feeds one line at a time
// gets each answer at once).
int PillarsCommand(const std::vector<std::string>&, std::istream& in, std::ostream& out, std::ostream&) {
  RefDb db;
  std::string line;
  std::string text;
  while (true) {
    if (in.rdbuf()->in_avail() <= 0) out.flush();
    if (!std::getline(in, line)) break;
    if (Trim(line).empty()) continue;
    std::string_view date, time, sex;
    BirthLineFields(line, date, time, sex);
    CapturedMessages messages;
    text.clear();
    try {
      int y = 0, m = 0, d = 0, h = 0, mi = 0;
      if (!PlainNumbers(date, '-', {&y, &m, &d}) || !PlainNumbers(time, ':', {&h, &mi})) {
        // Anything but plain digits goes through the stream reading, which
        // also takes signs and text after the numbers.
        char dash1 = 0, dash2 = 0, colon = 0;
        std::istringstream ds{std::string(date)}, ts{std::string(time)};
        if (!(ds >> y >> dash1 >> m >> dash2 >> d) || dash1 != '-' || dash2 != '-' || !(ts >> h >> colon >> mi) ||
            colon != ':')
          throw ConversionError("“" + Trim(line) + "”不是“YYYY-MM-DD HH:MM 性别”");
      }
      BaziChart chart;
      if (!ComputeBazi(chart, db, messages, y, m, d, h, 0, mi, sex)) {
        text += "ERROR " + messages.entries.front().text + "\n";
      } else {
        text += chart.YearStem + chart.YearBranch + " " + chart.MonthStem + chart.MonthBranch + " " + chart.DayStem +
                chart.DayBranch + " " + chart.HourStem + chart.HourBranch + " " + Trim(chart.ConceptionPillar) + " " +
                (chart.LuckReverse ? "逆" : "顺") + " " + chart.StartAgeText + "\n";
      }
    } catch (const ConversionError& e) {
      text += std::string("ERROR ") + e.what() + "\n";
    }
    out << text;
  }
  out.flush();
  return 0;
}

}  // namespace hehun::cli
