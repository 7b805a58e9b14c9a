// The owning byte buffer that carries packets, containers and answers.
#pragma once

#include <cstdint>
#include <vector>

namespace tarvello {

using Bytes = std::vector<std::uint8_t>;

}  // namespace tarvello
