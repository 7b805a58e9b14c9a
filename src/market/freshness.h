// Freshness: whether the figures on a screen are old enough to say so. Figures are stale when
// the last good answer came more than two refresh periods ago during trading hours; outside them
// quotes do not move, so nothing is stale; nor is anything on a screen that does not refresh. The age is shown as "12秒前", "3分钟前" or "2小时前".
// Pure functions.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace tarvello {

std::u16string AgeText(std::chrono::seconds age);

// The age text to show, or none while the figures count as fresh.
std::optional<std::u16string> StaleAge(std::chrono::milliseconds age, std::chrono::milliseconds period, bool trading);

}  // namespace tarvello
