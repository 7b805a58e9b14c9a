// The fuzz targets the replay program holds, each under its own name (account_answers, ...).
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string_view>

namespace tarvello::fuzz {

using FuzzTarget = int (*)(const std::uint8_t* data, std::size_t size);

const std::map<std::string_view, FuzzTarget>& FuzzTargets();

}  // namespace tarvello::fuzz
