// The one error of the records archive: a Chinese message for the user and
// the kind of trouble, so that the window can offer the right way out (a
// damaged file can be moved aside; a busy one retried later).
#pragma once

#include "refdb/messages.h"

namespace hehun::records {

class ArchiveError : public UserError {
 public:
  enum Kind {
    kInvalid,     // a person, couple or file row that fails its checks
    kNotFound,    // no record under that number
    kDamaged,     // not a database, or failing its integrity check
    kForeign,     // a database, but not an archive of this program
    kTooNew,      // written by a newer version of the program
    kBusy,        // another program held the archive past the busy timeout
    kFailed,      // anything else: disk full, no permission, …
  };
  ArchiveError(Kind kind, const std::string& message) : UserError(message), kind_(kind) {}
  Kind kind() const { return kind_; }

 private:
  Kind kind_;
};

}  // namespace hehun::records
