// Terminal: the running program put together: the deployment values, the communication log and
// the transport, the connection substitute and the network bring-up with its redial question, the
// device frame with the shared progress window, the main screen and the start dialog. It starts
// the main screen, shows the start dialog when the network could not be brought up, and starts the
// main screen again from there.
//
// User-interface thread only. The destructor stops the main screen's threads before the transport
// and the windows they use go away.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "app/progress_dial_presenter.h"
#include "app/ui_thread_call.h"
#include "base/background_tasks.h"
#include "base/geometry.h"
#include "platform/device_frame.h"
#include "protocol/comm_log.h"
#include "protocol/communicate.h"
#include "protocol/failover.h"
#include "protocol/network_bringup.h"
#include "protocol/scripted_connection.h"
#include "protocol/server_choice.h"
#include "protocol/transport_links.h"
#include "settings/deployment.h"
#include "storage/answer_cache.h"
#include "market/own_stock_list.h"
#include "detail/stock_detail_dlg.h"
#include "futures/futures_dlg.h"
#include "lists/stock_list_dlg.h"
#include "markup/markup_page_dlg.h"
#include "kline/kline_dlg.h"
#include "brokers/commission_dlg.h"
#include "shell/list_screen_dlg.h"
#include "shell/main_dlg.h"
#include "shell/network_startup.h"
#include "shell/progress_dlg.h"
#include "settings/refresh_settings.h"
#include "shell/start_dlg.h"
#include "shell/stock_range_dlg.h"
#include "account/login_dlg.h"
#include "account/recommend_friend_dlg.h"
#include "account/refresh_settings_dlg.h"
#include "account/traffic_page_dlg.h"
#include "account/user_data_dlg.h"
#include "alerts/alerts_page_dlg.h"
#include "market/alert_watch.h"
#include "platform/phone_book.h"
#include "settings/account_session.h"
#include "base/ticker.h"
#include "traffic/traffic_ledger.h"
#include "web/page_fetch.h"

namespace tarvello {

class Terminal {
 public:
  // folder: the program folder, already set; screen: the handheld screen in logical pixels;
  // finished: called (queued) when the program should end.
  Terminal(const std::filesystem::path& folder, Size screen, std::function<void()> finished);
  ~Terminal();
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;

  // Shows the frame and starts the main screen.
  void Start();
  // Shows the start dialog with the no-network text, as after a failed start.
  void ShowStartDialog();

  DeviceFrame& frame() { return frame_; }
  CDlgFlag& progress() { return progress_; }
  // True while an exchange holds the progress window, before its strip is up as well as after,
  // and from the moment the screen in front asks for one; silent refreshes do not count.
  bool Busy();
  CDlgMain* main_screen() { return main_.get(); }
  // Null until the main screen has started.
  CStockDetailDlg* detail_screen() { return detail_.get(); }
  // Null until the main screen has started.
  CStockRangeDlg* menu_page() { return menu_page_.get(); }
  CKLineDlg* kline_screen() { return kline_.get(); }
  CDlgList* server_list_screen() { return server_list_.get(); }
  CStockListDlg* list_screen() { return list_.get(); }
  CCommissionDlg* broker_screen() { return brokers_.get(); }
  CGzqhDlg* futures_screen() { return futures_.get(); }
  // Makes code the current security and asks the main screen to show its detail screen.
  void OpenSecurity(const SecurityCode& code);
  CStartDlg& start_dialog() { return start_; }
  const RefreshSettings& refresh_settings() const { return refresh_; }
  // Null until the main screen has started.
  CDlgRecommend* settings_screen() { return settings_.get(); }
  CDlgLogin* login_screen() { return login_.get(); }
  CDlgUserData* user_data_screen() { return user_data_.get(); }
  CDlgRecommendFriend* recommend_screen() { return recommend_.get(); }
  CAlertsPageDlg* alerts_screen() { return alerts_.get(); }
  CTrafficPageDlg* traffic_page() { return traffic_page_.get(); }
  TrafficLedger& traffic() { return traffic_; }
  AccountSession& account_session() { return session_; }

