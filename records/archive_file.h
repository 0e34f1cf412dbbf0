// The archive file itself: where it lives, how it is opened without ever
// changing a file that is not a sound archive of this program, the schema
// versions and their upgrade steps, and the two copies kept beside the file
// (before an upgrade, and a damaged file moved aside).
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

struct sqlite3;

namespace hehun::records {

// The archive's file name inside the application's data folder.
inline constexpr const char* kArchiveFileName = "records.db";

// Marks an archive of this program in its header (PRAGMA application_id),
// so that another SQLite file, a reference database above all, is refused
// instead of being given the archive's tables.
inline constexpr int32_t kArchiveApplicationId = 0x48485243;  // "HHRC"

// One upgrade step: statements that bring the schema from `version - 1` to
// `version`. Version 0 is the empty file.
struct SchemaStep {
  int version;
  const char* sql;
};

// The steps of this program, in order; the last one's version is current.
const std::vector<SchemaStep>& ArchiveSchemaSteps();

// The folder the window's QStandardPaths::AppDataLocation names on Linux
// (checked against Qt 6.4): the XDG data home ($XDG_DATA_HOME when set,
// otherwise ~/.local/share) followed by the application name the program
// sets (its title; it sets no organisation name), and in it records.db:
// ~/.local/share/瑞祺八字合婚配软件/records.db
std::filesystem::path DefaultArchivePath();

// What the opener means to do. A writer creates a missing file and runs the
// full integrity check (PRAGMA quick_check reads every page: about 0.2 s for
// 200,000 people) before it may change anything. A reader (listing, showing,
// exporting) only opens an existing file and checks its header and schema;
// damage met while reading is reported by SQLite as it is found.
enum class ArchiveAccess { kWrite, kRead };

// Opens the archive at `path`, creating it with mode 0600 (and its folder
// with 0700) when missing and opened for writing, and upgrades an older schema after copying the
// file beside itself ("records.db.v1-backup-20260510-143000"). Throws
// ArchiveError when the file is damaged (not a database, or failing
// PRAGMA quick_check), is another program's database, is newer than this
// program or cannot be opened; such a file is left exactly as it was.
// The connection uses the WAL journal, full sync and a busy timeout.
sqlite3* OpenArchiveFile(const std::filesystem::path& path, const std::vector<SchemaStep>& steps,
                         ArchiveAccess access);

// How long a writer waits for another one to finish.
inline constexpr int kBusyTimeoutMs = 15000;

// Moves a damaged archive (and its -wal and -shm files) aside under a dated
// name, "records.db.damaged-20260510-143000", never over an existing file,
// and returns the new name. The next open then starts a fresh archive.
// Throws ArchiveError when the file cannot be renamed.
std::filesystem::path MoveArchiveAside(const std::filesystem::path& path);

}  // namespace hehun::records
