#include "divination/character_element.h"

#include "divination/hanzi_table.h"
#include "refdb/text.h"

namespace hehun {

namespace {

std::string BasisText(const HanziRecord& r) {
  switch (BasisOf(r)) {
    case ElementBasis::kRadical:
      return "部首“" + std::string(RadicalCharacter(r.radical)) + "”属" + std::string(ElementName(r.element));
    case ElementBasis::kTone:
      return "字音属" + std::string(r.tone) + "，" + r.tone + "属" + std::string(ElementName(r.element));
    case ElementBasis::kException:
      return r.note;
    case ElementBasis::kStrokes:
      return "依笔画数理";
  }
  return "";
}

}  // namespace

std::string CharacterElementLine(const HanziRecord& r) {
  std::string line = CodeToUtf8(r.code);
  if (r.traditional != r.code) line += "（" + CodeToUtf8(r.traditional) + "）";
  line += "\t康熙笔画 " + std::to_string(r.kangxiStrokes);
  line += "\t五行 " + std::string(ElementName(r.element)) + "（" + BasisText(r) + "）";
  line += "\t拼音 " + std::string(*r.pinyin ? r.pinyin : "—");
  line += "\t部首 " + std::string(RadicalCharacter(r.radical));
  if (*r.note && BasisOf(r) != ElementBasis::kException) line += "\t说明 " + std::string(r.note);
  return line;
}

bool CharacterElementReport(std::string_view text, Messages& messages, LineSink& out) {
  std::vector<const HanziRecord*> records;
  int count = 0;
  for (const std::string& c : Utf8Chars(text)) {
    if (Trim(c).empty() || c == "　") continue;
    const HanziRecord* r = FindHanzi(c);
    if (r == nullptr) {
      messages.ShowInfo("只能查询汉字：" + QuoteTyped(Trim(text)) + "中的“" + c + "”不是汉字");
      return false;
    }
    records.push_back(r);
    ++count;
  }
  if (records.empty()) {
    messages.ShowInfo("请输入要查询的汉字！");
    return false;
  }
  if (count > kElementTextMaxChars) {
    messages.ShowInfo("一次最多查询" + std::to_string(kElementTextMaxChars) + "个汉字");
    return false;
  }
  for (const HanziRecord* r : records) out.Add(CharacterElementLine(*r));
  return true;
}

}  // namespace hehun
