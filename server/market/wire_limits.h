// Narrowing of computed figures into the fixed-width fields of the answers: a value beyond a
// field's range is written as the nearest value the field can hold, never wrapped.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tarvello::server {

inline std::int32_t Clamp32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                             std::numeric_limits<std::int32_t>::max()));
}

inline std::int16_t Clamp16(std::int64_t value) {
  return static_cast<std::int16_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int16_t>::min(),
                                                             std::numeric_limits<std::int16_t>::max()));
}

}  // namespace tarvello::server
