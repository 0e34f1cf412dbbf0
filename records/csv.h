// Comma-separated text as RFC 4180 writes it: fields in double quotes when
// they hold a comma, a quote or a line break, a quote inside doubled.
// The reader also takes bare LF line ends and a UTF-8 byte-order mark.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hehun::records {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

struct CsvRecord {
  std::vector<std::string> fields;
  int line = 0;  // the line of the file the record starts on, from 1
};

class CsvReader {
 public:
  // `text` must outlive the reader; a leading byte-order mark is skipped.
  explicit CsvReader(std::string_view text);
  // Reads the next record; false at the end of the text, or on a fault,
  // which then names the line in `error`.
  bool Next(CsvRecord& record);
  const std::string& error() const { return error_; }

 private:
  std::string_view text_;
  size_t pos_ = 0;
  int line_ = 1;
  std::string error_;
};

// One field as written: quoted only when it must be.
std::string CsvField(std::string_view value);
// One record: fields joined by commas, ended by CRLF.
std::string CsvLine(const std::vector<std::string>& fields);

// True when the bytes are well-formed UTF-8.
bool IsUtf8(std::string_view text);

}  // namespace hehun::records
