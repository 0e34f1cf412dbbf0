#include "records/csv.h"

namespace hehun::records {

CsvReader::CsvReader(std::string_view text) : text_(text) {
  if (text_.substr(0, kUtf8Bom.size()) == kUtf8Bom) pos_ = kUtf8Bom.size();
}

bool CsvReader::Next(CsvRecord& record) {
  record.fields.clear();
  record.line = line_;
  if (pos_ >= text_.size() || !error_.empty()) return false;
  std::string field;
  bool quoted = false;     // inside a quoted field
  bool wasQuoted = false;  // the current field was quoted and has closed
  while (pos_ < text_.size()) {
    const char c = text_[pos_++];
    if (quoted) {
      if (c == '"') {
        if (pos_ < text_.size() && text_[pos_] == '"') {
          field += '"';
          ++pos_;
        } else {
          quoted = false;
          wasQuoted = true;
        }
      } else {
        if (c == '\n') ++line_;
        field += c;
      }
      continue;
    }
    if (c == ',') {
      record.fields.push_back(std::move(field));
      field.clear();
      wasQuoted = false;
    } else if (c == '\n' || (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n')) {
      if (c == '\r') ++pos_;
      ++line_;
      record.fields.push_back(std::move(field));
      return true;
    } else if (c == '\r' && pos_ >= text_.size()) {
      // a lone CR ending the text: a line end
    } else if (wasQuoted) {
      error_ = "第" + std::to_string(record.line) + "行：引号外有多余的文字（字段中的引号应写成两个）";
      return false;
    } else if (c == '"' && field.empty()) {
      quoted = true;
    } else {
      field += c;  // a quote inside an unquoted field is taken as it stands
    }
  }
  if (quoted) {
    error_ = "第" + std::to_string(record.line) + "行：引号没有闭合";
    return false;
  }
  record.fields.push_back(std::move(field));
  return true;
}

std::string CsvField(std::string_view value) {
  if (value.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(value);
  std::string out = "\"";
  for (char c : value) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string CsvLine(const std::vector<std::string>& fields) {
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) line += ',';
    line += CsvField(fields[i]);
  }
  return line + "\r\n";
}

bool IsUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
    if (extra < 0 || (extra == 1 && c < 0xC2) || (extra == 3 && c > 0xF4))
      return false;
    for (int k = 1; k <= extra; ++k)
      if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    if (extra == 2) {
      const auto d = static_cast<unsigned char>(s[i + 1]);
      if ((c == 0xE0 && d < 0xA0) || (c == 0xED && d >= 0xA0)) return false;
    } else if (extra == 3) {
      const auto d = static_cast<unsigned char>(s[i + 1]);
      if ((c == 0xF0 && d < 0x90) || (c == 0xF4 && d >= 0x90)) return false;
    }
    i += extra + 1;
  }
  return true;
}

}  // namespace hehun::records
