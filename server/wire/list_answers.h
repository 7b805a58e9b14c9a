// ListAnswers: answers the quote list requests: a category list (2113, selector 1) sorted and
// paged on the server, a code list (2113, selector 2) for the terminal's own lists, a sector's
// constituents (2114; the sector's own row comes from the 2203 block before it), the sector
// fund flow (2113, category 110), and the big-order and fund lists (2105, 2106), all from the
// figures of the whole market at one minute. The securities of each category are looked up once
// and kept. Safe from any thread: a mutex guards the kept categories.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "protocol/bytes.h"
#include "server/figures/list_figures.h"
#include "server/figures/market_figures.h"
#include "server/market/market.h"
#include "server/wire/list_requests.h"
#include "server/wire/request_parser.h"

namespace tarvello::server {

class ListAnswers {
 public:
  explicit ListAnswers(const Market& market) : market_(market) {}

  // The body of the block answering a 2105, 2106, 2113 or 2114 packet; nothing for a request
  // that cannot be read (the packet then gets no block).
  std::optional<Bytes> Body(const RequestPacket& packet, const MarketFigures& figures) const;

 private:
  using Figures = std::span<const ListFigures>;
  using Positions = std::shared_ptr<const std::vector<int>>;
  Positions Category(int category, int sector_class) const;
  Positions Members(const ListRequest& request) const;
  Bytes QuoteList(const ListRequest& request, Figures figures) const;
  Bytes FlowList(const ListRequest& request, Figures figures, bool fund) const;
  Bytes SectorFlowList(const ListRequest& request, Figures figures) const;

  const Market& market_;
  mutable std::mutex mutex_;
  // Guarded by mutex_: the securities of each category and sector class asked for.
  mutable std::map<std::pair<int, int>, Positions> categories_;
};

}  // namespace tarvello::server
