// CStockRangeDlg: the menu and text page screen. One screen serves every simple page: the market
// category menus, the help text, the settings and account menus, the fund-flow and
// information-kind menus, and the lists and texts of the information pages. It shows the page
// mode it is opened in as a scrolling list of lines with one selected line (menus) or as a
// word-wrapped text, and on the action key either switches to another mode itself or asks the
// Navigator for another screen. A mode whose content comes from a server is handed its content
// from outside (HandIn); the screen does not know where it came from.
//
// Keys: up and down move the selection (scroll a text), left and right page, Enter and the left
// soft key act, Esc and the right soft key go back. Taps: a line selects it and acts; the scroll
// bar pages.
// User-interface thread only.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/window.h"
#include "shell/range_page_state.h"

namespace tarvello {

class Navigator;

class CStockRangeDlg : public Window {
 public:
  explicit CStockRangeDlg(Navigator* navigator, QWidget* parent = nullptr);

  // Shows mode as asked for by navigation; the same mode keeps its selected line.
  void Open(int mode);
  // The content of a mode fed from outside; shown at once when that mode is in front.
  void HandIn(int mode, PageContent content);

  const RangePageState& state() const { return state_; }
  // Shared with the information pages: the kind chosen in mode 10, the article chosen in mode 11.
  std::optional<int> information_kind() const { return information_kind_; }
  const std::u16string& article_identifier() const { return article_; }
  SoftKeyCaptions SoftKeys() const override;

 protected:
  void OnPaint(Canvas& canvas) override;
  void OnKeyDown(KeyCode key) override;
  void OnPenDown(Point at) override;

 private:
  struct Layout {
    int line_height;
    int visible;       // whole lines that fit
    int scroll_width;  // the scroll bar along the right edge
    int list_width;    // menus
    int page_width;    // wrapped texts
  };
  Layout LayoutNow() const;
  PageContent ContentOf(int mode) const;
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
  std::map<int, PageContent> handed_;  // content of the modes fed from outside
  std::optional<int> information_kind_;
  std::u16string article_;
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
};

}  // namespace tarvello
