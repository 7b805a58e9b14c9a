// The detail screen's pop-up menu: what it offers for the security shown and where each entry
// leads (the F10 pages, trade analysis, order details, alerts, the futures views).
#include "detail/stock_detail_dlg.h"
#include <algorithm>
#include "market/alert_marks.h"
#include "market/change_text.h"
#include "detail/detail_answer.h"
#include "detail/detail_panels_dlg.h"
#include "detail/detail_request.h"
#include "detail/intraday_chart_dlg.h"
#include "detail/intraday_chart_model.h"
#include "market/own_stock_list.h"
#include "market/price_text.h"
#include "market/ticker_cells.h"
#include "market/volume_text.h"
#include "platform/canvas.h"
#include "platform/ticker_strip.h"
#include "navigation/navigation.h"
#include "navigation/navigator.h"
#include "protocol/answer_exchange.h"

namespace tarvello {
namespace {

// Pop-up menu commands.
enum DetailCommand : unsigned {
  kCommandFullScreen = 1,
  kCommandSelfSelect,
  kCommandHome,
  kCommandFuturesQuote,
  kCommandFuturesTicks,
  kCommandCsi300,
  kCommandF10First,  // five F10 pages follow
  kCommandTradeAnalysis = kCommandF10First + 5,
  kCommandOrderDetails,
  kCommandAlerts,
  kCommandTenLevelBook,
};

constexpr const char16_t* kF10Captions[] = {u"最新资讯", u"公司大事", u"公司财务", u"公司概况", u"十大股东"};
constexpr int kF10FirstPage = 13;
constexpr int kCsi300List = -101;
constexpr int kOrderDetailsList = 1140;
constexpr int kTradeAnalysisList = 1141;

}  // namespace

// Until the first answer tells what kind of security this is, the menu offers only what holds for
// every kind: a share's pages for an index, or an index's for a share, would lead nowhere.
std::vector<MenuItem> CStockDetailDlg::PopupMenuItems() const {
  const std::shared_ptr<const DetailView> view = records_.Current();
  const DetailRecords& records = view->records;
  std::vector<MenuItem> items{MenuItem::Command(kCommandFullScreen, full_screen_ ? u"分时走势" : u"完全走势")};
  const MenuItem selfSelect = MenuItem::Command(kCommandSelfSelect, member_ ? u"删除自选" : u"加入自选");
  if (!view->loaded) {
    items.push_back(selfSelect);
  } else if (records.IsFutureMode()) {
    items.push_back(MenuItem::Command(kCommandFuturesQuote, u"详细报价"));
    items.push_back(MenuItem::Command(kCommandFuturesTicks, u"量价明细"));
    items.push_back(MenuItem::Command(kCommandCsi300, u"沪深300"));
    items.push_back(selfSelect);
  } else {
    items.push_back(selfSelect);
    if (records.security.securityType != kSecurityTypeIndex) {
      MenuItem f10;
      f10.text = u"F10信息";
      for (unsigned i = 0; i < std::size(kF10Captions); ++i) {
        f10.submenu.push_back(MenuItem::Command(kCommandF10First + i, kF10Captions[i]));
      }
      items.push_back(std::move(f10));
      items.push_back(MenuItem::Command(kCommandTenLevelBook, u"十档行情"));
      items.push_back(MenuItem::Command(kCommandTradeAnalysis, u"成交透析"));
      items.push_back(MenuItem::Command(kCommandOrderDetails, u"委托明细"));
    }
  }
  items.push_back(MenuItem::Command(kCommandAlerts, u"预警设置"));
  items.push_back(MenuItem::Command(kCommandHome, u"返回首页"));
  return items;
}

void CStockDetailDlg::ShowPopupMenu(Point at) {
  RunCommand(TrackPopupMenu(PopupMenuItems(), at, MenuAnchor::kBottomLeft));
}

void CStockDetailDlg::RunCommand(unsigned command) {
  switch (command) {
    case kCommandFullScreen:
      full_screen_ = !full_screen_;
      Invalidate();
      break;
    case kCommandSelfSelect: ToggleSelfSelected(); break;
    case kCommandTenLevelBook: SelectPanel(kPanelTenLevelBook); break;
    case kCommandHome: Navigate(kTargetMainMenu, 0); break;
    case kCommandFuturesQuote: Navigate(kTargetFuturesMode1, 0); break;
    case kCommandFuturesTicks: Navigate(kTargetFuturesMode2, 0); break;
    case kCommandCsi300: Navigate(kTargetQuoteList, kCsi300List); break;
    case kCommandTradeAnalysis: Navigate(kTargetQuoteList, kTradeAnalysisList); break;
    case kCommandOrderDetails: Navigate(kTargetQuoteList, kOrderDetailsList); break;
    case kCommandAlerts: Navigate(kTargetAlerts, kTargetStockDetail); break;
    default:
      if (command >= kCommandF10First && command < kCommandF10First + std::size(kF10Captions)) {
        Navigate(kTargetMenuPage, kF10FirstPage + static_cast<int>(command - kCommandF10First));
      }
      break;
  }
}

void CStockDetailDlg::Navigate(int target, int argument) {
  if (parts_.navigator) parts_.navigator->GoTo(target, argument);
}

}  // namespace tarvello
