// The blood types of the marriage page: with both chosen the marriage report
// carries the 血型配对 reading before its closing line; with either blank it
// is the report without them.
#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace hehun {
namespace {

const std::string kCouple = "marriage --man 张三,1990-05-01,08:30 --woman 李四,1992-10-12,14:05 --today 2026-12-09";
const std::string kClosing = "特别声明：以上分析只做参考，即使分析不佳世上也有欢喜冤家或旷世奇缘的情感。\n";
const std::string kSeparator = "<-----------------------八字合婚内容分隔线----------------------------->\n";

TEST(MarriageBlood, BothTypesAddTheBloodMatchBeforeTheClosingLine) {
  int status = -1;
  const std::string plain = test::RunProgram("hehun-cli " + kCouple, "", &status);
  ASSERT_EQ(status, 0);
  const std::string reading = test::RunProgram("hehun-cli bloodmatch A AB", "", &status);
  ASSERT_EQ(status, 0);
  ASSERT_EQ(reading.rfind("血型配对：A型 与 AB型\n", 0), 0u) << reading;

  const std::string withBlood =
      test::RunProgram("hehun-cli " + kCouple + " --man-blood A型 --woman-blood AB", "", &status);
  ASSERT_EQ(status, 0);
  std::string expected = plain;
  expected.insert(expected.size() - kClosing.size(), reading + "\n" + kSeparator + "\n");
  EXPECT_EQ(withBlood, expected);
  EXPECT_EQ(withBlood.substr(withBlood.size() - kClosing.size()), kClosing);

  // Either blank: the report as without blood types.
  EXPECT_EQ(test::RunProgram("hehun-cli " + kCouple + " --man-blood A", "", &status), plain);
  EXPECT_EQ(test::RunProgram("hehun-cli " + kCouple + " --man-blood '' --woman-blood B", "", &status), plain);
}

TEST(MarriageBlood, AnUnknownBloodTypeIsRefusedBeforeTheReport) {
  int status = -1;
  EXPECT_EQ(test::RunProgram("hehun-cli " + kCouple + " --man-blood C --woman-blood A 2>/dev/null", "", &status), "");
  EXPECT_EQ(status, 1);
}

}  // namespace
}  // namespace hehun
