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

namespace {

// How often the traffic counts are written while the program runs.
constexpr std::chrono::minutes kTrafficSavePeriod{1};
// How long after a tap that views a code the code is written to the recently viewed list: on a
// quick link the tap's answer has been painted by then, and the user is reading it.
constexpr std::chrono::milliseconds kRememberViewedAfter{1000};

}  // namespace

Terminal::Terminal(const std::filesystem::path& folder, Size screen, std::function<void()> finished)
    : folder_(folder),
      screen_(screen),
      finished_(std::move(finished)),
      deployment_(LoadDeployment(folder)),
      refresh_(LoadRefreshSettings(folder)),
      traffic_(folder / kTrafficFileName),
      answer_cache_(folder / kAnswerCacheFileName),
      traffic_saver_(kTrafficSavePeriod, [this] { traffic_.SaveIfChanged(); }),
      log_(folder),
      transport_(log_, WapGateway{deployment_.gateway_host, deployment_.gateway_port}),
      connection_(deployment_.network_case, deployment_.access_point, folder / kProvisioningLogName),
      bringup_(connection_, deployment_.cdma_user, deployment_.cdma_password, BringUpHooks()),
      failover_(FailoverLinks(), selection_),
      frame_(screen),
      progress_(ProgressHooks{[this] { transport_.Cancel(); }, [this] { page_stop_.Stop(); },
                              [this](const Message& m) {
                                if (main_) main_->PostMessage(m.id, m.wparam, m.lparam);
                              }},
                &frame_),
      presenter_(progress_, ui_),
      redial_(bringup_, presenter_,
              [this](std::u16string_view text, std::u16string_view caption) {
                return ui_.Run([text = std::u16string(text), caption = std::u16string(caption)] {
                  return ActivePrompter().MessageBox(text, caption, PromptButtons::kYesNo) == PromptAnswer::kYes;
                }, false);
              },
              transport_),
      start_(StartChoices{[this](int carrier) {
                            carrier_ = carrier;
                            DialFromStartDialog(bringup_, carrier, presenter_);
                            StartMain();
                          },
                          [this] { StartMain(); }, [this] { finished_(); }},
             &frame_),
      self_selected_(OwnStockList::SelfSelected(folder)),
      recently_viewed_(OwnStockList::RecentlyViewed(folder)),
      phone_book_(folder) {
  progress_.hide();
  start_.hide();
  InstallTrafficSink(&traffic_);
  transport_.SetRedialQuestion(&redial_);
  frame_.SetCloseHandler([this] { OnCloseButton(); });
  // A read of the recently viewed list sees every code viewed before it, written or not yet.
  recently_viewed_.SetBeforeRead([this] { list_writes_.RunQueued(); });
}

// The window's close button asks the exit question like the exit key; with no main screen (the
// start dialog is up) it ends the program as the dialog's "退出" does.
void Terminal::OnCloseButton() {
  if (main_) {
    main_->AskExit();
  } else {
    finished_();
  }
}

Terminal::~Terminal() {
  ui_.Close();
  CloseMain();
  transport_.SetRedialQuestion(nullptr);
  InstallTrafficSink(nullptr);
  traffic_.SaveIfChanged();
  answer_cache_.Save();
}

NetworkBringUp::Hooks Terminal::BringUpHooks() {
  return NetworkBringUp::Hooks{
      [this](std::string_view line) { log_.Write(line); },
      [this](std::u16string_view text) { ErrorRecord(folder_).Write(text); },
      [](int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }};
}

FailoverLink Terminal::FailoverLinks() {
  const auto host = [this](ServerCell cell) {
    return deployment_.quote_servers[static_cast<std::size_t>(cell.group)][static_cast<std::size_t>(cell.index)];
  };
  return FailoverLink{
      [this, host](ServerCell cell) {
        return ProbeServer(log_, WapGateway{deployment_.gateway_host, deployment_.gateway_port}, transport_.direct(),
                           host(cell), deployment_.quote_port, probe_stop_);
      },
      [this, host](ServerCell cell) { SwitchServer(transport_, host(cell), deployment_.quote_port); },
      [this, host](ServerCell cell) { return host(cell) + ":" + std::to_string(deployment_.quote_port); },
      [this](std::string_view line) { log_.Write(line); },
      [this] { probe_stop_.Stop(); },
      [this] {
        const auto [address, port] = transport_.Server();
        return address + ":" + std::to_string(port);
      }};
}

ExchangeFunction Terminal::Exchange(TrafficScreen screen) {
  return [screen, exchange = WatchedExchange(transport_, failover_)](std::span<const std::uint8_t> request,
                                                                     std::span<std::uint8_t> answer) {
    const TrafficScope counted(screen);
    return exchange(request, answer);
  };
}

