// The records archive: the people and couples the user has charted, kept in
// one SQLite file that is the program's only writable store. Every change is
// one transaction; a second program writing at the same time waits its turn.
//
// For the window: searches return pages (`limit`, continued with `afterId`),
// so a list of 100,000 people shows its first rows at once and fetches more
// as it scrolls; CountMatching gives the total for the status line.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/archive_error.h"
#include "records/archive_file.h"
#include "records/person.h"

struct sqlite3;

namespace hehun::records {

class Statement;
class WriteTransaction;

// Which people a search returns: those whose name, note or tags contain
// `text` (letters in any case), in the order they were saved.
struct PersonQuery {
  std::string text;     // empty: everybody
  int64_t afterId = 0;  // only people with a greater number (the next page)
  int limit = -1;       // at most this many; -1 for all
};

class Archive {
 public:
  // Opens (or creates) the archive; see OpenArchiveFile for what is refused.
  explicit Archive(const std::filesystem::path& path, ArchiveAccess access = ArchiveAccess::kWrite);
  // With other upgrade steps than the program's (tests of the upgrade path).
  Archive(const std::filesystem::path& path, const std::vector<SchemaStep>& steps,
          ArchiveAccess access = ArchiveAccess::kWrite);
  ~Archive();
  Archive(const Archive&) = delete;
  Archive& operator=(const Archive&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // --- people ---
  // Checks the person (ArchiveError kInvalid with the reasons) and saves it
  // with new created/updated times; returns its number.
  int64_t AddPerson(const Person& person);
  // Replaces every field but the number and the creation time.
  void UpdatePerson(const Person& person);
  // Deletes the person and the couples it belongs to.
  void DeletePerson(int64_t id);
  std::optional<Person> FindPerson(int64_t id);
  Person GetPerson(int64_t id);  // ArchiveError kNotFound when missing
  int64_t CountPeople();
  int64_t CountMatching(std::string_view text);
  std::vector<Person> FindPeople(const PersonQuery& query);
  // The same rows one at a time, without holding them all (long lists, export).
  void ForEachPerson(const PersonQuery& query, const std::function<void(const Person&)>& visit);

  // Many additions in one transaction (an import): nothing is kept unless
  // Commit() is called. Other writers wait until the batch ends.
  class Batch {
   public:
    explicit Batch(Archive& archive);
    ~Batch();
    int64_t Add(const Person& person);  // checked as AddPerson
    void Commit();

   private:
    Archive& archive_;
    std::unique_ptr<WriteTransaction> transaction_;
    std::unique_ptr<Statement> insert_;
    int64_t now_;
  };

  // --- couples ---
  // Saves the couple of two people (a man and a woman) and returns its
  // number; a couple saved before keeps its number, and its note when `note`
  // is empty. `matchedOn` records the day of a match in the same change.
  int64_t SaveCouple(int64_t personA, int64_t personB, std::string_view note = "",
                     std::optional<Ymd> matchedOn = std::nullopt);
  std::optional<Couple> FindCouple(int64_t personA, int64_t personB);
  Couple GetCouple(int64_t id);
  void SetCoupleNote(int64_t id, std::string_view note);
  // Records the day the couple was last matched ("YYYY-MM-DD").
  void MarkMatched(int64_t coupleId, const Ymd& day);
  void DeleteCouple(int64_t id);
  // All couples, or those a person belongs to, in the order they were saved.
  std::vector<Couple> ListCouples(int64_t personId = 0);
  int64_t CountCouples();

 private:
  std::filesystem::path path_;
  sqlite3* db_;
};

// The reasons a check refused, joined into one message.
std::string JoinReasons(const std::vector<std::string>& reasons);

}  // namespace hehun::records
