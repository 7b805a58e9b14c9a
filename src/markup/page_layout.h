// Page layout: the page view's controls for a list of page items, placed in lines across the page
// width. Text runs left to right; a control that does not fit the rest of its line starts the
// next line, and a text wider than the page (or a link, which never leaves its line) is broken
// into pieces that fit, after a space where there is one. Lines take the alignment of their
// paragraph. Markup colours are six hexadecimal digits, red first; a colour that is no such
// thing leaves the colour as it was. Controls come in reading order, their lines from the top
// down, so that a paint can find the first one on screen by halving.
//
// The work grows with the length of the text, not its square: a long paragraph is measured about
// one line at a time.
//
// Pure functions; the caller measures text (PageMetrics::width) with the font it will draw in.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/color.h"
#include "base/geometry.h"
#include "markup/page_items.h"

namespace tarvello {

enum class PageControlKind { kText, kLink, kImage, kCell };

struct PageControl {
  PageControlKind kind = PageControlKind::kText;
  std::u16string text;
  ColorRef colour = 0;
  std::u16string target;  // link target, or the source of an image
  bool bold = false;
  bool underline = false;
  bool italic = false;
  bool border = false;    // a cell of a table with a border
  std::optional<ColorRef> background;
  Rect box;
  friend bool operator==(const PageControl&, const PageControl&) = default;
};

struct PageLayout {
  std::vector<PageControl> controls;
  int height = 0;  // from the top of the page to below the last line
};

struct PageMetrics {
  int page_width = 0;   // the client width less the scroll bar and one pixel
  int line_height = 0;
  std::function<int(std::u16string_view text, bool bold)> width;
};

inline constexpr ColorRef kPageTextColour = 0xC0C0C0;
inline constexpr int kPageMargin = 3;
inline constexpr std::u16string_view kImagePlaceholder = u"X";

std::optional<ColorRef> ParseMarkupColour(std::u16string_view text);

PageLayout LayOutPage(const std::vector<PageItem>& items, const PageMetrics& metrics);

// The link target of the control at point (page coordinates), or nothing.
std::optional<std::u16string> LinkAt(const PageLayout& layout, Point point);

}  // namespace tarvello
