#include "refdb/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

#include "refdb/text.h"

namespace hehun::gbk {

namespace {

// One conversion descriptor per direction and thread, opened on first use:
// the shensha rules and the name limits convert many short texts.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv: GBK is not available");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  iconv_t get() {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    return cd_;
  }

 private:
  iconv_t cd_;
};

iconv_t Descriptor(const char* to, const char* /*from: the direction follows from `to`*/) {
  thread_local Converter toGbk("GBK", "UTF-8");
  thread_local Converter toUtf8("UTF-8", "GBK");
  return std::string_view(to) == "GBK" ? toGbk.get() : toUtf8.get();
}

// Converts with iconv, replacing what cannot be converted.
std::string Convert(const char* to, const char* from, std::string_view in, std::string_view bad) {
  iconv_t cd = Descriptor(to, from);
  std::string out;
  out.reserve(in.size() * 2 + 4);
  char buf[256];
  char* inp = const_cast<char*>(in.data());
  size_t inleft = in.size();
  while (inleft > 0) {
    char* outp = buf;
    size_t outleft = sizeof buf;
    size_t r = iconv(cd, &inp, &inleft, &outp, &outleft);
    out.append(buf, static_cast<size_t>(outp - buf));
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL: skip one input character and mark it.
      out.append(bad);
      size_t skip = 1;
      if (std::string_view(from) == "UTF-8") {
        unsigned char c = static_cast<unsigned char>(*inp);
        skip = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
      } else if (static_cast<unsigned char>(*inp) >= 0x81 && inleft >= 2) {
        skip = 2;
      }
      if (skip > inleft) skip = inleft;
      inp += skip;
      inleft -= skip;
    }
  }
  return out;
}

// GBK bytes of one UTF-8 character. ASCII is one byte and the CJK ideographs
// U+4E00 to U+9FA5 are all two-byte GBK characters, so only other characters
// (punctuation, characters GBK cannot hold) need the converter.
int CharBytes(std::string_view ch) {
  const auto b = [&](size_t i) { return static_cast<unsigned char>(ch[i]); };
  if (b(0) < 0x80) return 1;
  if (ch.size() == 3 && (b(0) & 0xF0) == 0xE0 && (b(1) & 0xC0) == 0x80 && (b(2) & 0xC0) == 0x80) {
    const unsigned cp = ((b(0) & 0x0Fu) << 12) | ((b(1) & 0x3Fu) << 6) | (b(2) & 0x3Fu);
    if (cp >= 0x4E00 && cp <= 0x9FA5) return 2;
  }
  return static_cast<int>(FromUtf8(ch).size());
}

// Length of the UTF-8 character that starts at `i`, as Utf8Chars cuts it.
size_t CharLength(std::string_view s, size_t i) {
  const unsigned char lead = static_cast<unsigned char>(s[i]);
  size_t n = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 1;
  return i + n > s.size() ? s.size() - i : n;
}

}  // namespace

std::string FromUtf8(std::string_view utf8) { return Convert("GBK", "UTF-8", utf8, "?"); }

std::string ToUtf8(std::string_view gbk) { return Convert("UTF-8", "GBK", gbk, "\xEF\xBF\xBD"); }

int ByteLength(std::string_view utf8) {
  int n = 0;
  for (const auto& ch : Utf8Chars(utf8)) n += CharBytes(ch);
  return n;
}

std::string TruncateBytes(std::string_view utf8, int bytes) {
  size_t end = 0;
  int used = 0;
  while (end < utf8.size()) {
    const size_t n = CharLength(utf8, end);
    const int b = CharBytes(utf8.substr(end, n));
    if (used + b > bytes) break;
    used += b;
    end += n;
  }
  return std::string(utf8.substr(0, end));
}

std::string MidBytes(std::string_view utf8, int from, int count) {
  std::string out;
  int pos = 1;  // GBK byte position of the current character
  int taken = 0;
  for (const auto& ch : Utf8Chars(utf8)) {
    int b = CharBytes(ch);
    if (pos >= from) {
      if (taken + b > count) break;
      out += ch;
      taken += b;
    }
    pos += b;
  }
  return out;
}

}  // namespace hehun::gbk
