// CStockRangeDlg: the menu and text page screen. One screen serves every simple page: the market
// category menus, the help text, the settings and account menus, the fund-flow and
// information-kind menus, and the lists and texts of the information pages. It shows the page
// mode it is opened in as a scrolling list of lines with one selected line (menus) or as a
// word-wrapped text, and on the action key either switches to another mode itself or asks the
// Navigator for another screen. What each mode shows and asks for is RangeContent's.
//
// The information modes (the F10 texts, the categories, titles and articles) are fetched on an
// InfoWorker once ConnectInformation has given the screen its links; the page shows
// "获取数据中，请稍后..." until the answer is there, and stays usable meanwhile: a page left
// before its answer came drops that answer.
//
// Keys: up and down move the selection (scroll a text), left and right page, Enter and the left
// soft key act, Esc and the right soft key go back. Taps: a line selects it and acts; the scroll
// bar pages.
// User-interface thread only; the worker hands its pages over by a posted message.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "base/gesture_steps.h"
#include "info/info_worker.h"
#include "platform/window.h"
#include "shell/range_content.h"
#include "shell/range_page_state.h"

namespace tarvello {

class Navigator;

class CStockRangeDlg : public Window {
 public:
  // Posted by the worker when a page has been fetched; wParam is its ticket.
  static constexpr int kMsgInfoPage = 3101;
  static constexpr std::u16string_view kLoadingText = u"获取数据中，请稍后...";

  explicit CStockRangeDlg(Navigator* navigator, QWidget* parent = nullptr);
  ~CStockRangeDlg() override;

  // Lets the information modes fetch their pages: the exchanges and the article download, and
  // what wakes an exchange in progress when the screen goes. A title list the links' cache holds
  // shows at once, dimmed with its age, until its fetch brings live titles.
  void ConnectInformation(InfoLinks links, std::function<void()> cancel);

  // Shows the page of a navigation argument (a page mode, or the id of the screen whose security
  // the information pages are about); the same mode keeps its selected line.
  void Open(int argument);

  const RangePageState& state() const { return state_; }
  bool loading() const { return content_.loading(); }
  SoftKeyCaptions SoftKeys() const override;

 protected:
  void OnMessage(const Message& message) override;
  void OnPaint(Canvas& canvas) override;
  void OnKeyDown(KeyCode key) override;
  void OnPenDown(Point at) override;
  bool SwipesAt(Point at) const override;
  void OnDrag(Point moved) override;
  bool OnSwipe(const Gesture& swipe) override;
  bool OnWheel(int notches, bool zoom, Point at) override;

 private:
  struct Layout {
    int line_height;
    int visible;       // whole lines that fit
    int scroll_width;  // the scroll bar along the right edge
    int list_width;    // menus
    int page_width;    // wrapped texts
  };
  Layout LayoutNow() const;
  // The content to show on entering mode: what the screen has, or an empty page while the
  // mode's information is fetched.
  PageContent Enter(int mode);
  void PageArrived(std::uint64_t ticket, PageContent page);
  void PaintEntry(Canvas& canvas, const PageEntry& entry, const Rect& box, int margin);
  const std::vector<std::u16string>& TextLines();
  int LineCount();
  void Act();
  void GoBack();
  void Shown();
  Rect ScrollBar(const Layout& layout) const;
  int ScrollRange(const Layout& layout, int count) const;
  void PaintScrollBar(Canvas& canvas, const Layout& layout, int count);

  Navigator* const navigator_;
  RangePageState state_;
  StepAccumulator drag_lines_{1};  // a drag's pixels toward the next whole line of a text
  RangeContent content_;
  const AnswerCache* cache_ = nullptr;  // where title lists are found before their fetch
  std::mutex arrived_mutex_;
  std::optional<std::pair<std::uint64_t, PageContent>> arrived_;  // guarded by arrived_mutex_
  // The wrapped text, for the page width and character width it was wrapped with.
  std::vector<std::u16string> lines_;
  struct WrapKey {
    int page_width = -1;
    int wide_width = -1;
    unsigned content = 0;
    friend bool operator==(const WrapKey&, const WrapKey&) = default;
  };
  WrapKey wrapped_;
  unsigned content_generation_ = 1;  // advanced whenever the shown content changes
  int wide_width_;                   // "中" in the page font, measured at each paint
  std::unique_ptr<InfoWorker> worker_;  // last: stopped before the rest goes
};

}  // namespace tarvello
