#include "app/terminal.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <thread>

#include "account/version_check.h"
#include "protocol/error_record.h"
#include "protocol/transport_links.h"
#include "shell/device_registration.h"

namespace tarvello {
Terminal::Terminal(const std::filesystem::path& folder, Size screen, std::function<void()> finished)
    : folder_(folder),
      screen_(screen),
      finished_(std::move(finished)),
      deployment_(LoadDeployment(folder)),
      refresh_(LoadRefreshSettings(folder)),
      log_(folder),
      transport_(log_, WapGateway{deployment_.gateway_host, deployment_.gateway_port}),
      connection_(deployment_.network_case, deployment_.access_point, folder / kProvisioningLogName),
      bringup_(connection_, deployment_.cdma_user, deployment_.cdma_password, BringUpHooks()),
      frame_(screen),
      progress_(ProgressHooks{[this] { transport_.Cancel(); }, nullptr,
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
                            bringup_.ProvisionCarrier(carrier);
                            StartMain();
                          },
                          [this] { StartMain(); }, [this] { finished_(); }},
             &frame_),
      self_selected_(OwnStockList::SelfSelected(folder)),
      recently_viewed_(OwnStockList::RecentlyViewed(folder)),
      phone_book_(folder) {
  progress_.hide();
  start_.hide();
  transport_.SetRedialQuestion(&redial_);
  frame_.SetCloseHandler([this] { OnCloseButton(); });
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
}

NetworkBringUp::Hooks Terminal::BringUpHooks() {
  return NetworkBringUp::Hooks{
      [this](std::string_view line) { log_.Write(line); },
      [this](std::u16string_view text) { ErrorRecord(folder_).Write(text); },
      [](int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }};
}

void Terminal::Start() {
  frame_.show();
  StartMain();
}

// The frame forgets the screen in front before the main screen goes, so that it never holds a
// pointer to a destroyed window.
void Terminal::CloseMain() {
  frame_.ShowScreen(nullptr);
  list_.reset();
  kline_.reset();
  detail_.reset();
  menu_page_.reset();
  main_.reset();
  settings_.reset();
  login_.reset();
  user_data_.reset();
  recommend_.reset();
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
  parts.exchange = TransportExchange(transport_);
  parts.log = &log_;
  parts.folder = folder_;
  parts.login_placeholder = deployment_.login_placeholder;
  parts.network_startup = [this] {
    return RunNetworkStartup(bringup_, carrier_, transport_, clock_, deployment_, selection_);
  };
  parts.register_device = [this] {
    RunDeviceRegistration(TransportExchange(transport_),
                          RegistrationContext{folder_, screen_.width, screen_.height, HostMachineCandidates()});
  };
  parts.allow_redial = [this] { transport_.SetDialPromptAllowed(true); };
  parts.session = &session_;
  parts.after_login = [this] { RunStartupVersionCheck(TransportExchange(transport_), folder_, session_); };
  parts.cancel_exchange = [this] { transport_.Cancel(); };
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
  AddAccountScreens();
  frame_.SetTitle(u"Tarvello");
  frame_.ShowScreen(main_.get());
  main_->Start();
}

// The detail screen opens on the current security and remembers it among the recently viewed.
void Terminal::AddDetailScreen() {
  StockDetailParts parts;
  parts.exchange = TransportExchange(transport_);
  parts.mainScreen = main_.get();
  parts.selfSelected = &self_selected_;
  parts.ticker = [this] { return main_ ? main_->ticker() : TickerState{}; };
  parts.period = std::chrono::seconds(refresh_.intraday_seconds);
  parts.navigator = main_.get();
  detail_ = std::make_unique<CStockDetailDlg>(std::move(parts), &frame_);
  frame_.Adopt(detail_.get());
  main_->RegisterScreen(kTargetStockDetail, [this](int argument) -> Window* {
    const SecurityCode code = main_->CurrentSecurity();
    if (code.empty()) return nullptr;
    recently_viewed_.Remember(code);
    detail_->Open(code, argument);
    return detail_.get();
  });
}

// The menu and text page opens in the page mode given as the argument.
void Terminal::AddMenuPage() {
  menu_page_ = std::make_unique<CStockRangeDlg>(main_.get(), &frame_);
  frame_.Adopt(menu_page_.get());
  main_->RegisterScreen(kTargetMenuPage, [this](int mode) -> Window* {
    menu_page_->Open(mode);
    return menu_page_.get();
  });
}

