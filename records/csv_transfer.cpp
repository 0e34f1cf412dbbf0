#include "records/csv_transfer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "records/csv.h"
#include "refdb/text.h"

namespace hehun::records {

namespace fs = std::filesystem;

namespace {

constexpr size_t kColumns = 9;

std::string Quoted(const fs::path& path) { return "“" + path.string() + "”"; }

std::string ReadWholeFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw ArchiveError(ArchiveError::kFailed, "无法读取文件" + Quoted(file) + "：" + std::strerror(errno));
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw ArchiveError(ArchiveError::kFailed, "读取文件" + Quoted(file) + "时出错");
  return text.str();
}

std::string Line(int line, const std::string& why) { return "第" + std::to_string(line) + "行：" + why; }

// Whether the header names the columns, with or without the id column.
bool ReadHeader(const CsvRecord& header, bool& hasId) {
  std::vector<std::string> names;
  for (const auto& f : header.fields) names.push_back(Trim(f));
  std::string joined;
  for (size_t i = 0; i < names.size(); ++i) joined += (i ? "," : "") + names[i];
  hasId = joined.rfind("id,", 0) == 0;
  return joined == kCsvHeader || joined == std::string("id,") + kCsvHeader;
}

PersonTexts TextsOfRow(const std::vector<std::string>& f, size_t at) {
  return {f[at], f[at + 1], f[at + 2], f[at + 3], f[at + 4], f[at + 5], f[at + 6], f[at + 7], f[at + 8], ""};
}

// A file written aside and renamed into place only once it is complete.
class AsideFile {
 public:
  explicit AsideFile(const fs::path& target) : target_(target) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string pattern = (folder / ("." + target.filename().string() + ".tmp-XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) Fail("无法写入文件" + Quoted(target));
    temp_ = pattern;
    file_ = ::fdopen(fd, "wb");
    if (!file_) {
      ::close(fd);
      Fail("无法写入文件" + Quoted(target));
    }
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
  }
  ~AsideFile() {
    if (file_) std::fclose(file_);
    if (!temp_.empty()) ::unlink(temp_.c_str());
  }
  void Write(std::string_view bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) Fail("写入文件" + Quoted(target_) + "时出错");
  }
  void Finish() {
    if (std::fflush(file_) != 0 || ::fsync(::fileno(file_)) != 0) Fail("写入文件" + Quoted(target_) + "时出错");
    const int rc = std::fclose(file_);
    file_ = nullptr;
    if (rc != 0) Fail("写入文件" + Quoted(target_) + "时出错");
    if (::rename(temp_.c_str(), target_.c_str()) != 0) Fail("无法把导出的文件改名为" + Quoted(target_));
    temp_.clear();
  }

 private:
  [[noreturn]] void Fail(const std::string& what) {
    throw ArchiveError(ArchiveError::kFailed, what + "：" + std::strerror(errno));
  }
  fs::path target_;
  std::string temp_;
  std::FILE* file_ = nullptr;
};

}  // namespace

ImportResult ImportPeopleCsv(Archive& archive, const fs::path& file, bool skipBad) {
  const std::string text = ReadWholeFile(file);
  ImportResult result;
  if (!IsUtf8(text)) {
    result.refused.push_back("文件不是UTF-8文字（在电子表格程序中请另存为“CSV UTF-8”格式）");
    return result;
  }
  CsvReader reader(text);
  CsvRecord record;
  bool hasId = false;
  if (!reader.Next(record)) {
    result.refused.push_back(reader.error().empty() ? Line(1, "文件是空的，应有表头“" + std::string(kCsvHeader) + "”")
                                                    : reader.error());
    return result;
  }
  if (!ReadHeader(record, hasId)) {
    result.refused.push_back(Line(record.line, "表头应为“" + std::string(kCsvHeader) + "”（前面可加id列）"));
    return result;
  }
  const size_t columns = kColumns + (hasId ? 1 : 0);

  Archive::Batch batch(archive);
  int64_t added = 0;
  while (reader.Next(record)) {
    if (record.fields.size() == 1 && Trim(record.fields[0]).empty()) continue;  // a blank line
    if (record.fields.size() != columns) {
      result.refused.push_back(Line(record.line, "应有" + std::to_string(columns) + "列，实有" +
                                                     std::to_string(record.fields.size()) + "列"));
      continue;
    }
    Person person;
    const auto reasons = ReadPerson(TextsOfRow(record.fields, hasId ? 1 : 0), person);
    if (!reasons.empty()) {
      result.refused.push_back(Line(record.line, JoinReasons(reasons)));
      continue;
    }
    // Once a row is refused the rest are only checked, unless bad rows are skipped.
    if (skipBad || result.refused.empty()) {
      batch.Add(person);
      ++added;
    }
  }
  if (!reader.error().empty()) result.refused.push_back(reader.error());
  if (!result.refused.empty() && !skipBad) return result;  // the batch rolls back
  batch.Commit();
  result.added = added;
  result.committed = true;
  return result;
}

int64_t ExportPeopleCsv(Archive& archive, const fs::path& file) {
  AsideFile out(file);
  out.Write(kUtf8Bom);
  out.Write(CsvLine({"id", "name", "sex", "calendar", "date", "time", "leap", "place", "blood", "note"}));
  int64_t count = 0;
  std::string chunk;
  archive.ForEachPerson({}, [&](const Person& p) {
    const PersonTexts t = TextsOf(p);
    chunk += CsvLine({std::to_string(p.id), t.name, t.sex, t.calendar, t.date, t.time, t.leap, t.place, t.blood,
                      t.note});
    if (chunk.size() > (1 << 16)) {
      out.Write(chunk);
      chunk.clear();
    }
    ++count;
  });
  out.Write(chunk);
  out.Finish();
  return count;
}

}  // namespace hehun::records
