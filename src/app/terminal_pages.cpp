// The program's assembly, continued: the settings, account, alerts and traffic pages, and the
// background alert check and traffic warning they come with.
#include "app/terminal.h"
#include <QMetaObject>
#include <thread>
#include "market/market_clock.h"
#include "account/version_check.h"
#include "base/program_folder.h"
#include "protocol/error_record.h"
#include "protocol/transport_links.h"
#include "shell/device_registration.h"
#include "text/text_codec.h"
#include "traffic/traffic_allowance.h"
#include "traffic/traffic_file.h"
#include "web/page_fetch.h"

namespace tarvello {

// The settings screen (1128) and the account screens: user data (1145), login (1146), switching
// user (1147) and the recommendation (1148).
void Terminal::AddAccountScreens() {
  settings_ = std::make_unique<CDlgRecommend>(
      RefreshSettingsParts{main_.get(), folder_, [this] { return refresh_; },
                           [this](const RefreshSettings& saved) {
                             // Each data screen's worker arms its timer with the new period next time.
                             refresh_ = saved;
                             list_->SetListPeriod(std::chrono::seconds(saved.list_seconds));
                             detail_->SetRefreshPeriod(std::chrono::seconds(saved.intraday_seconds));
                             futures_->SetRefreshPeriod(std::chrono::seconds(saved.intraday_seconds));
                             kline_->SetRefreshPeriod(std::chrono::seconds(saved.kline_seconds));
                             if (alert_watch_) alert_watch_->SetPeriod(std::chrono::seconds(saved.list_seconds));
                           }},
      &frame_);
  const AccountParts parts{Exchange(), main_.get(), folder_, &session_, deployment_.register_page,
                           deployment_.download_page, &phone_book_};
  login_ = std::make_unique<CDlgLogin>(parts, &frame_);
  user_data_ = std::make_unique<CDlgUserData>(parts, &frame_);
  recommend_ = std::make_unique<CDlgRecommendFriend>(parts, &frame_);
  AdoptOpenedFor(kTargetSettings, *settings_);
  AdoptOpenedFor(kTargetUserData, *user_data_);
  AdoptOpenedFor(kTargetRecommendFriend, *recommend_);
  frame_.Adopt(login_.get());
  for (const int target : {kTargetLogin, kTargetSwitchUser}) {
    main_->RegisterScreen(target, [this, target](int) -> Window* {
      login_->Open(target);
      return login_.get();
    });
  }
}

// The alerts page (its argument names the screen to go back to) and the background check of the
// alerts, once per list period whatever screen is open; what fired is said in one message box on
// the user-interface thread, and the lists repaint to mark the names.
void Terminal::AddAlertsScreen() {
  alerts_ = std::make_unique<CAlertsPageDlg>(AlertsPageParts{main_.get(), AlertBook::InFolder(folder_)}, &frame_);
  frame_.Adopt(alerts_.get());
  main_->RegisterScreen(kTargetAlerts, [this](int caller) -> Window* {
    alerts_->Open(caller);
    return alerts_.get();
  });
  const auto fired = [this](const std::vector<AlertFiring>& firings) {
    std::u16string text;
    for (const AlertFiring& firing : firings) text += (text.empty() ? u"" : u"\n\n") + AlertMessage(firing);
    QMetaObject::invokeMethod(&frame_, [this, text] {
      if (list_) list_->Invalidate();
      ActivePrompter().MessageBox(text, u"提示", PromptButtons::kOk);
    }, Qt::QueuedConnection);
  };
  alert_watch_ = std::make_unique<AlertWatch>(
      AlertBook::InFolder(folder_), AlertMarks::Shared(),
      AlertWatchParts{Exchange(kTrafficAlerts), std::chrono::seconds(refresh_.list_seconds), fired});
}

// The traffic statistics page (1161), and the allowance's warning, said once a month in a message
// box on the user-interface thread.
void Terminal::AddTrafficPage() {
  traffic_page_ = std::make_unique<CTrafficPageDlg>(
      TrafficPageParts{main_.get(), &traffic_, [this] { return TrafficPeriodsNow(); }, &answer_cache_}, &frame_);
  AdoptOpenedFor(kTargetTraffic, *traffic_page_);
  traffic_.SetWarning([this](const TrafficTotals& totals) {
    QMetaObject::invokeMethod(&frame_, [text = AllowanceWarningText(totals)] {
      ActivePrompter().MessageBox(text, u"提示", PromptButtons::kOk);
    }, Qt::QueuedConnection);
  });
}

TrafficPeriods Terminal::TrafficPeriodsNow() const {
  const auto seconds = [](std::chrono::milliseconds period) { return static_cast<int>(period.count() / 1000); };
  const int factor = TrafficPeriodFactor();
  TrafficPeriods periods{};
  periods[kTrafficTicker] = seconds(CDlgMain::kTickerPeriod) * factor;
  periods[kTrafficAlerts] = refresh_.list_seconds * factor;
  if (detail_) periods[kTrafficDetail] = seconds(detail_->refresh_period());
  if (kline_) periods[kTrafficKLine] = seconds(kline_->refresh_period());
  if (list_) periods[kTrafficList] = seconds(list_->refresh_period());
  if (futures_) periods[kTrafficFutures] = seconds(futures_->refresh_period());
  return periods;
}

}  // namespace tarvello
