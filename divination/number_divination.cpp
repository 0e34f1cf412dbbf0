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

bool IsMobileNumber(std::string_view number) {
  if (number.size() != 11) return false;
  for (char c : number)
    if (c < '0' || c > '9') return false;
  return true;
}

std::string shoujiinfostr(std::string_view number) {
  if (!IsMobileNumber(number)) return {};
  const int lastFour = std::stoi(std::string(number.substr(7)));
  const int r = lastFour % 80;
  return std::to_string(r == 0 ? 80 : r);
}

NumberResult MobileFortune(RefDb& db, std::string_view number) {
  const std::string key = shoujiinfostr(number);
  if (key.empty()) throw ConversionError(QuoteTyped(number) + "不是11位手机号码");
  NumberResult result{std::string(number), "", "", ""};
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
  if (kind == NumberKind::kMobile) {
    if (!IsMobileNumber(number)) {
      messages.ShowInfo(TextsOf(kind).emptyMessage);
      return std::nullopt;
    }
    return MobileFortune(db, number);
  }
  if (ParseInt64Text(number) <= 0) {
    messages.ShowInfo(kNumber81Refusal);
    return std::nullopt;
  }
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