TickerState Terminal::Ticker() const {
  TickerState state = main_ ? main_->ticker() : TickerState{};
  state.notice = FailoverNotice(failover_.Status(), transport_.GetServerText());
  return state;
}

void Terminal::Start() {
  frame_.show();
  StartMain();
}

// The frame forgets the screen in front before the main screen goes, so that it never holds a
// pointer to a destroyed window. Every exchange gives up while the screens and their threads go,
// so that none of them is joined only after its answer timed out.
void Terminal::CloseMain() {
  transport_.Stop();
  frame_.ShowScreen(nullptr);
  alert_watch_.reset();
  server_list_.reset();
  list_.reset();
  kline_.reset();
  brokers_.reset();
  futures_.reset();
  markup_.reset();
  detail_.reset();
  menu_page_.reset();
  main_.reset();
  settings_.reset();
  login_.reset();
  user_data_.reset();
  recommend_.reset();
  alerts_.reset();
  traffic_page_.reset();
  transport_.Resume();
}

void Terminal::ShowStartDialog() {
  CloseMain();
  start_.SetNoNetwork(true);
  frame_.SetTitle(u"Tarvello");
  frame_.ShowScreen(&start_);
}

MainScreenParts Terminal::MainParts() {
  MainScreenParts parts;
  parts.frame = &frame_;
  parts.progress = &progress_;
  parts.exchange = Exchange(kTrafficTicker);
  parts.log = &log_;
  parts.folder = folder_;
  parts.login_placeholder = deployment_.login_placeholder;
  parts.network_startup = [this] { return BringNetworkUp(bringup_, carrier_, transport_); };
  parts.choose_server = [this] {
    ConnectQuoteServer(transport_, clock_, deployment_, selection_);
    // The market's own time tells the data screens when quotes move (their figures age only then).
    if (const auto time = AskServerTime(Exchange())) SetMarketTime({time->first, time->second});
  };
  parts.register_device = [this] {
    RunDeviceRegistration(TransportExchange(transport_),
                          RegistrationContext{folder_, screen_.width, screen_.height, HostMachineCandidates()});
  };
  parts.allow_redial = [this] { transport_.SetDialPromptAllowed(true); };
  parts.session = &session_;
  parts.after_login = [this] { RunStartupVersionCheck(Exchange(), folder_, deployment_.download_page, session_); };
  parts.cancel_exchange = [this] { transport_.Cancel(); };
  parts.connection_notice = [this] { return FailoverNotice(failover_.Status(), transport_.GetServerText()); };
  // The alert check starts once the start-up's exchanges are over: during a slow start its own
  // would count toward failover and could override the start-up's choice of server.
  parts.on_startup_over = [this] {
    if (alert_watch_) alert_watch_->Start();
  };
  parts.on_end = [this](MainResult result) {
    QMetaObject::invokeMethod(&frame_, [this, result] { OnMainEnded(result); }, Qt::QueuedConnection);
  };
  return parts;
}

void Terminal::StartMain() {
  CloseMain();
  start_.hide();
  main_ = std::make_unique<CDlgMain>(MainParts(), &frame_);
  AddDetailScreen();
  AddMenuPage();
  AddListScreen();
  AddKLineScreen();
  AddBrokerScreen();
  AddServerListScreen();
  AddFuturesScreen();
  AddMarkupScreen();
  AddAccountScreens();
  AddAlertsScreen();
  AddTrafficPage();
  frame_.SetTitle(u"Tarvello");
  frame_.ShowScreen(main_.get());
  main_->Start();
}

// The detail screen opens on the current security and remembers it among the recently viewed,
// except when its own "<" and ">" step through a list.
void Terminal::AddDetailScreen() {
  StockDetailParts parts;
  parts.exchange = Exchange(kTrafficDetail);
  parts.mainScreen = main_.get();
  parts.selfSelected = &self_selected_;
  parts.ticker = [this] { return Ticker(); };
  parts.period = std::chrono::seconds(refresh_.intraday_seconds);
  parts.navigator = main_.get();
  parts.setTitle = [this](const std::u16string& title) { frame_.SetTitle(title); };
  detail_ = std::make_unique<CStockDetailDlg>(std::move(parts), &frame_);
  frame_.Adopt(detail_.get());
  detail_->SetAnswerCache(&answer_cache_);
  main_->RegisterScreen(kTargetStockDetail, [this](int argument) -> Window* {
    const SecurityCode code = main_->CurrentSecurity();
    if (code.empty()) return nullptr;
    detail_->Open(code);
    // The list file is written and flushed away from the tap, and a while after it, when the tap's
    // exchange and paint are normally over: the write and its flush would otherwise take the
    // processor and the disk from them.
    if (argument != kTargetStockDetail) {
      list_writes_.Post([this, code] { recently_viewed_.Remember(code); }, kRememberViewedAfter);
    }
    return detail_.get();
  });
}

