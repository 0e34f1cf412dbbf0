// The checks a person passes before it enters the archive: each refused
// field with its Chinese reason, and the tidying of accepted texts.
#include <gtest/gtest.h>

#include "records/person.h"

namespace hehun::records {
namespace {

PersonTexts Good() { return {"张三", "男", "公历", "1990-05-01", "08:30", "0", "成都", "A", "老客户", ""}; }

TEST(RecordsPerson, RefusedFieldsNameTheirReason) {
  struct Case {
    const char* what;
    PersonTexts texts;
    std::vector<std::string> reasons;
  };
  auto with = [](auto change) {
    PersonTexts t = Good();
    change(t);
    return t;
  };
  const Case cases[] = {
      {"no day 30 in February", with([](auto& t) { t.date = "1990-02-30"; }), {"出生日期“1990-02-30”不是有效的日期"}},
      {"not a date", with([](auto& t) { t.date = "1990/05/01"; }),
       {"出生日期“1990/05/01”不是有效的日期（应为YYYY-MM-DD）"}},
      {"before the tables", with([](auto& t) { t.date = "1900-01-30"; }),
       {"出生日期“1900-01-30”不在可计算的1900-01-31至2100-12-31之内"}},
      {"empty name", with([](auto& t) { t.name = "  "; }), {"姓名为空"}},
      {"name over 20 GBK bytes", with([](auto& t) { t.name = "一二三四五六七八九十壹"; }),
       {"姓名“一二三四五六七八九十壹”超过20个字节（10个汉字）"}},
      {"sex", with([](auto& t) { t.sex = "M"; }), {"性别“M”应为“男”或“女”"}},
      {"calendar", with([](auto& t) { t.calendar = "阴历"; }), {"历法“阴历”应为“公历”或“农历”"}},
      {"time", with([](auto& t) { t.time = "24:00"; }), {"出生时间“24:00”不是有效的时间（应为HH:MM）"}},
      {"time without minutes", with([](auto& t) { t.time = "8"; }), {"出生时间“8”不是有效的时间（应为HH:MM）"}},
      {"leap flag", with([](auto& t) { t.leap = "是"; }), {"闰月“是”应为0或1"}},
      {"leap with 公历", with([](auto& t) { t.leap = "1"; }), {"公历日期不分闰月，闰月应为0"}},
      {"blood", with([](auto& t) { t.blood = "C"; }), {"血型“C”应为A、B、O、AB或空"}},
      {"lunar year 1900", with([](auto& t) { t.calendar = "农历"; t.date = "1900-05-01"; }),
       {"农历出生日期“1900-05-01”不在可计算的1901至2099年之内"}},
      {"lunar month 13", with([](auto& t) { t.calendar = "农历"; t.date = "1990-13-01"; }),
       {"出生日期“1990-13-01”不是有效的农历日期"}},
      {"a leap month the year lacks", with([](auto& t) { t.calendar = "农历"; t.date = "1990-04-10"; t.leap = "1"; }),
       {"农历1990年没有闰四月"}},
      {"day 30 of a short month", with([](auto& t) { t.calendar = "农历"; t.date = "2020-04-30"; t.leap = "1"; }),
       {"农历2020年闰四月只有29天，出生日期“2020-04-30”不存在"}},
      {"place with a line break", with([](auto& t) { t.place = "成\n都"; }), {"出生地“成\n都”含有换行或控制字符"}},
      {"several faults, in column order", with([](auto& t) { t.blood = "X"; t.time = "25:00"; t.date = "1990-02-30"; }),
       {"出生日期“1990-02-30”不是有效的日期", "出生时间“25:00”不是有效的时间（应为HH:MM）",
        "血型“X”应为A、B、O、AB或空"}},
  };
  for (const auto& c : cases) {
    Person p;
    p.name = "unchanged";
    EXPECT_EQ(ReadPerson(c.texts, p), c.reasons) << c.what;
    EXPECT_EQ(p.name, "unchanged") << c.what;
  }
}

TEST(RecordsPerson, AcceptedTextsAreTidied) {
  Person p;
  PersonTexts t{" 李四 ", "女", "农历", "1990-5-9", "8:05", "1", " 北京 ", "ab", "第一行\r\n第二行\n", "客户，北京 客户、VIP"};
  ASSERT_EQ(ReadPerson(t, p), std::vector<std::string>{});
  EXPECT_EQ(p.name, "李四");
  EXPECT_TRUE(p.lunar);
  EXPECT_EQ(p.birthDate, (Ymd{1990, 5, 9}));
  EXPECT_TRUE(p.leapMonth);  // 1990 has a leap fifth month
  EXPECT_EQ(BirthTimeText(p), "08:05");
  EXPECT_EQ(p.place, "北京");
  EXPECT_EQ(p.blood, "AB");
  EXPECT_EQ(p.note, "第一行\n第二行");
  EXPECT_EQ(p.tags, (std::vector<std::string>{"客户", "北京", "VIP"}));
  EXPECT_EQ(JoinTags(p.tags), "客户，北京，VIP");
  // 闰五月初九 of 1990 is 1990-07-01.
  EXPECT_EQ(SolarBirthDate(p), (Ymd{1990, 7, 1}));
  const PersonTexts out = TextsOf(p);
  EXPECT_EQ(out.date, "1990-05-09");
  EXPECT_EQ(out.leap, "1");
  EXPECT_EQ(out.calendar, "农历");
}

TEST(RecordsPerson, EmptyCalendarAndLeapMeanGregorianAndNoLeap) {
  Person p;
  ASSERT_EQ(ReadPerson({"王五", "男", "", "2000-02-29", "23:59", "", "", "", "", ""}, p), std::vector<std::string>{});
  EXPECT_FALSE(p.lunar);
  EXPECT_FALSE(p.leapMonth);
  EXPECT_EQ(CheckPerson(p), std::vector<std::string>{});
}

}  // namespace
}  // namespace hehun::records
