// The simulator's small site of markup pages under "/wap/", the pages the terminal's markup view
// browses: a front page, a market summary of the simulated day (the main indices and the number
// of A shares up, down and unchanged), a table of the day's largest risers and fallers, a page of
// text colours and styles, a page of pictures (small bitmaps the site serves too), and one page
// whose end tag does not match its start tag, so the reader's fault shows. Links between the pages
// are relative, so the site answers under whatever host and port it is reached at.
// Pages are UTF-8 text. Pure functions of the market and the moment; safe from any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "server/market/market.h"
#include "server/market/sim_clock.h"

namespace tarvello::server {

inline constexpr std::string_view kMarkupFrontPage = "/wap/index.wml";

// The page (or picture) at path as the market stands at now; nothing for a path of no page.
std::optional<std::string> MarkupPage(std::string_view path, const Market& market,
                                      const SimTime& now);

}  // namespace tarvello::server
