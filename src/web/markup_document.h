// MarkupDocument: the markup reader the page view walks. It holds one parsed document and a cursor:
// the level (the element whose children are being looked at, at first the document), the current
// node of that level, and the child position inside the current element.
//
// The reader is lenient in the ways small handheld pages need: unquoted attribute values, an
// attribute without a value, a "&" that starts no known entity, text beside the root element. It
// refuses what cannot be read as a tree, with the first fault's text (error()), and then holds an
// empty document.
//
// Not thread-safe: one thread uses an object at a time.
#pragma once

#include <string>
#include <string_view>

#include "web/markup_tree.h"

namespace tarvello {

class MarkupDocument {
 public:
  // Parses the whole text; false with error() set on a fault. The cursor goes before the root.
  bool SetDoc(std::u16string_view text);
  const std::u16string& error() const { return tree_.error; }

  // Moves to the next element of the level after the current node, the first one named name (any
  // element when name is empty); false, and nothing moves, at the end of the level.
  bool FindElem(std::u16string_view name = {});
  // The current element becomes the level; its child position, if any, becomes the current node,
  // so a find continues after it. False without a current element.
  bool IntoElem();
  // The level's element becomes the current node again and the node that was current its child
  // position. False at the document level.
  bool OutOfElem();
  // Moves the child position to the next child node of the current element; false at the end.
  bool FindChild();
  void ResetChildPos() { child_ = MarkupNode::kNone; }

  // The current node's (the child position's) tag: the element's name, or "#text",
  // "#cdata-section", "#comment", "#processing-instruction", "#document-type".
  std::u16string TagName() const { return TagOf(current_); }
  std::u16string ChildTagName() const { return TagOf(child_); }
  // A text, CDATA or comment node's text; an element's text and CDATA children joined.
  std::u16string Data() const { return DataOf(current_); }
  std::u16string ChildData() const { return DataOf(child_); }
  // The value of the current element's attribute name; empty when it has none.
  std::u16string Attrib(std::u16string_view name) const;

 private:
  std::u16string TagOf(int node) const;
  std::u16string DataOf(int node) const;
  int FirstChild(int node) const { return tree_.nodes[node].first_child; }

  MarkupTree tree_{{MarkupNode{}}, {}};
  int level_ = 0;
  int current_ = MarkupNode::kNone;
  int child_ = MarkupNode::kNone;
};

}  // namespace tarvello
