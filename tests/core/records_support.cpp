#include "records_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "calendar/lunar_calc.h"
#include "records/csv.h"
#include "records/csv_transfer.h"
#include "refdb/text.h"

namespace hehun::test {

using records::Person;

std::vector<Person> GeneratedPeople(int count, unsigned seed) {
  static const std::vector<std::string> surnames = Utf8Chars("张王李赵刘陈杨黄周吴徐孙马朱胡林郭何高罗欧阳司马");
  static const std::vector<std::string> given = Utf8Chars("伟芳娜敏静丽强磊军洋勇艳杰娟涛明超秀霞平刚桂英华玉兰");
  static const std::vector<std::string> places = {"", "成都", "北京市海淀区", "广东省广州市", "香港, 九龙",
                                                  "“老家”", "He said \"here\""};
  static const std::vector<std::string> notes = {"", "老客户", "朋友介绍, 第二次来", "第一行\n第二行", "引号\"在中间\"",
                                                 "  前面有空格", "a,b,\"c\"\n\nd", "A型，属马"};
  static const std::vector<std::string> bloods = {"", "A", "B", "O", "AB"};
  std::mt19937 random(seed);
  const auto pick = [&](const auto& list) { return list[random() % list.size()]; };
  const DateValue first = EncodeDate(1901, 3, 1), last = EncodeDate(2099, 12, 1);
  std::vector<Person> people;
  while (static_cast<int>(people.size()) < count) {
    Person p;
    p.name = pick(surnames) + pick(given) + (random() % 2 ? pick(given) : "");
    if (random() % 50 == 0) p.name = "Anne-Marie";
    p.sex = random() % 2 ? "男" : "女";
    const DateValue day = first + static_cast<double>(random() % static_cast<unsigned>(last - first));
    if (random() % 3 == 0) {
      const LunarDate l = SolarToLunar(day);
      p.lunar = true;
      p.birthDate = {l.Year, l.Month, l.Day};
      p.leapMonth = l.IsLeap;
    } else {
      p.birthDate = DecodeDate(day);
    }
    p.hour = static_cast<int>(random() % 24);
    p.minute = static_cast<int>(random() % 60);
    p.place = pick(places);
    p.blood = pick(bloods);
    p.note = pick(notes);
    people.push_back(p);
  }
  return people;
}

std::string CsvOfPeople(const std::vector<Person>& people) {
  std::string text(records::kUtf8Bom);
  text += std::string(records::kCsvHeader) + "\r\n";
  for (const auto& p : people) {
    const auto t = records::TextsOf(p);
    text += records::CsvLine({t.name, t.sex, t.calendar, t.date, t.time, t.leap, t.place, t.blood, t.note});
  }
  return text;
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

void ExpectSameFields(const Person& e, const Person& a, const std::string& where) {
  EXPECT_EQ(e.name, a.name) << where;
  EXPECT_EQ(e.sex, a.sex) << where;
  EXPECT_EQ(e.lunar, a.lunar) << where;
  EXPECT_EQ(e.birthDate, a.birthDate) << where;
  EXPECT_EQ(e.leapMonth, a.leapMonth) << where;
  EXPECT_EQ(e.hour, a.hour) << where;
  EXPECT_EQ(e.minute, a.minute) << where;
  EXPECT_EQ(e.place, a.place) << where;
  EXPECT_EQ(e.blood, a.blood) << where;
  EXPECT_EQ(e.note, a.note) << where;
  EXPECT_EQ(e.tags, a.tags) << where;
}

}  // namespace hehun::test
