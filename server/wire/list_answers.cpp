#include "server/wire/list_answers.h"

#include <algorithm>
#include <functional>
#include <numeric>

#include "protocol/packet_codec.h"
#include "server/figures/list_categories.h"
#include "server/figures/list_market.h"
#include "server/market/wire_limits.h"
#include "server/wire/list_rows.h"
#include "server/wire/list_sorting.h"

namespace tarvello::server {

namespace {

// The inflow ratio of the sector fund flow is in ten-thousandths of a percent.
constexpr std::int64_t kRatioUnitsPerWhole = 100 * 10000;

// Codes the market knows, in the terminal's order; unknown codes get no row.
std::vector<int> KnownCodes(const Market& market, const std::vector<std::string>& codes) {
  std::vector<int> members;
  for (const std::string& code : codes) {
    const int index = FindListSecurity(market, code);
    if (index >= 0) members.push_back(index);
  }
  return members;
}

}  // namespace

std::optional<Bytes> ListAnswers::Body(const RequestPacket& packet, const MarketFigures& market_figures) const {
  std::optional<ListRequest> request;
  switch (packet.type) {
    case kSectorMembers: request = ReadSectorMembers(packet.body); break;
    case kCategoryList: request = ReadCategoryOrCodeList(packet.body); break;
    case kBigOrderList:
    case kFundList: request = ReadFlowList(packet.body); break;
    default: return std::nullopt;
  }
  if (!request) return std::nullopt;
  const Figures figures = market_figures.rows;
  if (packet.type == kBigOrderList || packet.type == kFundList) {
    return FlowList(*request, figures, packet.type == kFundList);
  }
  if (request->selector == ListSelector::kCategory && request->category == kSectorFundFlow) {
    return SectorFlowList(*request, figures);
  }
  return QuoteList(*request, figures);
}

ListAnswers::Positions ListAnswers::Category(int category, int sector_class) const {
  const std::pair<int, int> key{category, category == kSectors ? sector_class : 0};
  const std::lock_guard<std::mutex> lock(mutex_);
  Positions& positions = categories_[key];
  if (!positions) positions = std::make_shared<const std::vector<int>>(CategoryMembers(market_, key.first, key.second));
  return positions;
}

ListAnswers::Positions ListAnswers::Members(const ListRequest& request) const {
  switch (request.selector) {
    case ListSelector::kCodes: return std::make_shared<const std::vector<int>>(KnownCodes(market_, request.codes));
    case ListSelector::kSectorMembers:
      return std::make_shared<const std::vector<int>>(SectorMembers(market_, request.sector_number));
    case ListSelector::kCategory: return Category(request.category, request.extra);
  }
  return std::make_shared<const std::vector<int>>();
}

Bytes ListAnswers::QuoteList(const ListRequest& request, Figures figures) const {
  const Positions held = Members(request);
  const std::vector<int>& members = *held;
  const ListLayout layout = request.selector == ListSelector::kCategory ? LayoutOf(request.category) : ListLayout::kQuote;
  const std::vector<int> page = SortedPage(figures, members, request.order, request.start, request.count);
  return ListBlockBody(figures, page, layout, members.size());
}

// Each row carries its place in the list asked for by the ratio of its days: one more than the
// number of members with a higher ratio. A list of codes is a page of the terminal's own list,
// not a whole list, so its rows carry their place among their peers, as their fund flow views.
Bytes ListAnswers::FlowList(const ListRequest& request, Figures figures, bool fund) const {
  const Positions held = Members(request);
  const std::vector<int>& members = *held;
  const std::size_t period = request.days == 10 ? 3 : request.days == 3 ? 1 : 0;
  const auto row = [&](int m) -> const ListFigures& { return figures[static_cast<std::size_t>(m)]; };
  const int field = request.order.field;
  const bool sortable = field == kByFlow || SortKey(ListFigures{}, field).has_value();
  const std::vector<int> page =
      SortedPageBy(members, sortable, request.order.direction, request.start, request.count, [&](int m) {
        if (field != kByFlow) return *SortKey(row(m), field);
        return ShownValue(fund ? row(m).net_amounts[period] : row(m).net_ratios[period], row(m).decimals);
      });
  const bool own_places = request.selector != ListSelector::kCodes;
  std::vector<int> higher_first;
  if (own_places) {
    for (const int m : members) higher_first.push_back(row(m).flow.ratios[period]);
    std::sort(higher_first.begin(), higher_first.end(), std::greater<>());
  }
  const auto place = [&](int m) {
    if (!own_places) return row(m).flow.ranks[period];
    const auto ahead = std::lower_bound(higher_first.begin(), higher_first.end(), row(m).flow.ratios[period], std::greater<>());
    return static_cast<int>(ahead - higher_first.begin()) + 1;
  };
  std::vector<FlowRow> rows;
  for (const int m : page) rows.push_back(FlowRow{&row(m), row(m).net_ratios[period], row(m).net_amounts[period], place(m)});
  return fund ? FundBlockBody(rows, members.size()) : BigOrderBlockBody(rows, members.size());
}

Bytes ListAnswers::SectorFlowList(const ListRequest& request, Figures figures) const {
  const Positions held = Category(kSectors, 0);
  const std::vector<int>& sectors = *held;
  const std::size_t period = request.extra == 15 ? 2 : request.extra == 5 ? 1 : 0;
  std::vector<BucketRow> rows;
  std::vector<std::int64_t> net;
  for (const int sector : sectors) {
    const ListFigures& f = figures[static_cast<std::size_t>(sector)];
    const SectorFlow flow = f.sector_flows[period];
    const std::int64_t ratio = flow.amount > 0 ? flow.net * kRatioUnitsPerWhole / flow.amount : 0;
    rows.push_back(BucketRow{f.code, f.name, Clamp32(flow.net / 100), Clamp32(ratio)});
    net.push_back(flow.net);
  }
  std::vector<int> order(rows.size());
  std::iota(order.begin(), order.end(), 0);
  const bool sortable = request.order.field == kBySectorInflow;
  const std::vector<int> page = SortedPageBy(order, sortable, request.order.direction, request.start, request.count,
                                             [&](int i) { return net[static_cast<std::size_t>(i)]; });
  std::vector<BucketRow> written;
  for (const int i : page) written.push_back(rows[static_cast<std::size_t>(i)]);
  return BucketBlockBody(written, rows.size());
}

}  // namespace tarvello::server
