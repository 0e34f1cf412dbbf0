#include "refdb/line_sink.h"

namespace hehun {

void LineSink::Add(std::string_view text) {
  size_t start = 0;
  while (true) {
    size_t nl = text.find('\n', start);
    std::string_view part = text.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start);
    if (!part.empty() && part.back() == '\r') part.remove_suffix(1);
    AppendLine(std::string(part));
    if (nl == std::string_view::npos) break;
    start = nl + 1;
  }
}

std::string LineList::Text() const {
  std::string text;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (i) text += '\n';
    text += lines_[i];
  }
  return text;
}

void LineList::AppendTo(LineSink& target) const {
  for (const auto& line : lines_) target.Add(line);
  target.Add("");
}

}  // namespace hehun
