#include "bazi/shensha.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "refdb/ganzhi.h"
#include "refdb/gbk.h"
#include "refdb/messages.h"
#include "refdb/refdb.h"
#include "refdb/text.h"

namespace hehun {

namespace {

constexpr size_t kMaxItems = 21;
constexpr int kValueBytes = 10;

// Blanks and control characters cut from both ends, as Trim does.
std::string_view TrimView(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= 0x20) s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= 0x20) s.remove_suffix(1);
  return s;
}

ShenshaItem ParseItem(std::string_view item) {
  ShenshaItem out;
  const size_t colon = item.find(':');
  if (colon == std::string_view::npos) {
    out.value = Trim(gbk::TruncateBytes(item, kValueBytes));
  } else {
    out.key = std::string(item.substr(0, colon));
    out.value = Trim(gbk::TruncateBytes(item.substr(colon + 1), kValueBytes));
  }
  return out;
}

// The rules of one file as the routines read them: the session's parsed copy.
struct ParsedRules {
  const std::vector<ShenshaRuleLine>& lines;
  size_t size() const { return lines.size(); }
  const ShenshaRuleLine& at(size_t i) const { return lines[i]; }
};

// The rule files this session has read, parsed, by file name. A file that
// could not be read is not recorded, so the next routine that needs it fails
// the same way.
struct SessionShenshaRules {
  std::filesystem::path dir;
  std::map<std::string, std::vector<ShenshaRuleLine>, std::less<>> files;
};

ParsedRules SessionRules(RefDb& db, std::string_view fileName) {
  auto& session = db.SessionData<SessionShenshaRules>();
  std::filesystem::path dir = DataDir();
  if (dir != session.dir) {
    session.files.clear();
    session.dir = std::move(dir);
  }
  if (const auto it = session.files.find(fileName); it != session.files.end()) return {it->second};
  const std::vector<std::string> lines = ReadShenshaRuleFile(fileName);
  std::vector<ShenshaRuleLine> parsed;
  parsed.reserve(lines.size());
  for (const auto& line : lines) parsed.push_back(ParseShenshaRuleLine(line));
  return {session.files.emplace(std::string(fileName), std::move(parsed)).first->second};
}

// The common scan: every used line, every item that passes the test adds the
// line's name once. An empty file gives no result at all.
template <class Rules, class LineUsed, class ItemTest>
std::optional<std::string> Scan(const Rules& rules, int lastLine, const LineUsed& lineUsed, const ItemTest& test) {
  if (rules.size() == 0) return std::nullopt;
  std::string result;
  for (size_t i = 0; i < rules.size(); ++i) {
    const int lineNumber = static_cast<int>(i) + 1;
    if (lastLine > 0 && lineNumber > lastLine) break;
    if (!lineUsed(lineNumber)) continue;
    const auto& rule = rules.at(i);
    for (const auto& item : rule.items)
      if (test(lineNumber, item)) {
        result += ' ';
        result += rule.name;
      }
  }
  return result;
}

// 披麻, 吊客 and 丧门 by their distance from the reference branch.
void ExtraChecks(std::string& result, std::string_view branch, int index) {
  if (branch == GanZhiName(Mod(index + 10, 12), true)) result += " 披麻";
  if (branch == GanZhiName(Mod(index + 2, 12), true)) result += " 吊客";
  if (branch == GanZhiName(Mod(index + 3, 12), true)) result += " 丧门";
}

bool AllLines(int) { return true; }

}  // namespace

ShenshaRuleLine ParseShenshaRuleLine(std::string_view line) {
  ShenshaRuleLine rule;
  const std::string nameField = Utf8Mid(line, 0, 5);
  rule.name = Trim(nameField);
  const std::string body = nameField.empty() ? Trim(line) : Trim(ReplaceAll(std::string(line), nameField, ""));
  // The items are cut from the body as views: the text before the first
  // comma, then the rest after it, trimmed, cut again.
  std::string_view rest = body;
  std::vector<std::string_view> items;
  while (items.size() < kMaxItems) {
    const size_t comma = rest.find(',');
    if (comma == std::string_view::npos) {
      items.push_back(rest);
      break;
    }
    items.push_back(rest.substr(0, comma));
    rest = TrimView(rest.substr(comma + 1));
  }
  rule.items.reserve(items.size());
  for (const auto item : items) {
    if (TrimView(item).empty()) continue;
    rule.items.push_back(ParseItem(item));
  }
  return rule;
}

std::vector<std::string> ReadShenshaRuleFile(std::string_view fileName) {
  std::vector<std::string> rules;
  const auto path = DataDir() / "shensha" / std::string(fileName);
  const auto unreadable = [&] {
    return UserError("无法打开神煞规则文件“" + path.string() + "”，请重新安装本软件。");
  };
  // Only a plain file is read: a folder cannot be, and a named pipe would
  // block the program.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) throw unreadable();
  std::ifstream in(path, std::ios::binary);
  if (!in) throw unreadable();
  std::stringstream ss;
  ss << in.rdbuf();
  if (in.bad()) throw unreadable();
  const std::string text = gbk::ToUtf8(ss.str());
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    rules.push_back(line);
  }
  return rules;
}

