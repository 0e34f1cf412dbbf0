// Small pieces shared by the build-time generators that write C++ table
// files (.inc) into the build folder.
#pragma once

#include <string>

namespace hehun::tools {

// `s` as a C++ string literal: quotes and backslashes escaped, control
// characters as octal escapes, UTF-8 bytes as they are.
std::string CppString(const std::string& s);

// Writes `text` to `path` unless the file already holds exactly that text,
// so that what depends on a generated file is rebuilt only when it changes.
// Returns false when the file cannot be written.
bool WriteIfChanged(const std::string& path, const std::string& text);

}  // namespace hehun::tools
