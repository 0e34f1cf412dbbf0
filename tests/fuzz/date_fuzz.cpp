// Date texts and birth-data rows as typed: the date, date-time and integer
// readers, and the reading of a whole birth row (fields separated by
// newlines: name, calendar, year, month, day, hour item, minute).
#include <string>

#include "calendar/date.h"
#include "fuzz_support.h"
#include "refdb/messages.h"
#include "calendar/birth_row.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace hehun;
  const std::string_view text = fuzz::AsText(data, size);

  try {
    const DateValue d = ParseDateText(text);
    fuzz::Expect(ParseDateText(FormatDate(d)) == d, "a date read back from its text is the same date", text);
    const Ymd ymd = DecodeDate(d);
    fuzz::Expect(IsValidYmd(ymd.year, ymd.month, ymd.day), "a date read is a valid date", text);
    const Ymd later = AddMonths(ymd, static_cast<int>(size % 25) - 12);
    fuzz::Expect(later.day >= 1 && later.day <= DaysInMonth(later.year, later.month), "months added stay valid",
                 text);
  } catch (const ConversionError&) {
  }
  try {
    const DateValue d = ParseDateTimeText(text);
    fuzz::Expect(FormatDateTime(d) == text, "a stored date-time reads back as itself", text);
  } catch (const ConversionError&) {
  }
  try {
    ParseIntText(text);
  } catch (const ConversionError&) {
  }

  const auto fields = fuzz::Split(text, '\n', 7);
  if (fields.size() == 7) {
    BirthRowTexts row;
    row.name = fields[0];
    row.calendarIndex = fields[1] == "1" ? 1 : 0;
    row.year = fields[2];
    row.month = fields[3];
    row.day = fields[4];
    row.hour = fields[5];
    row.minute = fields[6];
    CapturedMessages messages;
    BirthRow read;
    try {
      const RowCheck check = ReadBirthRow(row, ManRowMessages(), "男方", messages, read);
      fuzz::Expect((check == RowCheck::kOk) == messages.entries.empty(), "an empty field shows its message", text);
      if (check == RowCheck::kOk) {
        const DateValue d = ParseDateText(read.dateText);
        fuzz::Expect(d >= EncodeDate(1900, 1, 31) && d <= EncodeDate(2100, 12, 31), "the date is in range", text);
      }
    } catch (const ConversionError&) {
    }
  }
  return 0;
}
