// The program's own texts in Traditional Chinese. Everything is written in
// Simplified Chinese; where the user chose Traditional, each text is
// converted on its way out by OpenCC, with a small phrase file of this
// program's own terms (data/opencc/phrases.tsv) placed before OpenCC's
// phrase tables. What the user typed (names, notes, places) is passed as
// "kept" text and comes out exactly as typed.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace hehun {

enum class Script { kSimplified, kTraditional };

// Which Traditional standard: OpenCC's own (the common printed forms), or
// with the Taiwan or Hong Kong character variants.
enum class TraditionalVariant { kStandard, kTaiwan, kHongKong };

// The variant named by "tw", "hk" or "" (standard); false for any other text.
bool ParseTraditionalVariant(std::string_view name, TraditionalVariant& variant);

// The script a locale name asks for at first start: zh_TW, zh_HK and zh_MO
// (and the Traditional script tag zh_Hant) read Traditional, with the
// Taiwan or Hong Kong variant; everything else Simplified.
struct ScriptChoice {
  Script script = Script::kSimplified;
  TraditionalVariant variant = TraditionalVariant::kStandard;
};
ScriptChoice ScriptForLocale(std::string_view locale_name);

// Converts Simplified text to Traditional. Building one opens OpenCC's
// dictionaries (a few milliseconds); keep it for the whole run. The texts
// are converted piece by piece between blanks, digits and punctuation, and
// each piece once: a piece seen before is answered from memory, which makes
// the second and later reports of a run cheap. Not for use by two threads
// at once.
class TraditionalConverter {
 public:
  // Throws UserError naming the missing file when the conversion data
  // cannot be opened.
  explicit TraditionalConverter(TraditionalVariant variant = TraditionalVariant::kStandard);
  ~TraditionalConverter();
  TraditionalConverter(const TraditionalConverter&) = delete;
  TraditionalConverter& operator=(const TraditionalConverter&) = delete;

  std::string Convert(std::string_view text) const;
  // The same, leaving every occurrence of each kept text unchanged (the
  // longest kept text wins where two overlap; empty ones are ignored).
  std::string Convert(std::string_view text, const std::vector<std::string>& kept) const;

  TraditionalVariant variant() const { return variant_; }

 private:
  struct State;
  TraditionalVariant variant_;
  std::unique_ptr<State> state_;
};

// Typed text read as Simplified (OpenCC t2s, which also takes the Taiwan and
// Hong Kong character forms): 廣州 → 广州, 臺北 → 台北. Used where typed text
// is looked up in tables written in Simplified, such as birthplaces. Text
// without Traditional characters comes back unchanged, and so does every
// text when the conversion data cannot be opened. Safe from any thread.
std::string SimplifiedText(std::string_view text);

// The folder of the conversion settings beside the databases.
std::string TraditionalConfigFile(TraditionalVariant variant);

}  // namespace hehun
