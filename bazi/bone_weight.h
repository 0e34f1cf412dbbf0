// The bone-weight fortune (袁天罡称骨): the weights of the lunar year, month,
// day and hour of birth added up, and the verse of the total.
#pragma once

#include <string>
#include <string_view>

#include "refdb/refdb.h"

namespace hehun {

// One report line: mode 0 the weight and the verse, 1 the comment, 2 the
// meaning; empty text when there is no verse for the total or for any other
// mode. A database that cannot be read stops the user action silently.
std::string BoneWeightFortune(RefDb& db, std::string_view yearText, std::string_view monthText,
                              std::string_view dayText, int mode, std::string_view hourText);

// The two-digit key of a total weight: 4.7 gives "47", 5 gives "50".
std::string BoneWeightKey(double total);

}  // namespace hehun
