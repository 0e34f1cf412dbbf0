// 文字五行: for each character of a text (e.g. a name) its 康熙 stroke
// count as naming practice counts it, its five element by the naming rule,
// its pinyin and its radical.
//
// The count is that of the traditional form with the radical written in
// full (氵 as 水 4, 扌 as 手 4, 忄 as 心 4, 艹 as 艸 6, 阝 as 阜 8 on the left
// and 邑 7 on the right, 王 as 玉 5, 月 for flesh as 肉 6, 礻 as 示 5, 衤 as
// 衣 6, 辶 as 辵 7 ...). The element is that of the radical where the radical
// belongs to an element, otherwise that of the initial by the five tones
// (唇音 水, 舌音 火, 牙音 木, 齿音 金, 喉音 土); a table of exceptions in
// data/folk corrects the characters where naming dictionaries differ from
// the rule.
#pragma once

#include <string>
#include <string_view>

#include "refdb/messages.h"
#include "refdb/line_sink.h"

namespace hehun {

// Characters the dialog takes at most.
inline constexpr int kElementTextMaxChars = 20;

struct HanziRecord;

// The result line of one character:
// "林  康熙笔画 8  五行 木（部首属木）  拼音 lín  部首 木". The traditional
// form is named where it differs ("华（華）").
std::string CharacterElementLine(const HanziRecord& record);

// What the dialog and the command line run: blanks are ignored; an empty
// text, a character other than a Chinese one, or more than
// kElementTextMaxChars characters show a message and return false.
bool CharacterElementReport(std::string_view text, Messages& messages, LineSink& out);

}  // namespace hehun
