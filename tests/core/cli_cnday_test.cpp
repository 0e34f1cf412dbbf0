// hehun-cli cnday prints the calendar text library's texts of each day.
#include <gtest/gtest.h>

#include "test_support.h"

namespace hehun {
namespace {

TEST(CliCnDay, PrintsTheTextsOfEachDay) {
  int status = -1;
  const std::string out = test::RunProgram("hehun-cli cnday",
                                           "2000-01-01\n2023-01-22\n\n2020-05-23\n2000-02-04\n2024-05-12\n"
                                           "2051-01-01\n2000-02-30\n",
                                           &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out,
            "1125 冬月 廿五 卯兔 - - 元旦节 摩羯座\n"
            "101 正月 初一 卯兔 - 春节 - 水瓶座\n"
            "-401 闰四 初一 子鼠 - - - 双子座\n"
            "1229 腊月 廿九 卯兔 立春 除夕 - 水瓶座\n"
            "405 四月 初五 辰龙 - - 母亲节 金牛座\n"
            "0 - - - - - 元旦节 摩羯座\n"
            "ERROR “2000-02-30”不是有效的日期\n");
}

}  // namespace
}  // namespace hehun
