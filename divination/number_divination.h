// The folder divination/ stands on bazi/ and below, beside almanac/ and
// knowledge/: number fortunes, nickname analysis, folk omens and the
// conception table.
//
// The three number divinations: a mobile-phone number (table `shouji` of
// BookFile.dll), a QQ account number and any other number (the 81-number
// table). Each shows four rows: the number, its state, its grade and the
// detail text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "refdb/messages.h"
#include "refdb/refdb.h"
#include "refdb/line_sink.h"

namespace hehun {

enum class NumberKind { kMobile, kQq, kAny };

// The fixed texts of one kind of number divination.
struct NumberKindTexts {
  std::string_view windowCaption;  // "手机号码测算"
  std::string_view inputCaption;   // "输入号码："
  std::string_view numberCaption;  // "手机号码是："
  std::string_view emptyMessage;   // shown when no number (or no 11-digit mobile number) was typed
  int maxLength;                   // characters the edit box holds
};
const NumberKindTexts& TextsOf(NumberKind kind);

// Captions of the other three result rows, the same for every kind.
inline constexpr std::string_view kStateCaption = "状态：";
inline constexpr std::string_view kGradeCaption = "吉凶：";
inline constexpr std::string_view kDetailCaption = "具体表现：";

struct NumberResult {
  std::string number, state, grade, detail;
};

// Whether a text is a mobile number: exactly 11 ASCII digits.
bool IsMobileNumber(std::string_view number);

// The `shouji` key of a mobile number: its last four digits read as an
// integer, modulo 80, a remainder of 0 counting as 80 as the number tables
// count it ("1" to "80"); empty when the text is not a mobile number.
std::string shoujiinfostr(std::string_view number);

// The mobile fortune of an 11-digit number: the row of `shouji` for its key
// (empty texts when there is none). Throws ConversionError for a text that is
// not a mobile number and SilentAbort when the table cannot be read.
NumberResult MobileFortune(RefDb& db, std::string_view number);

// The QQ and any-number fortune of a trimmed, non-empty number text. Throws
// ConversionError when the text is not a decimal integer.
NumberResult NumberFortune(std::string_view number);

// One calculation as the dialogs run it: the typed text is trimmed; an
// empty text shows the kind's message and gives no result, and so does a
// mobile number of other than 11 digits. A QQ or other number of 0 or less
// shows the 81-number refusal and gives no result.
std::optional<NumberResult> RunNumberDivination(NumberKind kind, std::string_view typed, RefDb& db,
                                                Messages& messages);

// The four result rows: caption, a tab, value.
void WriteNumberRows(LineSink& sink, NumberKind kind, const NumberResult& result);

}  // namespace hehun
