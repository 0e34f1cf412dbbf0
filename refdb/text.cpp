#include "refdb/text.h"

namespace hehun {

namespace {
bool IsBlank(unsigned char c) { return c <= 0x20; }

int SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;  // stray byte: keep it as a character of its own
}
}  // namespace

std::string TrimLeft(std::string_view s) {
  size_t b = 0;
  while (b < s.size() && IsBlank(static_cast<unsigned char>(s[b]))) ++b;
  return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
  size_t e = s.size();
  while (e > 0 && IsBlank(static_cast<unsigned char>(s[e - 1]))) --e;
  return std::string(s.substr(0, e));
}

std::string Trim(std::string_view s) { return TrimLeft(TrimRight(s)); }

std::vector<std::string> Utf8Chars(std::string_view s) {
  std::vector<std::string> out;
  for (size_t i = 0; i < s.size();) {
    size_t n = SequenceLength(static_cast<unsigned char>(s[i]));
    if (i + n > s.size()) n = s.size() - i;
    out.emplace_back(s.substr(i, n));
    i += n;
  }
  return out;
}

int Utf8Length(std::string_view s) {
  int n = 0;
  for (size_t i = 0; i < s.size(); i += SequenceLength(static_cast<unsigned char>(s[i]))) ++n;
  return n;
}

std::string Utf8Mid(std::string_view s, int from, int count) {
  if (from < 0 || count <= 0) return {};
  size_t i = 0;
  for (int k = 0; k < from && i < s.size(); ++k) i += SequenceLength(static_cast<unsigned char>(s[i]));
  if (i >= s.size()) return {};
  size_t j = i;
  for (int k = 0; k < count && j < s.size(); ++k) j += SequenceLength(static_cast<unsigned char>(s[j]));
  if (j > s.size()) j = s.size();
  return std::string(s.substr(i, j - i));
}

std::string Utf8CharAt(std::string_view s, int index) { return Utf8Mid(s, index, 1); }

bool Contains(std::string_view text, std::string_view part) {
  if (text.empty() || part.empty()) return false;
  return text.find(part) != std::string_view::npos;
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  if (from.empty()) return text;
  size_t pos = 0;
  while ((pos = text.find(from, pos)) != std::string::npos) {
    text.replace(pos, from.size(), to);
    pos += to.size();
  }
  return text;
}

std::string QuoteTyped(std::string_view typed) {
  constexpr int kShown = 24;
  if (Utf8Length(typed) <= kShown) return "“" + std::string(typed) + "”";
  return "“" + Utf8Mid(typed, 0, kShown) + "…”";
}

std::string Utf8Encode(char32_t cp) {
  std::string out;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return out;
}

}  // namespace hehun
