#include "bazi/shensha.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>

#include "calendar/ganzhi.h"
#include "refdb/gbk.h"
#include "refdb/messages.h"
#include "refdb/refdb.h"
#include "refdb/text.h"

namespace hehun {

namespace {

constexpr size_t kMaxItems = 21;
constexpr int kValueBytes = 10;

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

using ItemTest = std::function<bool(int lineNumber, const ShenshaItem& item)>;

// The common scan: every used line, every item that passes the test adds the
// line's name once. An empty file gives no result at all.
std::optional<std::string> Scan(std::string_view fileName, ShenshaBuffer& buffer, int lastLine,
                                const std::function<bool(int)>& lineUsed, const ItemTest& test) {
  LoadShenshaRules(fileName, buffer);
  if (buffer.empty()) return std::nullopt;
  std::string result;
  for (size_t i = 0; i < buffer.size(); ++i) {
    const int lineNumber = static_cast<int>(i) + 1;
    if (lastLine > 0 && lineNumber > lastLine) break;
    if (!lineUsed(lineNumber)) continue;
    const ShenshaRuleLine rule = ParseShenshaRuleLine(buffer[i]);
    for (const auto& item : rule.items)
      if (test(lineNumber, item)) result += " " + rule.name;
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
  std::string rest = nameField.empty() ? Trim(line) : Trim(ReplaceAll(std::string(line), nameField, ""));
  std::vector<std::string> items;
  while (items.size() < kMaxItems) {
    const size_t comma = rest.find(',');
    if (comma == std::string::npos) {
      items.push_back(rest);
      break;
    }
    items.push_back(rest.substr(0, comma));
    rest = Trim(rest.substr(comma + 1));
  }
  for (const auto& item : items) {
    if (Trim(item).empty()) continue;
    rule.items.push_back(ParseItem(item));
  }
  return rule;
}

void LoadShenshaRules(std::string_view fileName, ShenshaBuffer& buffer) {
  buffer.clear();
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
    buffer.push_back(line);
  }
}

std::string GanZhiName(int index, bool isBranch) {
  if (isBranch) return index >= 0 && index < 12 ? std::string(kCalendarBranches[index]) : std::string();
  return index >= 0 && index < 10 ? std::string(kCalendarStems[index]) : std::string();
}

std::string ShenshaYearStem(std::string_view yearStem, std::string_view branch, ShenshaBuffer& buffer) {
  return Trim(Scan("niangan.txt", buffer, 0, AllLines, [&](int, const ShenshaItem& it) {
    return Contains(it.key, yearStem) && Contains(it.value, branch);
  }).value_or(""));
}

std::string ShenshaYearBranch(std::string_view yearBranch, std::string_view branch, int yearBranchIndex,
                              int luckReverse, ShenshaBuffer& buffer) {
  // Line 3 holds the forward rule of 元辰, line 4 the backward one.
  const auto used = [&](int n) { return !(n == 3 && luckReverse == 1) && !(n == 4 && luckReverse == 0); };
  auto result = Scan("nianzhi.txt", buffer, 14, used, [&](int, const ShenshaItem& it) {
    return Contains(it.key, yearBranch) && Contains(it.value, branch);
  });
  if (!result) return {};
  ExtraChecks(*result, branch, yearBranchIndex);
  return Trim(*result);
}

std::string ShenshaMonthBranch(std::string_view monthBranch, std::string_view stem, std::string_view branch,
                               ShenshaBuffer& buffer) {
  return Trim(Scan("yuezhi.txt", buffer, 0, AllLines, [&](int, const ShenshaItem& it) {
    return Contains(it.key, monthBranch) && (Contains(it.value, stem) || Contains(it.value, branch));
  }).value_or(""));
}

std::string ShenshaDayStem(std::string_view dayStem, std::string_view branch, ShenshaBuffer& buffer) {
  return Trim(Scan("rigan.txt", buffer, 0, AllLines, [&](int, const ShenshaItem& it) {
    return Contains(it.key, dayStem) && Contains(it.value, branch);
  }).value_or(""));
}

std::string ShenshaDayBranch(std::string_view dayBranch, std::string_view branch, int dayBranchIndex,
                             ShenshaBuffer& buffer) {
  auto result = Scan("rizhi.txt", buffer, 7, AllLines, [&](int, const ShenshaItem& it) {
    return Contains(it.key, dayBranch) && Contains(it.value, branch);
  });
  if (!result) return {};
  ExtraChecks(*result, branch, dayBranchIndex);
  return Trim(*result);
}

std::string ShenshaDayPillar(std::string_view pillar, std::string_view dayPillar, ShenshaBuffer& buffer) {
  const std::string pillarBranch = Utf8CharAt(pillar, Utf8Length(pillar) - 1);
  return Trim(Scan("rizhu.txt", buffer, 0, AllLines, [&](int line, const ShenshaItem& it) {
    if (line <= 5) return Contains(it.key, pillar) && (Contains(it.value, dayPillar) || it.value.empty());
    return Contains(it.key, pillarBranch) && Contains(it.value, dayPillar);
  }).value_or(""));
}

std::string ShenshaDayPillarExtra(std::string_view dayPillar, std::string_view hourPillar, ShenshaBuffer& buffer) {
  return Trim(Scan("rizhus.txt", buffer, 0, AllLines, [&](int, const ShenshaItem& it) {
    return (Contains(it.key, dayPillar) || it.key.empty()) && Contains(it.value, hourPillar);
  }).value_or(""));
}

}  // namespace hehun
