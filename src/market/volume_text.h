// Volume texts. An index counts its volume in hundreds and shows it in 万 and 亿; every other
// security shows plain figures up to 100000 and 万 above. Inner and outer volume use the second
// rule for every kind. A zero volume takes the placeholder of the snapshot's last price. Pure
// functions, any thread.
#pragma once

#include <cstdint>
#include <string>

namespace tarvello {

// Total or per-minute volume of a security of securityType.
std::u16string VolumeText(std::int32_t volume, std::uint8_t securityType, std::int32_t last);

// Volume by the share rule whatever the kind (inner and outer volume).
std::u16string ShareVolumeText(std::int32_t volume, std::int32_t last);

}  // namespace tarvello
