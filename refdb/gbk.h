// The one place where text meets code page 936 (GBK). The core keeps UTF-8;
// GBK is used only where byte counts matter (name limits, the hour text's
// byte positions, the ten-byte cut of shensha values) and for files that are
// stored in GBK.
#pragma once

#include <string>
#include <string_view>

namespace hehun::gbk {

// UTF-8 to GBK bytes. Characters that GBK cannot hold become '?'.
std::string FromUtf8(std::string_view utf8);

// GBK bytes to UTF-8. Invalid bytes become U+FFFD.
std::string ToUtf8(std::string_view gbk);

// Length in GBK bytes of UTF-8 text (a Chinese character is two bytes).
int ByteLength(std::string_view utf8);

// The longest prefix of UTF-8 text whose GBK form has at most `bytes` bytes;
// a character is never split.
std::string TruncateBytes(std::string_view utf8, int bytes);

// The part of UTF-8 text from GBK byte position `from` (1-based) on, at most
// `count` bytes, cut at character boundaries. A position inside a two-byte
// character starts at the next character.
std::string MidBytes(std::string_view utf8, int from, int count);

}  // namespace hehun::gbk
