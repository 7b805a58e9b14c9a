// The terminal's entry point: the handheld's screen in a desktop window. A portable copy keeps its
// files beside the executable, an installed one under the user's XDG data folder. One copy runs per
// program folder; a second one ends at once, before any window exists, and a folder where the
// lock file cannot be opened ends the program with a message saying so. With --tour DIR it saves
// a picture of every screen into DIR instead and ends (offscreen when there is no display).
// Qt's own dialog texts (the buttons of message boxes) come in Simplified Chinese.
#include <QApplication>
#include <QByteArray>
#include <QTranslator>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "app/terminal.h"
#include "base/program_folder.h"
#include "base/text_metrics.h"
#include "kline/kline_commands.h"
#include "lists/batch_list_stock_dlg.h"
#include "lists/list_codes.h"
#include "lists/list_commands.h"
#include "lists/list_routes.h"
#include "navigation/list_argument.h"
#include "platform/qt_canvas.h"
#include "platform/qt_chinese.h"
#include "platform/qt_prompter.h"
#include "platform/scripted_prompter.h"
#include "platform/address_opener.h"
#include "platform/screen_tour.h"
#include "shell/app_options.h"
#include "shell/instance_lock.h"
#include "shell/range_pages.h"
#include "shell/screen_font.h"

namespace tarvello {
namespace {

// Qt reads these before the application object exists.
void PrepareQt(const AppOptions& options) {
  bool no_display = qEnvironmentVariableIsEmpty("DISPLAY") &&
                    qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  if (!options.tour_dir.empty() && no_display && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  if (options.scale != 1.0) qputenv("QT_SCALE_FACTOR", QByteArray::number(options.scale));
}

void SetUpScreen(const AppOptions& options) {
  QtCanvas::SetScreenFontHeight(ScreenFontHeight(options.screen));
  SetSharedTextMetrics(QtCanvas::ScreenFontMetrics());
}

int RunTour(Terminal& terminal, const std::string& dir) {
  ScriptedPrompter prompter;
  InstallPrompter(&prompter);
  ScreenTour tour;
  tour.AddStop("start", [&] {
    terminal.frame().show();
    terminal.ShowStartDialog();
  });
  // The menu waits for the first ticker values (until the tour's time limit without a server).
  tour.AddStop("menu", [&] { terminal.Start(); }, [&] {
    const CDlgMain* main = terminal.main_screen();
    return main != nullptr && main->menu_shown() && main->ticker().shanghai.last > 0;
  });
  // The menu page as the rankings, help and settings cells open it.
  for (int mode : {0, 18, 19}) {
    tour.AddStop("page-" + std::to_string(mode),
                 [&terminal, mode] { terminal.main_screen()->GoTo(kTargetMenuPage, mode); },
                 [&terminal, mode] {
                   const CStockRangeDlg* page = terminal.menu_page();
                   return page != nullptr && !page->isHidden() && page->state().mode() == mode &&
                          !terminal.Busy();
                 });
  }
  // Each kind of quote list, once its first answer is on screen: a ranked category, the market
  // indices, the sectors, the index futures and the self-selected list.
  for (const auto& [name, target, argument] :
       {std::tuple{"list-shares", kTargetQuoteList, 0}, {"list-indices", kTargetQuoteList, -1},
        {"list-sectors", kTargetQuoteList, 105}, {"list-futures", kTargetQuoteList, -11},
        {"list-self-selected", kTargetQuoteListOtherPage, 0}}) {
    tour.AddStop(name, [&terminal, target, argument] { terminal.main_screen()->GoTo(target, argument); },
                 [&terminal] {
                   const CStockListDlg* list = terminal.list_screen();
                   return list != nullptr && !list->isHidden() && list->view()->loaded &&
                          !terminal.Busy();
                 });
  }
  // The batch panel over the self-selected list the last stop left on screen, offering its page.
  tour.AddStop("list-batch", [&terminal] { terminal.list_screen()->RunCommand(kCmdBatch); }, [&terminal] {
    const CBatchListStockDlg* panel = terminal.list_screen()->batch_panel();
    return panel != nullptr && panel->isVisible();
  });
  // The detail screen of an index of each market, a share, a fund of three decimals and an index
  // future, each once its first answer is on screen.
  for (const char* code : {"SH000001", "SZ399001", "SH600001", "SH500001", "IF000001"}) {
    const SecurityCode security = SecurityCode::FromAscii(code);
    tour.AddStop(std::string("detail-") + code, [&terminal, security] { terminal.OpenSecurity(security); },
                 [&terminal, security] {
                   CStockDetailDlg* detail = terminal.detail_screen();
                   if (detail == nullptr || detail->isHidden()) return false;
                   const auto view = detail->view();
                   return view->loaded && view->code == security;
                 });
  }
  // The K-line chart of the share, opened from its detail screen, with three of its indicators.
  for (const auto& [name, command] : {std::pair{"VOL", 32796u}, {"MACD", 32876u}, {"KDJ", 32877u}}) {
    tour.AddStop(std::string("kline-") + name, [&terminal, command] {
      CKLineDlg* kline = terminal.kline_screen();
      if (kline != nullptr && !kline->isHidden()) {
        kline->RunCommand(command);
        return;
      }
      terminal.main_screen()->GoTo(kTargetKLine, kTargetStockDetail, BrowseChange::Alone(SecurityCode::FromAscii("SH600001")));
    }, [&terminal, command] {
      const CKLineDlg* kline = terminal.kline_screen();
      return kline != nullptr && !kline->isHidden() && kline->loaded() &&
             IndicatorForCommand(static_cast<int>(command)) == kline->indicator();
    });
  }
  // The broker screen: its first-open question answered Yes shows the catalogue's brokers (a
  // folder that has an own list shows that list), then the branch offices of the first area.
  tour.AddStop("brokers", [&terminal, &prompter] {
    prompter.QueueAnswer(PromptAnswer::kYes);
    terminal.main_screen()->GoTo(kTargetBrokers, 0);
  }, [&terminal] {
    const CCommissionDlg* brokers = terminal.broker_screen();
    return brokers != nullptr && !brokers->isHidden() && !terminal.Busy() &&
           (brokers->model().mode() == CommissionMode::kAdding || !brokers->model().own().empty());
  });
  tour.AddStop("brokers-branches", [&terminal] {
    CCommissionDlg* brokers = terminal.broker_screen();
    if (brokers->model().mode() != CommissionMode::kAdding) brokers->RunCommand(CCommissionDlg::kCmdAdd);
    brokers->SendKey(kKeyEnter);
    brokers->SendKey(kKeyEnter);
  }, [&terminal] { return terminal.broker_screen()->model().level() == CatalogueLevel::kBranches; });
  // The information pages: "资讯必读", two F10 items of the share, its information kinds, then
  // (by the action key) its news titles and the first article.
  for (const auto& [name, argument] : {std::pair{"info-must-read", 10}, {"info-f10-profile", 16},
                                       {"info-f10-finances", 15}, {"info-kinds", kTargetStockDetail}}) {
    tour.AddStop(name, [&terminal, argument] {
      terminal.main_screen()->GoTo(kTargetMenuPage, argument, BrowseChange::Alone(SecurityCode::FromAscii("SH600001")));
    }, [&terminal] {
      const CStockRangeDlg* page = terminal.menu_page();
      return page != nullptr && !page->isHidden() && !page->loading() && !terminal.Busy();
    });
  }
  for (const auto& [name, mode] : {std::pair{"info-news-titles", kPageInfoTitles}, {"info-news-article", kPageArticle}}) {
    tour.AddStop(name, [&terminal] { terminal.menu_page()->SendKey(kKeyEnter); }, [&terminal, mode] {
      const CStockRangeDlg* page = terminal.menu_page();
      return page->state().mode() == mode && !page->loading();
    });
  }
  // The code keyboard over the K-line chart with part of a code typed, then that code's search
  // result on the list screen.
  tour.AddStop("keyboard", [&terminal] { terminal.main_screen()->ToggleKeyboard(); }, [&terminal] {
    CDlgKeyBoard* keyboard = terminal.main_screen()->keyboard();
    if (keyboard == nullptr || !keyboard->isVisible()) return false;
    if (keyboard->entry().text().empty()) {
      for (const KeyCode key : {'6', '0', '0', '0', '1'}) keyboard->SendKey(key);
    }
    return true;
  });
  tour.AddStop("search-result", [&terminal] { terminal.main_screen()->keyboard()->Confirm(); }, [&terminal] {
    const CDlgList* list = terminal.server_list_screen();
    return list != nullptr && !list->isHidden() && !list->view()->items.empty() && !terminal.Busy();
  });
  // The index futures screen: a contract's quote panel and ticks, and the fund flow of a share.
  for (const auto& [name, target, code] : {std::tuple{"futures-quote", kTargetFuturesMode1, "IF000001"},
                                           {"futures-ticks", kTargetFuturesMode2, "IF000001"},
                                           {"futures-fund-flow", kTargetFuturesMode3, "SH600001"}}) {
    const SecurityCode security = SecurityCode::FromAscii(code);
    tour.AddStop(name, [&terminal, target, security] {
      terminal.main_screen()->GoTo(target, kTargetStockDetail, BrowseChange::Alone(security));
    }, [&terminal, target, security] {
      const CGzqhDlg* futures = terminal.futures_screen();
      return futures != nullptr && !futures->isHidden() && futures->records()->loaded &&
             futures->records()->code == security && futures->view() == ViewForTarget(target) &&
             !terminal.Busy();
    });
  }
  // The money-flow views of the list screen, each once its answer is on screen: the A-share
  // big-order ranking and, from it, the fund ranking; a sector's constituents opened from the
  // sector list and the sector fund flow; the trade analysis and order details of the share.
  using ListShows = std::function<bool(const ListQuery&, const ListRows&)>;
  const auto list_ready = [&terminal](ListShows shows) {
    return [&terminal, shows] {
      const CStockListDlg* list = terminal.list_screen();
      return list != nullptr && !list->isHidden() && !terminal.Busy() && !list->busy() &&
             list->view()->loaded && shows(list->query(), list->view()->rows);
    };
  };
  const auto list_command = [&terminal](unsigned command) {
    return [&terminal, command] { terminal.list_screen()->RunCommand(command); };
  };
  tour.AddStop("list-big-orders", [&terminal] {
    terminal.main_screen()->GoTo(kTargetQuoteList, FundFlowListArgument(kCategoryAllShares));
  }, list_ready([](const ListQuery& q, const ListRows& rows) { return q.bigOrderMode && !rows.bigOrders.empty(); }));
  tour.AddStop("list-funds", list_command(kCmdFundToday),
               list_ready([](const ListQuery& q, const ListRows& rows) { return q.fundView && !rows.funds.empty(); }));
  // The sector list's first row opens once the list is there.
  tour.AddStop("list-sector-members", [&terminal] { terminal.main_screen()->GoTo(kTargetQuoteList, kCategorySectors); },
               [&terminal, members = list_ready([](const ListQuery& q, const ListRows& rows) {
                  return q.shownSector != 0 && rows.quotes.size() > 1;
                }), sectors = list_ready([](const ListQuery& q, const ListRows& rows) {
                  return q.mode == kModeSectors && q.shownSector == 0 && !rows.quotes.empty();
                })] {
                 if (sectors()) terminal.list_screen()->RunCommand(kCmdOpenRow);
                 return members();
               });
  tour.AddStop("list-sector-funds", list_command(kCmdSectorFunds), list_ready([](const ListQuery& q, const ListRows& rows) {
    return q.mode == kModeSectorFunds && !rows.buckets.empty();
  }));
  for (const auto& [name, argument, mode] : {std::tuple{"list-trade-analysis", kListArgTradeAnalysis, kModeTradeAnalysis},
                                             {"list-order-details", kListArgOrderDetails, kModeOrderDetails}}) {
    tour.AddStop(name, [&terminal, argument] {
      terminal.main_screen()->GoTo(kTargetQuoteList, argument, BrowseChange::Alone(SecurityCode::FromAscii("SH600001")));
    }, list_ready([mode](const ListQuery& q, const ListRows& rows) {
      return q.mode == mode && (mode == kModeOrderDetails ? rows.orders.ask.price > 0 : rows.buckets.size() == 3);
    }));
  }
  // The settings screen and the account screens, each once it is in front.
  RecordingAddressOpener addresses;
  InstallAddressOpener(&addresses);
  for (const auto& [name, target] : {std::pair{"settings", kTargetSettings}, {"account-user-data", kTargetUserData},
                                     {"account-login", kTargetLogin}, {"account-recommend", kTargetRecommendFriend},
                                     {"traffic", kTargetTraffic}}) {
    tour.AddStop(name, [&terminal, target] { terminal.main_screen()->GoTo(target, 0); }, [&terminal, target] {
      const Window* screen = terminal.frame().current_screen();
      return screen != nullptr && screen != terminal.main_screen() && !terminal.Busy() &&
             NavigationTitle(target, 0) == terminal.frame().title();
    });
  }
  // The markup pages: the simulator's front page, then the market summary its first link leads to,
  // each once an item of its own is in.
  const auto markup_view = [&terminal] { return dynamic_cast<CMarkupPageDlg*>(terminal.frame().current_screen()); };
  const auto markup_shows = [&terminal, markup_view](std::u16string_view page, std::u16string_view text) {
    const CMarkupPageDlg* view = markup_view();
    if (view == nullptr || view->busy() || !view->address().ends_with(page) || terminal.Busy()) {
      return false;
    }
    const std::vector<PageItem> items = view->items();
    return std::any_of(items.begin(), items.end(), [text](const PageItem& item) { return item.text == text; });
  };
  tour.AddStop("markup-front", [&terminal] { terminal.main_screen()->GoTo(kTargetLiveList, 0); },
               [markup_shows] { return markup_shows(u"/wap/index.wml", u"市场概况"); });
  tour.AddStop("markup-summary", [markup_view] {
    if (CMarkupPageDlg* view = markup_view()) view->Follow(u"summary.wml");
  }, [markup_shows] { return markup_shows(u"/wap/summary.wml", u"上证指数"); });
  // The alerts page of a share, as its detail screen's menu opens it.
  tour.AddStop("alerts", [&terminal] {
    terminal.main_screen()->GoTo(kTargetAlerts, kTargetStockDetail, BrowseChange::Alone(SecurityCode::FromAscii("SH600001")));
  }, [&terminal] {
    const CAlertsPageDlg* page = terminal.alerts_screen();
    return page != nullptr && !page->isHidden() && page->form().code() == SecurityCode::FromAscii("SH600001");
  });
  int saved = tour.Run(terminal.frame(), dir);
  InstallAddressOpener(nullptr);
  InstallPrompter(nullptr);
  if (saved < 0) return 1;
  std::printf("tour: %d pictures in %s\n", saved, dir.c_str());
  return 0;
}

int Main(int argc, char** argv) {
  AppOptions options;
  std::string error;
  if (!ParseAppOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
    std::fprintf(stderr, "tarvello: %s\nTry 'tarvello --help' for the options.\n", error.c_str());
    return 2;
  }
  if (options.help) {
    std::printf("%s", AppUsage());
    return 0;
  }
  if (options.version) {
    std::printf("tarvello %s\n", TARVELLO_VERSION);
    return 0;
  }
  const ProgramFolders folders = ChooseProgramFolders(ReadFolderFacts(options.home));
  if (folders.program.empty()) {
    std::fprintf(stderr, "tarvello: no folder for the settings and lists: set HOME or XDG_DATA_HOME, or pass --home DIR\n");
    return 1;
  }
  SetProgramFolder(folders.program);
  SetShippedFolder(folders.shipped);
  std::error_code folder_error;
  std::filesystem::create_directories(ProgramFolder(), folder_error);
  if (folder_error) {
    std::fprintf(stderr, "tarvello: cannot use the folder %s: %s\n", ProgramFolder().c_str(),
                 folder_error.message().c_str());
    return 1;
  }
  std::error_code lock_error;
  std::optional<InstanceLock> lock = InstanceLock::Acquire(ProgramFolder(), lock_error);
  if (lock_error) {
    const std::filesystem::path lock_file = std::filesystem::path(ProgramFolder()) / kInstanceLockName;
    std::fprintf(stderr, "tarvello: cannot open the lock file %s: %s\n", lock_file.c_str(),
                 lock_error.message().c_str());
    return 1;
  }
  if (!lock) return 0;  // another copy runs on this folder

  PrepareQt(options);
  QApplication app(argc, argv);
  QTranslator qt_chinese;
  if (std::string missing; !InstallQtChinese(qt_chinese, missing)) {
    std::fprintf(stderr, "tarvello: %s\n", missing.c_str());
  }
  SetUpScreen(options);
  Terminal terminal(ProgramFolder(), options.screen, [] { QCoreApplication::quit(); });
  if (!options.tour_dir.empty()) return RunTour(terminal, options.tour_dir);

  QtPrompter prompter;
  InstallPrompter(&prompter);
  DesktopAddressOpener address_opener;
  InstallAddressOpener(&address_opener);
  terminal.Start();
  int result = QApplication::exec();
  InstallPrompter(nullptr);
  InstallAddressOpener(nullptr);
  return result;
}

}  // namespace
}  // namespace tarvello

int main(int argc, char** argv) { return tarvello::Main(argc, argv); }
