// Where report lines go. A sink appends one line at a time; a text holding
// line breaks appends its lines. A LineList keeps its lines (the hidden lists
// of the reports) and can hand them over whole.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hehun {

class LineSink {
 public:
  virtual ~LineSink() = default;
  // Appends the text as one line, or as several when it holds line breaks.
  void Add(std::string_view text);

 protected:
  virtual void AppendLine(std::string line) = 0;
};

class LineList : public LineSink {
 public:
  void Clear() { lines_.clear(); }
  const std::vector<std::string>& lines() const { return lines_; }
  // The whole text: the lines joined by line breaks.
  std::string Text() const;
  // Appends this list's lines to another sink, then one empty line.
  void AppendTo(LineSink& target) const;

 protected:
  void AppendLine(std::string line) override { lines_.push_back(std::move(line)); }

 private:
  std::vector<std::string> lines_;
};

}  // namespace hehun