std::string GanZhiName(int index, bool isBranch) {
  if (isBranch) return index >= 0 && index < 12 ? std::string(kCalendarBranches[index]) : std::string();
  return index >= 0 && index < 10 ? std::string(kCalendarStems[index]) : std::string();
}

namespace {

template <class Rules>
std::string YearStemNames(const Rules& rules, std::string_view yearStem, std::string_view branch) {
  return Trim(Scan(rules, 0, AllLines, [&](int, const ShenshaItem& it) {
    return Contains(it.key, yearStem) && Contains(it.value, branch);
  }).value_or(""));
}

template <class Rules>
std::string YearBranchNames(const Rules& rules, std::string_view yearBranch, std::string_view branch,
                            int yearBranchIndex, int luckReverse) {
  // Line 3 holds the forward rule of 元辰, line 4 the backward one.
  const auto used = [&](int n) { return !(n == 3 && luckReverse == 1) && !(n == 4 && luckReverse == 0); };
  auto result = Scan(rules, 14, used, [&](int, const ShenshaItem& it) {
    return Contains(it.key, yearBranch) && Contains(it.value, branch);
  });
  if (!result) return {};
  ExtraChecks(*result, branch, yearBranchIndex);
  return Trim(*result);
}

template <class Rules>
std::string MonthBranchNames(const Rules& rules, std::string_view monthBranch, std::string_view stem,
                             std::string_view branch) {
  return Trim(Scan(rules, 0, AllLines, [&](int, const ShenshaItem& it) {
    return Contains(it.key, monthBranch) && (Contains(it.value, stem) || Contains(it.value, branch));
  }).value_or(""));
}

template <class Rules>
std::string DayStemNames(const Rules& rules, std::string_view dayStem, std::string_view branch) {
  return Trim(Scan(rules, 0, AllLines, [&](int, const ShenshaItem& it) {
    return Contains(it.key, dayStem) && Contains(it.value, branch);
  }).value_or(""));
}

template <class Rules>
std::string DayBranchNames(const Rules& rules, std::string_view dayBranch, std::string_view branch,
                           int dayBranchIndex) {
  auto result = Scan(rules, 7, AllLines, [&](int, const ShenshaItem& it) {
    return Contains(it.key, dayBranch) && Contains(it.value, branch);
  });
  if (!result) return {};
  ExtraChecks(*result, branch, dayBranchIndex);
  return Trim(*result);
}

template <class Rules>
std::string DayPillarNames(const Rules& rules, std::string_view pillar, std::string_view dayPillar) {
  const std::string pillarBranch = Utf8CharAt(pillar, Utf8Length(pillar) - 1);
  return Trim(Scan(rules, 0, AllLines, [&](int line, const ShenshaItem& it) {
    if (line <= 5) return Contains(it.key, pillar) && (Contains(it.value, dayPillar) || it.value.empty());
    return Contains(it.key, pillarBranch) && Contains(it.value, dayPillar);
  }).value_or(""));
}

template <class Rules>
std::string DayPillarExtraNames(const Rules& rules, std::string_view dayPillar, std::string_view hourPillar) {
  return Trim(Scan(rules, 0, AllLines, [&](int, const ShenshaItem& it) {
    return (Contains(it.key, dayPillar) || it.key.empty()) && Contains(it.value, hourPillar);
  }).value_or(""));
}

}  // namespace

std::string ShenshaYearStem(RefDb& db, std::string_view yearStem, std::string_view branch) {
  return YearStemNames(SessionRules(db, "niangan.txt"), yearStem, branch);
}

std::string ShenshaYearBranch(RefDb& db, std::string_view yearBranch, std::string_view branch, int yearBranchIndex,
                              int luckReverse) {
  return YearBranchNames(SessionRules(db, "nianzhi.txt"), yearBranch, branch, yearBranchIndex, luckReverse);
}

std::string ShenshaMonthBranch(RefDb& db, std::string_view monthBranch, std::string_view stem,
                               std::string_view branch) {
  return MonthBranchNames(SessionRules(db, "yuezhi.txt"), monthBranch, stem, branch);
}

std::string ShenshaDayStem(RefDb& db, std::string_view dayStem, std::string_view branch) {
  return DayStemNames(SessionRules(db, "rigan.txt"), dayStem, branch);
}

std::string ShenshaDayBranch(RefDb& db, std::string_view dayBranch, std::string_view branch, int dayBranchIndex) {
  return DayBranchNames(SessionRules(db, "rizhi.txt"), dayBranch, branch, dayBranchIndex);
}

std::string ShenshaDayPillar(RefDb& db, std::string_view pillar, std::string_view dayPillar) {
  return DayPillarNames(SessionRules(db, "rizhu.txt"), pillar, dayPillar);
}

std::string ShenshaDayPillarExtra(RefDb& db, std::string_view dayPillar, std::string_view hourPillar) {
  return DayPillarExtraNames(SessionRules(db, "rizhus.txt"), dayPillar, hourPillar);
}

}  // namespace hehun
