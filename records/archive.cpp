#include "records/archive.h"

#include <sqlite3.h>

#include <ctime>

#include "records/sqlite_statement.h"

namespace hehun::records {

namespace {

constexpr const char* kPersonColumns =
    "id, name, sex, calendar, birth_date, birth_time, leap_month, place, blood, note, tags, created_at, updated_at";

int64_t Now() { return static_cast<int64_t>(std::time(nullptr)); }

int Digits(const std::string& s, size_t at, size_t n) {
  int v = 0;
  for (size_t i = at; i < at + n && i < s.size(); ++i) v = v * 10 + (s[i] - '0');
  return v;
}

Person PersonOfRow(const Statement& s) {
  Person p;
  p.id = s.Int(0);
  p.name = s.Text(1);
  p.sex = s.Text(2);
  p.lunar = s.Text(3) == "农历";
  const std::string date = s.Text(4), time = s.Text(5);
  p.birthDate = {Digits(date, 0, 4), Digits(date, 5, 2), Digits(date, 8, 2)};
  p.hour = Digits(time, 0, 2);
  p.minute = Digits(time, 3, 2);
  p.leapMonth = s.Int(6) != 0;
  p.place = s.Text(7);
  p.blood = s.Text(8);
  p.note = s.Text(9);
  p.tags = SplitTags(s.Text(10));
  p.createdAt = s.Int(11);
  p.updatedAt = s.Int(12);
  return p;
}

Couple CoupleOfRow(const Statement& s) {
  return {s.Int(0), s.Int(1), s.Int(2), s.Text(3), s.Text(4), s.Int(5), s.Int(6)};
}

constexpr const char* kCoupleColumns = "id, first_id, second_id, note, last_matched, created_at, updated_at";

void Validate(const Person& person) {
  const auto reasons = CheckPerson(person);
  if (!reasons.empty()) throw ArchiveError(ArchiveError::kInvalid, JoinReasons(reasons));
}

// Binds the stored fields of a person from parameter 1 on (name … tags).
void BindFields(Statement& s, const Person& p) {
  s.Bind(1, p.name)
      .Bind(2, p.sex)
      .Bind(3, CalendarName(p.lunar))
      .Bind(4, BirthDateText(p))
      .Bind(5, BirthTimeText(p))
      .Bind(6, p.leapMonth)
      .Bind(7, p.place)
      .Bind(8, p.blood)
      .Bind(9, p.note)
      .Bind(10, JoinTags(p.tags));
}

// A LIKE pattern that finds `text` anywhere, its wildcards taken literally.
std::string ContainsPattern(std::string_view text) {
  std::string pattern = "%";
  for (char c : text) {
    if (c == '%' || c == '_' || c == '\\') pattern += '\\';
    pattern += c;
  }
  return pattern + "%";
}

constexpr const char* kMatches =
    "(name LIKE ?2 ESCAPE '\\' OR note LIKE ?2 ESCAPE '\\' OR tags LIKE ?2 ESCAPE '\\')";

std::string NotFound(int64_t id) { return "档案中没有编号为" + std::to_string(id) + "的人"; }

}  // namespace

std::string JoinReasons(const std::vector<std::string>& reasons) {
  std::string text;
  for (const auto& r : reasons) text += (text.empty() ? "" : "；") + r;
  return text;
}

Archive::Archive(const std::filesystem::path& path, ArchiveAccess access)
    : Archive(path, ArchiveSchemaSteps(), access) {}

Archive::Archive(const std::filesystem::path& path, const std::vector<SchemaStep>& steps, ArchiveAccess access)
    : path_(path), db_(OpenArchiveFile(path, steps, access)) {}

Archive::~Archive() { sqlite3_close_v2(db_); }

Archive::Batch::Batch(Archive& archive)
    : archive_(archive),
      transaction_(std::make_unique<WriteTransaction>(archive.db_)),
      insert_(std::make_unique<Statement>(
          archive.db_,
          "INSERT INTO person(name, sex, calendar, birth_date, birth_time, leap_month, place, blood, note, tags, "
          "created_at, updated_at) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?11)")),
      now_(Now()) {}

Archive::Batch::~Batch() {
  insert_.reset();  // finalised before the transaction rolls back
}

int64_t Archive::Batch::Add(const Person& person) {
  Validate(person);
  BindFields(*insert_, person);
  insert_->Bind(11, now_);
  insert_->Run();
  return sqlite3_last_insert_rowid(archive_.db_);
}

void Archive::Batch::Commit() {
  insert_.reset();
  transaction_->Commit();
}

int64_t Archive::AddPerson(const Person& person) {
  Batch batch(*this);
  const int64_t id = batch.Add(person);
  batch.Commit();
  return id;
}

void Archive::UpdatePerson(const Person& person) {
  Validate(person);
  WriteTransaction transaction(db_);
  {
    Statement s(db_,
                "UPDATE person SET name = ?1, sex = ?2, calendar = ?3, birth_date = ?4, birth_time = ?5, "
                "leap_month = ?6, place = ?7, blood = ?8, note = ?9, tags = ?10, updated_at = ?11 WHERE id = ?12");
    BindFields(s, person);
    s.Bind(11, Now()).Bind(12, person.id).Run();
  }
  if (sqlite3_changes(db_) == 0) throw ArchiveError(ArchiveError::kNotFound, NotFound(person.id));
  transaction.Commit();
}

void Archive::DeletePerson(int64_t id) {
  WriteTransaction transaction(db_);
  Statement(db_, "DELETE FROM person WHERE id = ?1").Bind(1, id).Run();
  if (sqlite3_changes(db_) == 0) throw ArchiveError(ArchiveError::kNotFound, NotFound(id));
  transaction.Commit();
}

std::optional<Person> Archive::FindPerson(int64_t id) {
  Statement s(db_, std::string("SELECT ") + kPersonColumns + " FROM person WHERE id = ?1");
  s.Bind(1, id);
  if (!s.Step()) return std::nullopt;
  return PersonOfRow(s);
}

Person Archive::GetPerson(int64_t id) {
  auto person = FindPerson(id);
  if (!person) throw ArchiveError(ArchiveError::kNotFound, NotFound(id));
  return *person;
}

int64_t Archive::CountPeople() {
  Statement s(db_, "SELECT count(*) FROM person");
  return s.Step() ? s.Int(0) : 0;
}

int64_t Archive::CountMatching(std::string_view text) {
  if (text.empty()) return CountPeople();
  Statement s(db_, std::string("SELECT count(*) FROM person WHERE ") + kMatches);
  s.Bind(2, ContainsPattern(text));
  return s.Step() ? s.Int(0) : 0;
}

void Archive::ForEachPerson(const PersonQuery& query, const std::function<void(const Person&)>& visit) {
  std::string sql = std::string("SELECT ") + kPersonColumns + " FROM person WHERE id > ?1";
  if (!query.text.empty()) sql += std::string(" AND ") + kMatches;
  sql += " ORDER BY id LIMIT ?3";
  Statement s(db_, sql);
  s.Bind(1, query.afterId).Bind(3, static_cast<int64_t>(query.limit));
  if (!query.text.empty()) s.Bind(2, ContainsPattern(query.text));
  while (s.Step()) visit(PersonOfRow(s));
}

std::vector<Person> Archive::FindPeople(const PersonQuery& query) {
  std::vector<Person> people;
  ForEachPerson(query, [&](const Person& p) { people.push_back(p); });
  return people;
}

int64_t Archive::SaveCouple(int64_t personA, int64_t personB, std::string_view note, std::optional<Ymd> matchedOn) {
  WriteTransaction transaction(db_);
  const Person a = GetPerson(personA), b = GetPerson(personB);
  if (personA == personB) throw ArchiveError(ArchiveError::kInvalid, "合婚需要两个不同的人");
  if (a.sex == b.sex)
    throw ArchiveError(ArchiveError::kInvalid, "“" + a.name + "”和“" + b.name + "”同为" + a.sex + "性，合婚需一男一女");
  const int64_t first = std::min(personA, personB), second = std::max(personA, personB);
  const int64_t now = Now();
  Statement(db_,
            "INSERT INTO couple(first_id, second_id, note, last_matched, created_at, updated_at) "
            "VALUES (?1, ?2, ?3, ?4, ?5, ?5) "
            "ON CONFLICT(first_id, second_id) DO UPDATE SET note = CASE WHEN ?3 = '' THEN note ELSE ?3 END, "
            "last_matched = CASE WHEN ?4 = '' THEN last_matched ELSE ?4 END, updated_at = ?5")
      .Bind(1, first)
      .Bind(2, second)
      .Bind(3, note)
      .Bind(4, matchedOn ? FormatYmd(*matchedOn) : std::string())
      .Bind(5, now)
      .Run();
  Statement id(db_, "SELECT id FROM couple WHERE first_id = ?1 AND second_id = ?2");
  id.Bind(1, first).Bind(2, second);
  const int64_t coupleId = id.Step() ? id.Int(0) : 0;
  transaction.Commit();
  return coupleId;
}

std::optional<Couple> Archive::FindCouple(int64_t personA, int64_t personB) {
  Statement s(db_, std::string("SELECT ") + kCoupleColumns + " FROM couple WHERE first_id = ?1 AND second_id = ?2");
  s.Bind(1, std::min(personA, personB)).Bind(2, std::max(personA, personB));
  if (!s.Step()) return std::nullopt;
  return CoupleOfRow(s);
}

Couple Archive::GetCouple(int64_t id) {
  Statement s(db_, std::string("SELECT ") + kCoupleColumns + " FROM couple WHERE id = ?1");
  s.Bind(1, id);
  if (!s.Step()) throw ArchiveError(ArchiveError::kNotFound, "档案中没有编号为" + std::to_string(id) + "的合婚记录");
  return CoupleOfRow(s);
}

void Archive::SetCoupleNote(int64_t id, std::string_view note) {
  WriteTransaction transaction(db_);
  Statement(db_, "UPDATE couple SET note = ?1, updated_at = ?2 WHERE id = ?3").Bind(1, note).Bind(2, Now()).Bind(3, id).Run();
  if (sqlite3_changes(db_) == 0) GetCouple(id);  // throws the not-found message
  transaction.Commit();
}

void Archive::MarkMatched(int64_t coupleId, const Ymd& day) {
  WriteTransaction transaction(db_);
  Statement(db_, "UPDATE couple SET last_matched = ?1, updated_at = ?2 WHERE id = ?3")
      .Bind(1, FormatYmd(day))
      .Bind(2, Now())
      .Bind(3, coupleId)
      .Run();
  if (sqlite3_changes(db_) == 0) GetCouple(coupleId);
  transaction.Commit();
}

void Archive::DeleteCouple(int64_t id) {
  WriteTransaction transaction(db_);
  Statement(db_, "DELETE FROM couple WHERE id = ?1").Bind(1, id).Run();
  if (sqlite3_changes(db_) == 0) GetCouple(id);
  transaction.Commit();
}

std::vector<Couple> Archive::ListCouples(int64_t personId) {
  std::string sql = std::string("SELECT ") + kCoupleColumns + " FROM couple";
  if (personId != 0) sql += " WHERE first_id = ?1 OR second_id = ?1";
  Statement s(db_, sql + " ORDER BY id");
  if (personId != 0) s.Bind(1, personId);
  std::vector<Couple> couples;
  while (s.Step()) couples.push_back(CoupleOfRow(s));
  return couples;
}

int64_t Archive::CountCouples() {
  Statement s(db_, "SELECT count(*) FROM couple");
  return s.Step() ? s.Int(0) : 0;
}

}  // namespace hehun::records
