// The shared lookups on Tgcode.dll used by the chart and the reports. Each
// swallows database errors: a missing file or row gives empty text.
#pragma once

#include <string>
#include <string_view>

#include "refdb/refdb.h"

namespace hehun {

// Five-element name of a Chinese character (the first row whose text holds it).
std::string HanziElement(RefDb& db, std::string_view ch);
// Ten god of a stem seen from the day stem; the pair is day stem then stem.
std::string TenGodOf(RefDb& db, std::string_view pair);
// Nayin of a pillar, e.g. 甲子 → 海中金.
std::string NayinOf(RefDb& db, std::string_view pillar);

}  // namespace hehun
