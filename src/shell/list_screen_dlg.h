// CDlgList: the list screen. It shows one of three lists a page at a time: the result of a code
// search (request 2000, items "code;name"; a single result opens that security at once, a tap on
// an item opens its detail screen), the server the terminal talks to, or the manual server list
// of the deployment, where a tap switches to the row's server and says so ("当前服务器为: ").
// Under the rows: the paging line ("首页", "上翻", "下翻", "尾页" and the counter; a label that
// cannot act is grey) and the bottom bar of six buttons.
//
// Threads: the search and the server switch run on the worker (RunExchange); it reads what to do
// from query_ under query_mutex_ and publishes items through view_. Everything else runs on the
// user-interface thread.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "base/shared_records.h"
#include "platform/data_screen.h"
#include "protocol/exchange_function.h"
#include "shell/list_screen_pages.h"

namespace tarvello {

class Navigator;

struct ListScreenParts {
  ExchangeFunction exchange;
  Window* mainScreen = nullptr;  // receives the busy messages
  Navigator* navigator = nullptr;
  std::function<std::u16string()> searchText;  // the text of the last code search
  std::function<std::u16string()> serverText;  // the server in use, "address:port"
  std::vector<std::u16string> serverRows;      // the manual server list, "address:label"
  // Switches to the server of a row of the manual list (on the worker thread).
  std::function<void(int row)> chooseServer;
};

struct ListScreenView {
  int mode = 0;
  std::vector<std::u16string> items;
  unsigned generation = 0;  // which Open the items answer
};

class CDlgList : public DataScreen {
 public:
  static constexpr unsigned kTimerList = 3004;  // never armed: the list has no refresh cycle
  static constexpr std::u16string_view kServerChosen = u"当前服务器为: ";

  explicit CDlgList(ListScreenParts parts, QWidget* parent = nullptr);
  ~CDlgList() override;

  // Loads the list of a mode (0 search result, 2 current server, 3 server list); false for any
  // other mode.
  bool Open(int mode);

  std::shared_ptr<const ListScreenView> view() const { return view_.Current(); }
  int page() const { return page_; }
  int selected() const { return selected_; }
  ListScreenPages Pages() const;
  // The left soft key opens the bottom bar's menu, the right one goes back to the main menu.
  SoftKeyCaptions SoftKeys() const override { return MenuAndBack(u"菜单"); }

 protected:
  bool RunExchange() override;
  void SetRefreshTimer(unsigned, unsigned) override {}
  void OnMessage(const Message& message) override;
  void OnPaint(Canvas& canvas) override;
  void OnKeyDown(KeyCode key) override;
  void OnPenDown(Point at) override;
  bool SwipesAt(Point at) const override;
  bool OnSwipe(const Gesture& swipe) override;
  bool OnWheel(int notches, bool zoom, Point at) override;
  void ShowScreenMenu() override;
  void GoBack() override;

 private:
  struct Query {
    int mode = 0;
    std::u16string text;
    unsigned generation = 0;
    int switchRow = -1;  // a server row to switch to, once
  };
  struct Layout {
    Rect header;  // empty outside the search result
    Rect rows;
    Rect paging;
    Rect bar;
    int rowHeight = 1;
  };

  Layout LayoutNow() const;
  void ActOnItem(int item);
  void ChooseServer(int row);
  void TapPaging(int x);
  void TurnPage(PagingLabel label);
  void TapBar(int x);
  void Select(int item);
  void PaintHeader(Canvas& canvas, const Layout& layout) const;
  void PaintRows(Canvas& canvas, const Layout& layout, const ListScreenView& view) const;
  void PaintPaging(Canvas& canvas, const Layout& layout) const;
  void PaintBar(Canvas& canvas, const Layout& layout) const;

  const ListScreenParts parts_;
  mutable std::mutex query_mutex_;
  Query query_;  // guarded by query_mutex_
  SharedRecords<ListScreenView> view_;

  // User-interface thread only.
  unsigned generation_ = 0;
  int page_ = 0;
  int selected_ = -1;  // the item outlined; -1 none
};

}  // namespace tarvello
