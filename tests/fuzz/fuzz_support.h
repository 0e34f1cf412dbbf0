// Small helpers shared by the libFuzzer targets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace hehun::fuzz {

// A property every input must keep; a broken one is a finding like a crash.
inline void Expect(bool condition, const char* what, std::string_view input) {
  if (condition) return;
  std::fprintf(stderr, "property broken: %s\ninput: %.*s\n", what, static_cast<int>(input.size()), input.data());
  std::abort();
}

// Cuts text at a separator byte into fields (the last field keeps the rest).
inline std::vector<std::string> Split(std::string_view text, char separator, size_t maxFields) {
  std::vector<std::string> fields;
  while (fields.size() + 1 < maxFields) {
    const size_t at = text.find(separator);
    if (at == std::string_view::npos) break;
    fields.emplace_back(text.substr(0, at));
    text.remove_prefix(at + 1);
  }
  fields.emplace_back(text);
  return fields;
}

inline std::string_view AsText(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace hehun::fuzz