 private:
  MainScreenParts MainParts();
  void StartMain();
  void AddDetailScreen();
  void AddMenuPage();
  void OnCloseButton();
  void AddListScreen();
  void AddKLineScreen();
  void AddBrokerScreen();
  void AddServerListScreen();
  void AddFuturesScreen();
  void AddMarkupScreen();
  void AddAccountScreens();
  void AddAlertsScreen();
  void AddTrafficPage();
  // The refresh periods of the traffic page, as the timers run now.
  TrafficPeriods TrafficPeriodsNow() const;
  // Places screen in the frame and shows it for target after its Open(), whatever the argument.
  template <typename Screen>
  void AdoptOpenedFor(int target, Screen& screen) {
    frame_.Adopt(&screen);
    main_->RegisterScreen(target, [&screen](int) -> Window* {
      screen.Open();
      return &screen;
    });
  }
  void CloseMain();
  void OnMainEnded(MainResult result);
  NetworkBringUp::Hooks BringUpHooks();
  FailoverLink FailoverLinks();
  // Every screen's exchanges with the quote server, watched by the failover and counted for screen.
  ExchangeFunction Exchange(TrafficScreen screen = kTrafficOther);
  // The index ticker with the failover's word about the connection.
  TickerState Ticker() const;

  const std::filesystem::path folder_;
  const Size screen_;
  const std::function<void()> finished_;
  const Deployment deployment_;
  RefreshSettings refresh_;  // replaced when the settings screen saves
  TrafficLedger traffic_;    // counts every exchange; installed before any thread starts
  AnswerCache answer_cache_;  // the screens' last good answers; saved last, after their workers stopped
  ::tarvello::Ticker traffic_saver_;  // writes "Traffic.ini" once a minute
  CommLog log_;
  CCommunicate transport_;
  ScriptedConnection connection_;
  NetworkBringUp bringup_;
  ServerSelection selection_;
  ProbeStop probe_stop_;             // before the failover, whose probes it ends
  Failover failover_;                // after the transport and the log it uses
  SystemProbeClock clock_;
  UiThreadCall ui_;
  DeviceFrame frame_;
  PageFetchStop page_stop_;          // the progress window's cancel ends a markup page fetch
  CDlgFlag progress_;
  ProgressDialPresenter presenter_;
  ConnectionRedial redial_;
  CStartDlg start_;
  int carrier_ = 0;                  // the carrier chosen in the start dialog
  OwnStockList self_selected_;
  OwnStockList recently_viewed_;
  BackgroundTasks list_writes_;      // after the lists it writes: it finishes before they go
  std::unique_ptr<CDlgMain> main_;   // its threads stop before the frame and transport go
  std::unique_ptr<CStockDetailDlg> detail_;  // after main_: its worker stops first
  std::unique_ptr<CStockRangeDlg> menu_page_;
  std::unique_ptr<CStockListDlg> list_;      // after main_: its worker stops first
  std::unique_ptr<CKLineDlg> kline_;         // likewise
  std::unique_ptr<CCommissionDlg> brokers_;
  std::unique_ptr<CDlgList> server_list_;    // likewise
  std::unique_ptr<CGzqhDlg> futures_;        // likewise
  std::unique_ptr<CMarkupPageDlg> markup_;   // likewise
  AccountSession session_;
  ContactsFilePhoneBook phone_book_;
  std::unique_ptr<CDlgRecommend> settings_;
  std::unique_ptr<CDlgLogin> login_;               // its errand ends after the main screen's
  std::unique_ptr<CDlgUserData> user_data_;        // shutdown cancelled the exchange
  std::unique_ptr<CDlgRecommendFriend> recommend_;
  std::unique_ptr<CAlertsPageDlg> alerts_;
  std::unique_ptr<CTrafficPageDlg> traffic_page_;
  std::unique_ptr<AlertWatch> alert_watch_;        // stopped first when the main screen closes
};

}  // namespace tarvello
