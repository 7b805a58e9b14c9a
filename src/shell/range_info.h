// The information side of the menu and text page screen: where an opening argument leads (the
// F10 texts and the information kinds of the current security, the categories for everyone) and what each information mode asks the server for, from
// the scope the pages were opened in and the choices made on them since.
// Pure functions, any thread.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "info/info_fetch.h"
#include "navigation/navigation.h"

namespace tarvello {

// Whose information the pages show.
enum class InfoScope {
  kEveryone,  // the categories and titles of all the market (2700, 2701, 2710)
  kSecurity,  // the current security (2600, 2116 and 2901, the article file)
};

struct PageOpening {
  int mode = 0;
  InfoScope scope = InfoScope::kEveryone;
  NavigationRequest way_out;      // where "返回" leads from the opened mode
  friend bool operator==(const PageOpening&, const PageOpening&) = default;
};

// The stock detail, K-line and futures screens open the pages with their own target id and get
// the information kinds of the current security; "返回" goes back to them as to themselves, so
// they keep their own state and the way back they had. The account menu goes back to the settings
// menu it belongs under, however it was reached.
PageOpening OpeningOf(int argument);

struct InfoChoices {
  InfoScope scope = InfoScope::kEveryone;
  int kind = 1;
  std::vector<std::u16string> codes;  // the current security
  std::u16string article;             // the identifier chosen on the titles
  std::u16string article_title;
};

// Nothing for the modes that need no server.
std::optional<InfoQuery> QueryFor(int mode, const InfoChoices& choices);

}  // namespace tarvello
