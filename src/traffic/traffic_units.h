// Byte counts as the statistics page and the warning show them: "12.3KB", "4.56MB". Pure.
#pragma once

#include <cstdint>
#include <string>

namespace tarvello {

// Kilobytes with one decimal ("0.0KB", "1536.0KB").
std::u16string KilobyteText(std::uint64_t bytes);
// Megabytes with two decimals ("0.00MB", "1.50MB").
std::u16string MegabyteText(std::uint64_t bytes);

}  // namespace tarvello
