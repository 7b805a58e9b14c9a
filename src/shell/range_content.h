// RangeContent: what the menu and text page screen shows in each mode, apart from laying it out.
// A fixed page is the program's own; a mode fed from outside or from the server keeps the content
// it was last handed, with the screen's own lines added. Entering an information mode asks for its
// page under a new ticket; only the answer to the ticket asked last is taken, so that a page left
// before its answer came drops that answer. The choices made on the pages (the information kind,
// the article) and the scope they were opened in shape what the next mode asks for.
//
// User-interface thread only; the fetch itself runs wherever the owner likes.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "market/security_code.h"
#include "shell/range_info.h"
#include "shell/range_pages.h"

namespace tarvello {

class AnswerCache;

class RangeContent {
 public:
  struct Fetch {
    std::uint64_t ticket = 0;
    InfoQuery query;
  };
  struct Entered {
    PageContent content;          // cached or empty while its information is fetched
    std::optional<Fetch> fetch;   // the page to ask for
  };

  // The mode an opening argument shows, with its way out and the security the pages are about.
  int Open(int argument, const SecurityCode& current);
  // can_fetch: whether the owner can fetch information at all. Until the page comes it shows what
  // cache (may be null) holds for it.
  Entered Enter(int mode, bool can_fetch, const AnswerCache* cache);
  // The content to show when the answer to ticket is the one waited for, with the mode's own lines.
  std::optional<PageContent> Arrived(std::uint64_t ticket, int mode, PageContent page);
  // Takes the choices an action on line (of entries) makes before it switches or navigates.
  void Choose(const PageAction& action, const std::vector<PageEntry>& entries, int line);
  // Leaving a page: its answer no longer counts.
  void StopWaiting() { pending_ = 0; }
  bool loading() const { return pending_ != 0; }
  const NavigationRequest& way_out() const { return way_out_; }

 private:
  PageContent ContentOf(int mode) const;

  std::map<int, PageContent> handed_;  // content of the modes fed from outside
  InfoChoices choices_;
  NavigationRequest way_out_;
  std::uint64_t pending_ = 0;  // the ticket waited for, 0 when none
  std::uint64_t tickets_ = 0;
};

}  // namespace tarvello