// The menu and text page opens in the page mode given as the argument.
// Its information pages fetch through the shared transport; a security's article comes from the
// information server of the chosen server cell.
void Terminal::AddMenuPage() {
  menu_page_ = std::make_unique<CStockRangeDlg>(main_.get(), &frame_);
  const auto info_server = [this] {
    const ServerCell cell = selection_.Get();
    return deployment_.info_servers[static_cast<std::size_t>(cell.group & 1)][static_cast<std::size_t>(cell.index & 1)];
  };
  InfoLinks links;
  links.exchange = Exchange(kTrafficInfo);
  links.info_server = info_server;
  links.info_port = deployment_.info_port;
  links.cache = &answer_cache_;
  links.download = [this, info_server](std::span<const std::uint8_t> request, std::span<std::uint8_t> answer) {
    const TrafficScope counted(kTrafficInfo);
    return PassThroughExchange(transport_, info_server(), deployment_.info_port, request, answer);
  };
  menu_page_->ConnectInformation(std::move(links), [this] { transport_.Cancel(); });
  frame_.Adopt(menu_page_.get());
  main_->RegisterScreen(kTargetMenuPage, [this](int mode) -> Window* {
    menu_page_->Open(mode);
    return menu_page_.get();
  });
}

// One quote list screen shows every list: the categories and indices (1126), the recently viewed
// (1130) and self-selected (1132) lists; 1136 is the markup page view.
void Terminal::AddListScreen() {
  StockListParts parts;
  parts.exchange = Exchange(kTrafficList);
  parts.mainScreen = main_.get();
  parts.selfSelected = &self_selected_;
  parts.recentlyViewed = &recently_viewed_;
  parts.ticker = [this] { return Ticker(); };
  parts.period = std::chrono::seconds(refresh_.list_seconds);
  parts.navigator = main_.get();
  parts.setTitle = [this](const std::u16string& title) { frame_.SetTitle(title); };
  list_ = std::make_unique<CStockListDlg>(std::move(parts), &frame_);
  list_->SetAnswerCache(&answer_cache_);
  frame_.Adopt(list_.get());
  for (const int target : {kTargetQuoteList, kTargetQuoteListOwnPage, kTargetQuoteListOtherPage}) {
    main_->RegisterScreen(target, [this, target](int argument) -> Window* {
      return list_->Open(target, argument) ? list_.get() : nullptr;
    });
  }
}

// The K-line chart opens on the current security; the argument names the screen it came from.
void Terminal::AddKLineScreen() {
  KLineParts parts;
  parts.exchange = Exchange(kTrafficKLine);
  parts.mainScreen = main_.get();
  parts.selfSelected = &self_selected_;
  parts.ticker = [this] { return Ticker(); };
  parts.period = std::chrono::seconds(refresh_.kline_seconds);
  parts.navigator = main_.get();
  parts.frame = &frame_;
  kline_ = std::make_unique<CKLineDlg>(std::move(parts), &frame_);
  frame_.Adopt(kline_.get());
  kline_->SetAnswerCache(&answer_cache_);
  main_->RegisterScreen(kTargetKLine, [this](int caller) -> Window* {
    const SecurityCode code = main_->CurrentSecurity();
    if (code.empty()) return nullptr;
    kline_->Open(code, caller);
    return kline_.get();
  });
}

// The broker screen dials through the deployment's dialer command; none configured, no phone.
void Terminal::AddBrokerScreen() {
  CommissionParts parts;
  parts.folder = folder_;
  parts.shippedFolder = ShippedFolder();
  parts.navigator = main_.get();
  if (!deployment_.dialer_command.empty()) parts.dialer = std::make_unique<CommandDialer>(deployment_.dialer_command);
  parts.setTitle = [this](const std::u16string& title) { frame_.SetTitle(title); };
  brokers_ = std::make_unique<CCommissionDlg>(std::move(parts), &frame_);
  AdoptOpenedFor(kTargetBrokers, *brokers_);
}

