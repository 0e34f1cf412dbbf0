// How the core talks to the user, and how a user action ends early.
//
// Three outcomes exist besides the normal path:
//  - ShowInfo: the modal information box ("提示"), used for validation and
//    notices; the caller decides whether to go on.
//  - Notice: a plain box with the application's title; the action goes on.
//  - the error display: the action stops with an error text (UserError).
//  - a silent stop: the action stops without a message (SilentAbort).
// The two stops are exceptions, caught where each user action starts.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace hehun {

inline constexpr std::string_view kAppTitle = "瑞祺八字合婚配软件";

class Messages {
 public:
  virtual ~Messages() = default;
  virtual void ShowInfo(std::string_view text) = 0;
  virtual void Notice(std::string_view text) = 0;
  virtual void ShowError(std::string_view text) = 0;
};

// Messages kept in memory, for tests and for callers that show them later.
class CapturedMessages : public Messages {
 public:
  struct Entry {
    enum Kind { kInfo, kNotice, kError } kind;
    std::string text;
  };
  void ShowInfo(std::string_view text) override { entries.push_back({Entry::kInfo, std::string(text)}); }
  void Notice(std::string_view text) override { entries.push_back({Entry::kNotice, std::string(text)}); }
  void ShowError(std::string_view text) override { entries.push_back({Entry::kError, std::string(text)}); }
  std::vector<Entry> entries;
};

// The action stops and its error text goes to the error display.
class UserError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A typed text that is not a number or not a date.
class ConversionError : public UserError {
 public:
  using UserError::UserError;
};

// A reference database that cannot be read where the error is not swallowed.
class DatabaseError : public UserError {
 public:
  using UserError::UserError;
};

// The action stops without a message.
struct SilentAbort {};

}  // namespace hehun
