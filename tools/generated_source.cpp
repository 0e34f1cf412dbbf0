#include "tools/generated_source.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace hehun::tools {

std::string CppString(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\%03o", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

bool WriteIfChanged(const std::string& path, const std::string& text) {
  std::ifstream old(path, std::ios::binary);
  if (old) {
    std::stringstream ss;
    ss << old.rdbuf();
    if (ss.str() == text) return true;
  }
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out);
}

}  // namespace hehun::tools
