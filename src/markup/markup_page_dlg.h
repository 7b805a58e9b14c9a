// CMarkupPageDlg: the markup page view ("Tarvello_直播"). It fetches a page on its worker thread,
// reads it into page items, lays them out as text, link, image and cell controls and scrolls them.
// A tapped link loads its page, the page in front becoming the one a "prev" element leads back
// to; "刷新" (and a "refresh" element) load the page in front again.
//
// Keys: up and down scroll a line, left and right a page, Enter and the left soft key reload,
// Esc and the right soft key go back to the information menu. Taps: a link follows it.
// Thread rules: as DataScreen. The addresses, the items and the layout the worker makes of them
// are shared with the worker under mutex_; the layout shown belongs to the user-interface thread.
#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "markup/page_items.h"
#include "markup/page_layout.h"
#include "platform/data_screen.h"

namespace tarvello {

class Navigator;
class Canvas;

// The page's width and line height, with text measured in the canvas's page font.
PageMetrics CanvasPageMetrics(Canvas& canvas, int page_width);

struct MarkupPageParts {
  // Fetches one page on the worker thread; empty text for any failure.
  std::function<std::u16string(std::u16string_view address)> fetch;
  std::u16string home;  // the front page
  Window* mainScreen = nullptr;
  Navigator* navigator = nullptr;
};

class CMarkupPageDlg : public DataScreen {
 public:
  CMarkupPageDlg(MarkupPageParts parts, QWidget* parent = nullptr);
  ~CMarkupPageDlg() override;

  // Loads the front page, forgetting the way here.
  void Open();
  // Acts on a link target as a tap on it does.
  void Follow(std::u16string_view target);

  std::u16string address() const;
  std::vector<PageItem> items() const;
  // The controls of the last paint, in page coordinates.
  const PageLayout& layout() const { return layout_; }
  SoftKeyCaptions SoftKeys() const override { return {u"刷新", u"返回"}; }

 protected:
  bool RunExchange() override;
  bool RefreshesOnTick() const override { return false; }
  void SetRefreshTimer(unsigned, unsigned) override {}
  void OnPaint(Canvas& canvas) override;
  // A page is no set of figures that grows old between refreshes: it is never dimmed with an age.
  void OnPaintOver(Canvas&) override {}
  void OnKeyDown(KeyCode key) override;
  void OnPenDown(Point at) override;
  bool SwipesAt(Point at) const override;
  void OnDrag(Point moved) override;
  bool OnSwipe(const Gesture& swipe) override;
  bool OnWheel(int notches, bool zoom, Point at) override;

 private:
  int ScrollWidth() const;
  // The width text runs across: the screen's less the scroll bar and a pixel.
  int PageWidth() const;
  void LayOutFor(Canvas& canvas);
  void ScrollBy(int pixels);
  void Load(std::u16string address, std::u16string previous);
  bool LoadPending() const;

  const MarkupPageParts parts_;

  mutable std::mutex mutex_;
  std::u16string address_;           // guarded by mutex_
  std::u16string previous_;          // guarded by mutex_
  std::vector<PageItem> items_;      // guarded by mutex_
  unsigned generation_ = 0;          // guarded by mutex_; advanced with each new list of items
  unsigned loads_asked_ = 0;         // guarded by mutex_; advanced by each page asked for
  unsigned loads_done_ = 0;          // guarded by mutex_; the loads the items shown answer
  int page_width_ = 0;               // guarded by mutex_; the page width pages are laid out for
  std::optional<PageLayout> ready_layout_;  // guarded by mutex_; the worker's layout of items_
  int ready_width_ = 0;              // guarded by mutex_; the page width it was made for

  PageLayout layout_;
  unsigned laid_generation_ = ~0u;
  int laid_width_ = -1;
  int scroll_ = 0;  // pixels of the page above the top of the screen
};

}  // namespace tarvello