// The list screen: the code search of the keyboard, the server in use and the manual server
// list, whose rows switch the transport to their server.
void Terminal::AddServerListScreen() {
  ListScreenParts parts;
  parts.exchange = Exchange();
  parts.mainScreen = main_.get();
  parts.navigator = main_.get();
  parts.searchText = [this] { return main_ && main_->keyboard() ? main_->keyboard()->search_text() : std::u16string(); };
  parts.serverText = [this] { return transport_.GetServerText(); };
  for (int row = 0; row < Deployment::kServerRows; ++row) parts.serverRows.push_back(ServerListText(deployment_, row));
  parts.chooseServer = [this](int row) {
    failover_.TurnOff();  // the user's choice stands until the next start
    selection_.Set(ManualChoice(row, selection_.Get()));
    SwitchServer(transport_, deployment_.server_rows[static_cast<std::size_t>(row)], deployment_.quote_port);
  };
  server_list_ = std::make_unique<CDlgList>(std::move(parts), &frame_);
  frame_.Adopt(server_list_.get());
  main_->RegisterScreen(kTargetListScreen, [this](int mode) -> Window* {
    return server_list_->Open(mode) ? server_list_.get() : nullptr;
  });
}

// The index futures screen opens on the current security in the view of its target; the
// argument names the screen it came from. The detail screen's menu asks for the quote and tick
// views with 0, so 0 means the detail screen. A security opened from elsewhere than a list goes
// back to the recently viewed list.
void Terminal::AddFuturesScreen() {
  FuturesParts parts;
  parts.exchange = Exchange(kTrafficFutures);
  parts.mainScreen = main_.get();
  parts.selfSelected = &self_selected_;
  parts.ticker = [this] { return Ticker(); };
  parts.period = std::chrono::seconds(refresh_.intraday_seconds);
  parts.navigator = main_.get();
  parts.setTitle = [this](const std::u16string& title) { frame_.SetTitle(title); };
  futures_ = std::make_unique<CGzqhDlg>(std::move(parts), &frame_);
  frame_.Adopt(futures_.get());
  futures_->SetAnswerCache(&answer_cache_);
  for (const int target : {kTargetFuturesMode1, kTargetFuturesMode2, kTargetFuturesMode3}) {
    main_->RegisterScreen(target, [this, target](int caller) -> Window* {
      const SecurityCode code = main_->CurrentSecurity();
      if (code.empty()) return nullptr;
      futures_->Open(*ViewForTarget(target), code,
                     FuturesCaller{caller == 0 ? kTargetStockDetail : caller, !main_->OpenedFromList()});
      return futures_.get();
    });
  }
}

// The markup page view (1136) opens on the front page of the first information server; pages come
// directly or, in WAP mode, through the carrier's gateway.
void Terminal::AddMarkupScreen() {
  MarkupPageParts parts;
  parts.fetch = [this](std::u16string_view address) {
    // The progress window is up while the page comes: its cancel ends this fetch, not an
    // exchange on the quote connection, until the fetch is over.
    page_stop_.Arm();
    progress_.state().SetCancelKind(CancelKind::kPageFetch);
    PageFetchParts fetch{
        [this] { return bringup_.IsAvailable(transport_.direct() ? TransportMode::kDirect : TransportMode::kWap) == 0; },
        [this]() -> std::optional<PageProxy> {
          if (transport_.direct()) return std::nullopt;
          return PageProxy{deployment_.gateway_host, deployment_.gateway_port};
        },
        [this](std::string_view line) { log_.Write(line); }, folder_ / kPageDumpName};
    fetch.stop = &page_stop_;
    const TrafficScope counted(kTrafficPages);
    std::u16string page = FetchPage(fetch, address);
    progress_.state().SetCancelKind(CancelKind::kExchange);
    return page;
  };
  parts.home = text::FromUtf8("http://" + deployment_.info_servers[1][0] + ":" + std::to_string(deployment_.info_port) +
                              "/wap/index.wml");
  parts.mainScreen = main_.get();
  parts.navigator = main_.get();
  markup_ = std::make_unique<CMarkupPageDlg>(std::move(parts), &frame_);
  AdoptOpenedFor(kTargetLiveList, *markup_);
}

bool Terminal::Busy() {
  if (!main_) return !progress_.isHidden();
  const auto* front = dynamic_cast<const DataScreen*>(frame_.current_screen());
  return main_->Navigating() || (front != nullptr && front->waited_for());
}

void Terminal::OpenSecurity(const SecurityCode& code) {
  if (!main_) return;
  main_->GoTo(kTargetStockDetail, 0, BrowseChange::Alone(code));
}

void Terminal::OnMainEnded(MainResult result) {
  if (result == MainResult::kOk) {
    // A worker waiting for an answer on this thread gives up, so that the main screen's threads
    // can be joined.
    ui_.Close();
    CloseMain();
    finished_();
    return;
  }
  ShowStartDialog();
}

}  // namespace tarvello
