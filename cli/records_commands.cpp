#include "cli/records_commands.h"

#include <ctime>
#include <map>
#include <ostream>
#include <set>

#include "refdb/ganzhi.h"
#include "calendar/lunar_calc.h"
#include "cli/script_options.h"
#include "cli/stderr_messages.h"
#include "records/archive.h"
#include "records/csv_transfer.h"
#include "refdb/text.h"
#include "reports/marriage_report.h"

namespace hehun::cli {

namespace {

using records::Archive;
using records::ArchiveError;
using records::Person;

// A command used the wrong way: the message, then exit status 2.
class Misuse : public UserError {
 public:
  using UserError::UserError;
};

// The arguments after "records SUBCOMMAND": options with values, flags, and
// the rest in order.
struct Arguments {
  std::map<std::string, std::string> options;
  std::set<std::string> flags;
  std::vector<std::string> words;
  std::string Option(const std::string& name) const {
    auto it = options.find(name);
    return it == options.end() ? std::string() : it->second;
  }
};

Arguments ReadArguments(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
                        const std::set<std::string>& flagOptions) {
  Arguments a;
  for (size_t i = 2; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word.rfind("--", 0) != 0) {
      a.words.push_back(word);
    } else if (flagOptions.count(word)) {
      a.flags.insert(word);
    } else if (valueOptions.count(word) || word == "--db") {
      if (i + 1 >= args.size()) throw Misuse("参数 " + word + " 缺少取值");
      a.options[word] = args[++i];
    } else {
      throw Misuse("无法识别的参数：" + word);
    }
  }
  return a;
}

std::filesystem::path ArchivePath(const Arguments& a) {
  const std::string db = a.Option("--db");
  return db.empty() ? records::DefaultArchivePath() : std::filesystem::path(db);
}

int64_t ReadId(const std::string& text) {
  int64_t id = 0;
  const std::string t = Trim(text);
  for (char c : t) {
    if (c < '0' || c > '9' || id > 1'000'000'000'000LL) throw UserError("编号" + QuoteTyped(text) + "不是有效的编号");
    id = id * 10 + (c - '0');
  }
  if (t.empty() || id == 0) throw UserError("编号" + QuoteTyped(text) + "不是有效的编号");
  return id;
}

std::string DateTimeOf(int64_t unixSeconds) {
  const std::time_t t = static_cast<std::time_t>(unixSeconds);
  std::tm local{};
  localtime_r(&t, &local);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M", &local);
  return buf;
}

Ymd Today(const Arguments& a) {
  const std::string given = a.Option("--today");
  if (!given.empty()) return DecodeDate(ParseDateText(given));
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

// The first line of a note, cut for a one-line list.
std::string NoteHead(const std::string& note) {
  const std::string first = ReplaceAll(note.substr(0, note.find('\n')), "\t", " ");
  return Utf8Length(first) > 30 ? Utf8Mid(first, 0, 30) + "…" : first;
}

// The date in the other calendar: 农历 for a Gregorian birth and the reverse.
// What the user typed into a record is printed as typed, also in Traditional.
void KeepStoredTexts(const Person& p) {
  KeepAsTyped(p.name);
  KeepAsTyped(p.place);
  KeepAsTyped(p.note);
  KeepAsTyped(NoteHead(p.note));
  for (const auto& tag : p.tags) KeepAsTyped(tag);
}

std::string OtherCalendarDate(const Person& p) {
  const Ymd solar = records::SolarBirthDate(p);
  if (p.lunar) return "公历" + FormatYmd(solar);
  const LunarDate l = SolarToLunar(EncodeDate(solar.year, solar.month, solar.day));
  return "农历" + std::to_string(l.Year) + "年" + LunarMonthName(l.Month, l.IsLeap) + LunarDayName(l.Day);
}

std::string Usage() {
  return "用法：\n" + RecordsUsage();
}

int Add(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
  const Arguments a = ReadArguments(args, {"--name", "--sex", "--date", "--time", "--place", "--blood", "--note", "--tags"},
                                    {"--lunar", "--leap"});
  for (const char* required : {"--name", "--sex", "--date", "--time"})
    if (!a.options.count(required)) throw Misuse("缺少参数 " + std::string(required) + "\n" + Usage());
  records::PersonTexts texts{a.Option("--name"), a.Option("--sex"), a.flags.count("--lunar") ? "农历" : "公历",
                             a.Option("--date"), a.Option("--time"), a.flags.count("--leap") ? "1" : "0",
                             a.Option("--place"), a.Option("--blood"), a.Option("--note"), a.Option("--tags")};
  Person person;
  const auto reasons = records::ReadPerson(texts, person);
  if (!reasons.empty()) throw UserError(records::JoinReasons(reasons));
  Archive archive(ArchivePath(a));
  out << archive.AddPerson(person) << '\n';
  return 0;
}

int List(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
  const Arguments a = ReadArguments(args, {"--find"}, {});
  if (!a.words.empty()) throw Misuse("无法识别的参数：" + a.words[0]);
  Archive archive(ArchivePath(a), records::ArchiveAccess::kRead);
  std::string text;
  archive.ForEachPerson({a.Option("--find")}, [&](const Person& p) {
    const auto t = records::TextsOf(p);
    KeepStoredTexts(p);
    text += std::to_string(p.id) + '\t' + t.name + '\t' + t.sex + '\t' + t.calendar + '\t' + t.date + '\t' + t.time +
            '\t' + t.leap + '\t' + t.place + '\t' + t.blood + '\t' + t.tags + '\t' + NoteHead(p.note) + '\n';
  });
  // Printed only once the whole list was read: damage met half-way gives the
  // error alone, not a list that looks complete.
  out << text;
  return 0;
}

int Show(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
  const Arguments a = ReadArguments(args, {}, {});
  if (a.words.size() != 1) throw Misuse("用法：hehun-cli records show 编号 [--db 文件]");
  Archive archive(ArchivePath(a), records::ArchiveAccess::kRead);
  const Person p = archive.GetPerson(ReadId(a.words[0]));
  KeepStoredTexts(p);
  std::string text = "编号：" + std::to_string(p.id) + "\n姓名：" + p.name + "\n性别：" + p.sex +
                     "\n出生：" + records::CalendarName(p.lunar) + (p.leapMonth ? "（闰月）" : "") + " " +
                     records::BirthDateText(p) + " " + records::BirthTimeText(p) + "\n对应：" + OtherCalendarDate(p) +
                     "\n出生地：" + p.place + "\n血型：" + p.blood + "\n标签：" + records::JoinTags(p.tags) +
                     "\n备注：" + p.note + "\n建立：" + DateTimeOf(p.createdAt) + "\n修改：" + DateTimeOf(p.updatedAt) +
                     "\n";
  for (const auto& c : archive.ListCouples(p.id)) {
    const auto partner = archive.FindPerson(c.firstId == p.id ? c.secondId : c.firstId);
    if (partner) KeepStoredTexts(*partner);
    KeepAsTyped(c.note);
    KeepAsTyped(NoteHead(c.note));
    text += "合婚：与" + (partner ? partner->name : std::string("？")) + "（编号" +
            std::to_string(partner ? partner->id : 0) + "）" +
            (c.lastMatched.empty() ? "" : "，最近合婚于" + c.lastMatched) + (c.note.empty() ? "" : "，" + c.note) + "\n";
  }
  out << text;
  return 0;
}

int Delete(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
  const Arguments a = ReadArguments(args, {}, {});
  if (a.words.size() != 1) throw Misuse("用法：hehun-cli records delete 编号 [--db 文件]");
  const int64_t id = ReadId(a.words[0]);
  Archive archive(ArchivePath(a));
  const Person p = archive.GetPerson(id);
  archive.DeletePerson(id);
  KeepAsTyped(p.name);
  out << "已删除编号" << id << "（" << p.name << "）\n";
  return 0;
}

int Count(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
  const Arguments a = ReadArguments(args, {}, {});
  if (!a.words.empty()) throw Misuse("无法识别的参数：" + a.words[0]);
  Archive archive(ArchivePath(a), records::ArchiveAccess::kRead);
  out << archive.CountPeople() << '\n';
  return 0;
}

// A saved person as the controls of a birth row would hold it: the
// Gregorian date (a lunar birth, leap months included, converted first) and
// the hour item "辰 8" of the hour list.
BirthRowTexts BirthRowOf(const Person& p) {
  const Ymd solar = records::SolarBirthDate(p);
  return {p.name,
          0,
          std::to_string(solar.year),
          std::to_string(solar.month),
          std::to_string(solar.day),
          std::string(kCalendarBranches[((p.hour + 1) / 2) % 12]) + " " + std::to_string(p.hour),
          std::to_string(p.minute)};
}

int CoupleReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Arguments a = ReadArguments(args, {"--today", "--note"}, {});
  if (a.words.size() != 2)
    throw Misuse("用法：hehun-cli records couple 编号 编号 [--today YYYY-MM-DD] [--note 文本] [--db 文件]");
  const int64_t idA = ReadId(a.words[0]), idB = ReadId(a.words[1]);
  const Ymd today = Today(a);
  Archive archive(ArchivePath(a));
  const Person first = archive.GetPerson(idA), second = archive.GetPerson(idB);
  KeepStoredTexts(first);
  KeepStoredTexts(second);
  if (idA == idB) throw UserError("合婚需要两个不同的人");
  if (first.sex == second.sex)
    throw UserError("“" + first.name + "”和“" + second.name + "”同为" + first.sex + "性，合婚需一男一女");
  const Person& man = first.sex == "男" ? first : second;
  const Person& woman = first.sex == "男" ? second : first;

  StderrMessages messages(err);
  RefDb db;
  ReportArea area;
  MarriageHiddenLists hidden;
  int status = 0;
  try {
    const ReportResult r = RunMarriageReport(BirthRowOf(man), BirthRowOf(woman), area, hidden, messages, db, today);
    status = r.end == ReportEnd::kComplete ? 0 : 1;
  } catch (const SilentAbort&) {
    status = 2;
  } catch (const ArchiveError&) {
    throw;
  } catch (const UserError& e) {
    err << e.what() << '\n';
    status = 1;
  }
  std::string text;
  for (const auto& line : area.lines()) text += line + "\n";
  out << text;
  if (status == 0) archive.SaveCouple(idA, idB, a.Option("--note"), today);
  return status;
}

int Couples(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
  const Arguments a = ReadArguments(args, {}, {});
  if (!a.words.empty()) throw Misuse("无法识别的参数：" + a.words[0]);
  Archive archive(ArchivePath(a), records::ArchiveAccess::kRead);
  std::string text;
  for (const auto& c : archive.ListCouples()) {
    const Person x = archive.GetPerson(c.firstId), y = archive.GetPerson(c.secondId);
    KeepStoredTexts(x);
    KeepStoredTexts(y);
    KeepAsTyped(c.note);
    KeepAsTyped(NoteHead(c.note));
    text += std::to_string(c.id) + '\t' + std::to_string(x.id) + '\t' + x.name + '\t' + std::to_string(y.id) + '\t' +
            y.name + '\t' + c.lastMatched + '\t' + NoteHead(c.note) + '\n';
  }
  out << text;
  return 0;
}

int Export(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
  const Arguments a = ReadArguments(args, {}, {});
  if (a.words.size() != 1) throw Misuse("用法：hehun-cli records export 文件.csv [--db 文件]");
  Archive archive(ArchivePath(a), records::ArchiveAccess::kRead);
  const int64_t count = records::ExportPeopleCsv(archive, a.words[0]);
  out << "已导出" << count << "人到“" << a.words[0] << "”\n";
  return 0;
}

int Import(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Arguments a = ReadArguments(args, {}, {"--skip-bad"});
  if (a.words.size() != 1) throw Misuse("用法：hehun-cli records import 文件.csv [--skip-bad] [--db 文件]");
  Archive archive(ArchivePath(a));
  const auto result = records::ImportPeopleCsv(archive, a.words[0], a.flags.count("--skip-bad") > 0);
  std::string lines;
  for (const auto& r : result.refused) lines += r + "\n";
  if (!result.committed) {
    err << "未导入任何人：“" << a.words[0] << "”中有" << result.refused.size() << "处错误\n" << lines;
    return 1;
  }
  out << "已导入" << result.added << "人\n";
  if (!result.refused.empty()) err << "跳过" << result.refused.size() << "行：\n" << lines;
  return 0;
}

using Handler = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

const std::map<std::string, Handler>& Handlers() {
  static const std::map<std::string, Handler> handlers = {
      {"add", Add},       {"list", List},     {"show", Show},       {"delete", Delete}, {"count", Count},
      {"couple", CoupleReport}, {"couples", Couples}, {"export", Export}, {"import", Import},
  };
  return handlers;
}

}  // namespace

