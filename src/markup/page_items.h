// Page items: a markup page flattened into the list the page view lays out. Each item has a tag
// (the element's name in lower case, "#text" and the like for other nodes, or an end marker
// "end_p", "end_table", "end_tr", "end_style"), a text, an attribute and a colour:
//
//   a, anchor   attribute = link target, colour = the colour of a "style" child
//   img         attribute = image source
//   p           attribute = alignment
//   table       attribute = columns, text = rows, colour = border
//   tr          attribute = row background
//   td          attribute = link target of an "a" in the cell, colour = colour of a "style" in it
//   style       attribute = text colour
//
// BuildPageItems walks the first "card" of the document and always ends the list with a line
// break and the "刷新" link, so a page that failed to load still offers a retry. Elements nested
// deeper than kMaxItemDepth become plain text items, so a hostile page cannot exhaust the stack.
// Pure functions over the document's cursor; no thread rules.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvello {

class MarkupDocument;

struct PageItem {
  std::u16string tag;
  std::u16string text;
  std::u16string attribute;
  std::u16string colour;
  friend bool operator==(const PageItem&, const PageItem&) = default;
};

inline constexpr std::u16string_view kReloadTarget = u"ReFresh";
inline constexpr std::u16string_view kReloadText = u"刷新";
inline constexpr int kMaxItemDepth = 32;

// previous: the address of the page before this one, the target of a "prev" element.
std::vector<PageItem> BuildPageItems(MarkupDocument& document, std::u16string_view previous);

}  // namespace tarvello
