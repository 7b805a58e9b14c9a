// Message: one window or thread message, an identifier and two parameters, as the handheld's
// message calls carry them. The identifiers in use are the system's own (kMsg* below).
#pragma once

#include <cstdint>

namespace tarvello {

struct Message {
  int id = 0;
  std::intptr_t wparam = 0;
  std::intptr_t lparam = 0;
  friend bool operator==(const Message&, const Message&) = default;
};

// Window and thread messages that more than one subsystem posts or handles.
enum ShellMessage : int {
  kMsgNavigate = 2026,        // to the main screen: target id, argument
  kMsgTickerRepaint = 2027,   // to the main screen: repaint the ticker
  kMsgProgress = 2032,        // to the main screen: 5 show, 0 hide the progress window
  kMsgRefresh = 2033,         // to a data screen's worker: 1 with busy indication, 0 silent
  kMsgStartupDone = 11024,    // to the main screen: network start-up finished, 1 or 0
};

inline constexpr std::intptr_t kBusyShow = 5;
inline constexpr std::intptr_t kBusyHide = 0;
inline constexpr std::intptr_t kBusyFromScreen = 1126;

// Refresh timers of the data screens.
inline constexpr unsigned kTimerIntraday = 3001;  // stock detail and index futures
inline constexpr unsigned kTimerKLine = 3002;
inline constexpr unsigned kTimerQuoteList = 3003;

}  // namespace tarvello
