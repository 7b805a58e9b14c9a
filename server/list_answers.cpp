#include "server/list_answers.h"

#include <algorithm>
#include <functional>
#include <numeric>

#include "protocol/packet_codec.h"
#include "server/list_categories.h"
#include "server/list_market.h"
#include "server/list_rows.h"
#include "server/list_sorting.h"
#include "server/wire_limits.h"

namespace tarvello::server {

namespace {

constexpr int kMinutesPerDay = 24 * 60;
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

std::optional<Bytes> ListAnswers::Body(const RequestPacket& packet, const SimTime& now) {
  std::optional<ListRequest> request;
  switch (packet.type) {
    case kSectorMembers: request = ReadSectorMembers(packet.body); break;
    case kCategoryList: request = ReadCategoryOrCodeList(packet.body); break;
    case kBigOrderList:
    case kFundList: request = ReadFlowList(packet.body); break;
    default: return std::nullopt;
  }
  if (!request) return std::nullopt;
  if (packet.type == kBigOrderList || packet.type == kFundList) {
    return FlowList(*request, *FiguresAt(now), packet.type == kFundList);
  }
  if (request->selector == ListSelector::kCategory && request->category == kSectorFundFlow) {
    return SectorFlowList(*request, now);
  }
  return QuoteList(*request, *FiguresAt(now));
}

std::shared_ptr<const ListAnswers::Figures> ListAnswers::FiguresAt(const SimTime& now) {
  const std::int64_t minute = now.day * kMinutesPerDay + now.seconds_of_day / 60;
  const std::lock_guard<std::mutex> lock(mutex_);
  if (minute != minute_ || !figures_) {
    figures_ = std::make_shared<const Figures>(BuildListFigures(market_, now));
    minute_ = minute;
  }
  return figures_;
}

std::vector<int> ListAnswers::Members(const ListRequest& request) const {
  switch (request.selector) {
    case ListSelector::kCodes: return KnownCodes(market_, request.codes);
    case ListSelector::kSectorMembers: return SectorMembers(market_, request.sector_number);
    case ListSelector::kCategory: return CategoryMembers(market_, request.category, request.extra);
  }
  return {};
}

Bytes ListAnswers::QuoteList(const ListRequest& request, const Figures& figures) const {
  const std::vector<int> members = Members(request);
  const ListLayout layout = request.selector == ListSelector::kCategory ? LayoutOf(request.category) : ListLayout::kQuote;
  const std::vector<int> page = SortedPage(figures, members, request.order, request.start, request.count);
  return ListBlockBody(figures, page, layout, members.size());
}

Bytes ListAnswers::FlowList(const ListRequest& request, const Figures& figures, bool fund) const {
  const std::vector<int> members = Members(request);
  const auto row = [&](int m) -> const ListFigures& { return figures[static_cast<std::size_t>(m)]; };
  const auto net_ratio = [&](int m) {
    const ListFigures& f = row(m);
    return request.days == 10 ? f.net_ratio_10 : request.days == 3 ? f.net_ratio_3 : f.net_ratio_1;
  };
  const auto inflow = [&](int m) { return ShownValue(net_ratio(m), row(m).decimals); };
  const int field = request.order.field;
  const bool sortable = field == kByFlow || SortKey(ListFigures{}, field).has_value();
  const std::vector<int> page =
      SortedPageBy(members, sortable, request.order.direction, request.start, request.count, [&](int m) {
        if (field != kByFlow) return *SortKey(row(m), field);
        return fund ? ShownValue(row(m).net_amount, row(m).decimals) : inflow(m);
      });
  // Rank: one more than the number of rows with a larger net ratio.
  std::vector<std::int64_t> larger_first;
  larger_first.reserve(members.size());
  for (const int m : members) larger_first.push_back(inflow(m));
  std::sort(larger_first.begin(), larger_first.end(), std::greater<>());
  std::vector<FlowRow> rows;
  for (const int m : page) {
    const auto ahead = std::lower_bound(larger_first.begin(), larger_first.end(), inflow(m), std::greater<>()) -
                       larger_first.begin();
    rows.push_back(FlowRow{&row(m), net_ratio(m), static_cast<int>(ahead) + 1});
  }
  return fund ? FundBlockBody(rows, members.size()) : BigOrderBlockBody(rows, members.size());
}

Bytes ListAnswers::SectorFlowList(const ListRequest& request, const SimTime& now) const {
  const std::vector<int> sectors = CategoryMembers(market_, kSectors, 0);
  const int days = request.extra == 5 || request.extra == 15 ? request.extra : 1;
  std::vector<BucketRow> rows;
  std::vector<std::int64_t> net;
  for (const int sector : sectors) {
    const SectorFlow flow = SectorFlowOf(market_, sector, now, days);
    const Security& s = market_.security(sector);
    const std::int64_t ratio = flow.amount > 0 ? flow.net * kRatioUnitsPerWhole / flow.amount : 0;
    rows.push_back(BucketRow{s.code, s.name, Clamp32(flow.net / 100), Clamp32(ratio)});
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
