// Version texts such as "V3.3" and "V3.10", compared as versions: the numbers in the text are
// taken in order and compared number by number, so "V3.10" is later than "V3.9" and "V3.3.0"
// names the same version as "V3.3". Pure functions, any thread.
#pragma once

#include <string_view>

namespace tarvello {

// True when candidate names a later version than current. A text without digits (an empty one,
// say) names no version and is never later.
bool IsNewerVersion(std::u16string_view candidate, std::u16string_view current);
bool IsNewerVersion(std::string_view candidate, std::string_view current);

}  // namespace tarvello