std::string RecordsUsage() {
  return "  records add --name 姓名 --sex 男|女 --date YYYY-MM-DD --time HH:MM [--lunar] [--leap] [--place 出生地]\n"
         "              [--blood A|B|O|AB] [--note 备注] [--tags 标签,标签]   存入档案，输出编号\n"
         "  records list [--find 文字]   列出档案中的人（按姓名、备注、标签查找）\n"
         "  records show 编号 | records delete 编号 | records count\n"
         "  records couple 编号 编号 [--today YYYY-MM-DD] [--note 备注]   两人的八字合婚报告，并记下合婚日期\n"
         "  records couples             列出合婚记录\n"
         "  records export 文件.csv | records import 文件.csv [--skip-bad]   CSV导出、导入（UTF-8）\n"
         "  每个 records 命令都可加 --db 文件 指定档案文件（默认为用户数据文件夹中的 records.db）\n";
}

int RecordsCommand(const std::vector<std::string>& args, std::istream&, std::ostream& out, std::ostream& err) {
  if (args.size() < 2) {
    err << Usage();
    return 2;
  }
  auto it = Handlers().find(args[1]);
  if (it == Handlers().end()) {
    err << "未知的 records 命令：" << args[1] << "\n" << Usage();
    return 2;
  }
  try {
    return it->second(args, out, err);
  } catch (const Misuse& e) {
    err << e.what() << '\n';
    return 2;
  } catch (const ArchiveError& e) {
    err << e.what();
    if (e.kind() == ArchiveError::kDamaged || e.kind() == ArchiveError::kForeign || e.kind() == ArchiveError::kTooNew)
      err << "。文件未作任何改动";
    if (e.kind() == ArchiveError::kDamaged) err << "；可在程序窗口中把它改名保存后新建档案";
    err << '\n';
    return 1;
  }
}

}  // namespace hehun::cli