// One quote list screen shows every list: the categories and indices (1126), the recently viewed
// (1130) and self-selected (1132) lists and the live list (1136).
void Terminal::AddListScreen() {
  StockListParts parts;
  parts.exchange = TransportExchange(transport_);
  parts.mainScreen = main_.get();
  parts.selfSelected = &self_selected_;
  parts.recentlyViewed = &recently_viewed_;
  parts.ticker = [this] { return main_ ? main_->ticker() : TickerState{}; };
  parts.period = std::chrono::seconds(refresh_.list_seconds);
  parts.navigator = main_.get();
  parts.setTitle = [this](const std::u16string& title) { frame_.SetTitle(title); };
  list_ = std::make_unique<CStockListDlg>(std::move(parts), &frame_);
  frame_.Adopt(list_.get());
  for (const int target : {kTargetQuoteList, kTargetQuoteListOwnPage, kTargetQuoteListOtherPage, kTargetLiveList}) {
    main_->RegisterScreen(target, [this, target](int argument) -> Window* {
      return list_->Open(target, argument) ? list_.get() : nullptr;
    });
  }
}

// The K-line chart opens on the current security; the argument names the screen it came from.
void Terminal::AddKLineScreen() {
  KLineParts parts;
  parts.exchange = TransportExchange(transport_);
  parts.mainScreen = main_.get();
  parts.selfSelected = &self_selected_;
  parts.ticker = [this] { return main_ ? main_->ticker() : TickerState{}; };
  parts.period = std::chrono::seconds(refresh_.kline_seconds);
  parts.navigator = main_.get();
  parts.frame = &frame_;
  kline_ = std::make_unique<CKLineDlg>(std::move(parts), &frame_);
  frame_.Adopt(kline_.get());
  main_->RegisterScreen(kTargetKLine, [this](int caller) -> Window* {
    const SecurityCode code = main_->CurrentSecurity();
    if (code.empty()) return nullptr;
    kline_->Open(code, caller);
    return kline_.get();
  });
}

// The settings screen (1128) and the account screens: user data (1145), login (1146), switching
// user (1147) and the recommendation (1148).
void Terminal::AddAccountScreens() {
  settings_ = std::make_unique<CDlgRecommend>(
      RefreshSettingsParts{main_.get(), folder_, [this] { return refresh_; },
                           [this](const RefreshSettings& saved) {
                             // Each data screen's worker arms its timer with the new period next time.
                             refresh_ = saved;
                             list_->SetRefreshPeriod(std::chrono::seconds(saved.list_seconds));
                             detail_->SetRefreshPeriod(std::chrono::seconds(saved.intraday_seconds));
                             kline_->SetRefreshPeriod(std::chrono::seconds(saved.kline_seconds));
                           }},
      &frame_);
  const AccountParts parts{TransportExchange(transport_), main_.get(), folder_, &session_, deployment_.register_page,
                           &phone_book_};
  login_ = std::make_unique<CDlgLogin>(parts, &frame_);
  user_data_ = std::make_unique<CDlgUserData>(parts, &frame_);
  recommend_ = std::make_unique<CDlgRecommendFriend>(parts, &frame_);
  for (Window* screen : std::initializer_list<Window*>{settings_.get(), login_.get(), user_data_.get(), recommend_.get()}) {
    frame_.Adopt(screen);
  }
  main_->RegisterScreen(kTargetSettings, [this](int) -> Window* {
    settings_->Open();
    return settings_.get();
  });
  for (const int target : {kTargetLogin, kTargetSwitchUser}) {
    main_->RegisterScreen(target, [this, target](int) -> Window* {
      login_->Open(target);
      return login_.get();
    });
  }
  main_->RegisterScreen(kTargetUserData, [this](int) -> Window* {
    user_data_->Open();
    return user_data_.get();
  });
  main_->RegisterScreen(kTargetRecommendFriend, [this](int) -> Window* {
    recommend_->Open();
    return recommend_.get();
  });
}

void Terminal::OpenSecurity(const SecurityCode& code) {
  if (!main_) return;
  main_->SetCurrentSecurity(code);
  main_->GoTo(kTargetStockDetail, 0);
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
