#include "server/list_answers.h"

#include "protocol/packet_codec.h"
#include "server/list_categories.h"
#include "server/list_market.h"
#include "server/list_rows.h"
#include "server/list_sorting.h"

namespace tarvello::server {

namespace {

constexpr int kMinutesPerDay = 24 * 60;

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
  const std::optional<ListRequest> request =
      packet.type == kSectorMembers ? ReadSectorMembers(packet.body) : ReadCategoryOrCodeList(packet.body);
  if (!request) return std::nullopt;
  return Answer(*request, *FiguresAt(now));
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

Bytes ListAnswers::Answer(const ListRequest& request, const Figures& figures) const {
  std::vector<int> members;
  ListLayout layout = ListLayout::kQuote;
  switch (request.selector) {
    case ListSelector::kCodes: members = KnownCodes(market_, request.codes); break;
    case ListSelector::kSectorMembers: members = SectorMembers(market_, request.sector_number); break;
    case ListSelector::kCategory:
      layout = LayoutOf(request.category);
      if (layout != ListLayout::kBucket) members = CategoryMembers(market_, request.category, request.extra);
      break;
  }
  const std::vector<int> page = SortedPage(figures, members, request.order, request.start, request.count);
  return ListBlockBody(figures, page, layout, members.size());
}

}  // namespace tarvello::server
