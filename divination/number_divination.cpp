#include "divination/number_divination.h"

#include "divination/number81.h"
#include "refdb/text.h"

namespace hehun {

namespace {

constexpr NumberKindTexts kKinds[] = {
    {"手机号码测算", "输入号码：", "手机号码是：", "请输入11位手机号码！", 11},
    {"QQ号码测试", "QQ号码：", "qq号码是：", "请输入你的QQ号码！", 18},
    {"任意号码分析", "任意号码：", "输入号码是：", "请输入你的号码！", 18},
};
static_assert(std::size(kKinds) == 3);

}  // namespace

const NumberKindTexts& TextsOf(NumberKind kind) { return kKinds[static_cast<int>(kind)]; }

std::string shoujiinfostr(std::string_view number) {
  const std::string tail = Utf8Mid(number, 7, Utf8Length(number));
  if (tail.empty()) return "0";
  std::int64_t q = 0;
  try {
    q = ParseInt64Text(tail);
  } catch (const ConversionError&) {
    return "0";
  }
  return std::to_string(q % 80);
}

NumberResult MobileFortune(RefDb& db, std::string_view number) {
  NumberResult result{std::string(number), "", "", ""};
  const std::string key = shoujiinfostr(number);
  if (key == "0") {
    result.state = "超吉";
    result.grade = "超吉";
    result.detail = "超吉不做详细评论";
    return result;
  }
  const Row row = db.First(AbortSilently{}, RefFile::kBookFile,
                           "SELECT title, jx, content FROM shouji WHERE num = ? ORDER BY rowid LIMIT 1", {key});
  result.state = row.Text(size_t{0});
  result.grade = row.Text(size_t{1});
  result.detail = row.Text(size_t{2});
  return result;
}

NumberResult NumberFortune(std::string_view number) {
  FortuneFields f = SplitFortune(Number81Fortune(number));
  return {std::string(number), std::move(f.state), std::move(f.grade), std::move(f.detail)};
}

std::optional<NumberResult> RunNumberDivination(NumberKind kind, std::string_view typed, RefDb& db,
                                                Messages& messages) {
  const std::string number = Trim(typed);
  if (number.empty()) {
    messages.ShowInfo(TextsOf(kind).emptyMessage);
    return std::nullopt;
  }
  if (kind == NumberKind::kMobile) return MobileFortune(db, number);
  return NumberFortune(number);
}

void WriteNumberRows(LineSink& sink, NumberKind kind, const NumberResult& result) {
  const auto row = [&](std::string_view caption, const std::string& value) {
    sink.Add(std::string(caption) + "\t" + value);
  };
  row(TextsOf(kind).numberCaption, result.number);
  row(kStateCaption, result.state);
  row(kGradeCaption, result.grade);
  row(kDetailCaption, result.detail);
}

}  // namespace hehun
