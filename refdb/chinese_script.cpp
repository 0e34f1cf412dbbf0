#include "refdb/chinese_script.h"

#include <opencc/opencc.h>

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <unordered_map>

#include "refdb/messages.h"
#include "refdb/refdb.h"

namespace hehun {

namespace {

// Pieces remembered at most; past this the memory starts again, so that a
// long run over many different texts does not grow without end.
constexpr size_t kMaxRememberedPieces = 50000;

struct StringHash {
  using is_transparent = void;
  size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// Length of the UTF-8 sequence that starts with this byte.
int SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  return 2;
}

// Code point of the UTF-8 sequence at text[i] (length n).
char32_t CodePoint(std::string_view text, size_t i, int n) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(text[i + k]); };
  switch (n) {
    case 1: return b(0);
    case 2: return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    case 3: return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    default: return ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
  }
}

// Characters no phrase of the dictionaries holds and no conversion changes:
// ASCII, general and CJK punctuation, full-width forms. They split a text
// into the pieces that are converted.
bool SplitsPieces(char32_t c) {
  return c < 0x80 || (c >= 0x2000 && c <= 0x206F) || (c >= 0x3000 && c <= 0x303F) || (c >= 0xFF00 && c <= 0xFF65) ||
         (c >= 0x2460 && c <= 0x27BF);
}

}  // namespace

bool ParseTraditionalVariant(std::string_view name, TraditionalVariant& variant) {
  if (name.empty()) variant = TraditionalVariant::kStandard;
  else if (name == "tw") variant = TraditionalVariant::kTaiwan;
  else if (name == "hk") variant = TraditionalVariant::kHongKong;
  else return false;
  return true;
}

ScriptChoice ScriptForLocale(std::string_view locale_name) {
  std::string name(locale_name);
  std::replace(name.begin(), name.end(), '-', '_');
  const auto starts = [&](std::string_view prefix) { return name.rfind(prefix, 0) == 0; };
  if (starts("zh_TW")) return {Script::kTraditional, TraditionalVariant::kTaiwan};
  if (starts("zh_HK") || starts("zh_MO")) return {Script::kTraditional, TraditionalVariant::kHongKong};
  if (starts("zh_Hant")) {
    if (name.find("_TW") != std::string::npos) return {Script::kTraditional, TraditionalVariant::kTaiwan};
    if (name.find("_HK") != std::string::npos || name.find("_MO") != std::string::npos)
      return {Script::kTraditional, TraditionalVariant::kHongKong};
    return {Script::kTraditional, TraditionalVariant::kStandard};
  }
  return {};
}

std::string TraditionalConfigFile(TraditionalVariant variant) {
  const char* name = variant == TraditionalVariant::kTaiwan     ? "s2tw.json"
                     : variant == TraditionalVariant::kHongKong ? "s2hk.json"
                                                                : "s2t.json";
  return (DataDir() / "opencc" / name).string();
}

struct TraditionalConverter::State {
  opencc_t handle = reinterpret_cast<opencc_t>(-1);
  mutable std::unordered_map<std::string, std::string, StringHash, std::equal_to<>> pieces;

  ~State() {
    if (handle != reinterpret_cast<opencc_t>(-1)) opencc_close(handle);
  }

  const std::string& Piece(std::string_view piece) const {
    if (auto it = pieces.find(piece); it != pieces.end()) return it->second;
    if (pieces.size() >= kMaxRememberedPieces) pieces.clear();
    std::string converted;
    if (char* out = opencc_convert_utf8(handle, piece.data(), piece.size())) {
      converted = out;
      opencc_convert_utf8_free(out);
    } else {
      converted = std::string(piece);
    }
    return pieces.emplace(std::string(piece), std::move(converted)).first->second;
  }

  void Append(std::string_view text, std::string& out) const {
    size_t i = 0;
    while (i < text.size()) {
      // A run of characters that split pieces is copied as it is.
      size_t start = i;
      while (i < text.size()) {
        const int n = std::min<int>(SequenceLength(static_cast<unsigned char>(text[i])), text.size() - i);
        if (!SplitsPieces(CodePoint(text, i, n))) break;
        i += n;
      }
      out.append(text.substr(start, i - start));
      start = i;
      while (i < text.size()) {
        const int n = std::min<int>(SequenceLength(static_cast<unsigned char>(text[i])), text.size() - i);
        if (SplitsPieces(CodePoint(text, i, n))) break;
        i += n;
      }
      if (i > start) out.append(Piece(text.substr(start, i - start)));
    }
  }
};

TraditionalConverter::TraditionalConverter(TraditionalVariant variant)
    : variant_(variant), state_(std::make_unique<State>()) {
  const std::string config = TraditionalConfigFile(variant);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(config, ec))
    throw UserError("找不到繁体转换设置文件“" + config + "”，请重新安装本软件。");
  state_->handle = opencc_open(config.c_str());
  if (state_->handle == reinterpret_cast<opencc_t>(-1))
    throw UserError("繁体转换数据无法读取（" + config + "），请确认已安装 OpenCC 的词典（opencc 软件包）。");
}

TraditionalConverter::~TraditionalConverter() = default;

std::string TraditionalConverter::Convert(std::string_view text) const {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  state_->Append(text, out);
  return out;
}

std::string TraditionalConverter::Convert(std::string_view text, const std::vector<std::string>& kept) const {
  std::vector<std::string_view> order;
  for (const auto& k : kept)
    if (!k.empty()) order.push_back(k);
  if (order.empty()) return Convert(text);
  std::sort(order.begin(), order.end(), [](auto a, auto b) { return a.size() > b.size(); });
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  size_t done = 0;
  while (done < text.size()) {
    // The next place where a kept text begins (the longest one there).
    size_t best = std::string_view::npos;
    std::string_view best_kept;
    for (auto k : order) {
      const size_t at = text.find(k, done);
      if (at < best) {
        best = at;
        best_kept = k;
      }
    }
    if (best == std::string_view::npos) break;
    state_->Append(text.substr(done, best - done), out);
    out.append(best_kept);
    done = best + best_kept.size();
  }
  state_->Append(text.substr(done), out);
  return out;
}

}  // namespace hehun

namespace hehun {

std::string SimplifiedText(std::string_view text) {
  // Pure ASCII (the common case for numbers and pinyin) needs no dictionary.
  if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return std::string(text);
  static std::mutex mutex;
  static opencc_t handle = [] {
    const std::string config = (DataDir() / "opencc" / "t2s.json").string();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(config, ec)) return reinterpret_cast<opencc_t>(-1);
    return opencc_open(config.c_str());
  }();
  if (handle == reinterpret_cast<opencc_t>(-1)) return std::string(text);
  const std::lock_guard lock(mutex);
  std::string out(text);
  if (char* converted = opencc_convert_utf8(handle, text.data(), text.size())) {
    out = converted;
    opencc_convert_utf8_free(converted);
  }
  return out;
}

}  // namespace hehun
