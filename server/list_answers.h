// ListAnswers: answers the quote list requests: a category list (2113, selector 1) sorted and
// paged on the server, a code list (2113, selector 2) for the terminal's own lists, a sector's
// constituents (2114; the sector's own row comes from the 2203 block before it), the sector
// fund flow (2113, category 110), and the big-order and fund lists (2105, 2106).
// The figures of the whole market are computed once per simulated minute and shared by every
// request of that minute. Safe from any thread: the shared figures are guarded by a mutex held
// while they are looked up or rebuilt, and are read afterwards without it.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "protocol/bytes.h"
#include "server/list_figures.h"
#include "server/list_requests.h"
#include "server/market.h"
#include "server/request_parser.h"
#include "server/sim_clock.h"

namespace tarvello::server {

class ListAnswers {
 public:
  explicit ListAnswers(const Market& market) : market_(market) {}

  // The body of the block answering a 2105, 2106, 2113 or 2114 packet; nothing for a request
  // that cannot be read (the packet then gets no block).
  std::optional<Bytes> Body(const RequestPacket& packet, const SimTime& now);

 private:
  using Figures = std::vector<ListFigures>;
  std::shared_ptr<const Figures> FiguresAt(const SimTime& now);
  std::vector<int> Members(const ListRequest& request) const;
  Bytes QuoteList(const ListRequest& request, const Figures& figures) const;
  Bytes FlowList(const ListRequest& request, const Figures& figures, bool fund) const;
  Bytes SectorFlowList(const ListRequest& request, const SimTime& now) const;

  const Market& market_;
  std::mutex mutex_;
  std::int64_t minute_ = -1;              // guarded by mutex_
  std::shared_ptr<const Figures> figures_;  // guarded by mutex_: the figures of minute_
};

}  // namespace tarvello::server
