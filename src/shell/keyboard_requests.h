// What "确定" on the code keyboard asks for in code mode: a short text opens a list or an index
// directly ("60" the 沪深A股 list, "06" the self-selected list, "03" and "04" the two main
// indices), two six-digit numbers open the server screens, and every other text is a security
// search on the list screen. Pure functions; safe from any thread.
#pragma once

#include <optional>
#include <string_view>

#include "market/security_code.h"
#include "navigation/navigation.h"

namespace tarvello {

// The list screen's modes, as its navigation argument.
enum ListScreenMode : int { kListSearchResult = 0, kListCurrentServer = 2, kListServerRows = 3 };

struct KeyboardRequest {
  NavigationRequest navigation;
  // The security the detail screen opens on, for the index shortcuts.
  std::optional<SecurityCode> security;
};

KeyboardRequest RequestForTypedText(std::u16string_view text);

}  // namespace tarvello
