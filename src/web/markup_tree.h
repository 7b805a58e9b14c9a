// MarkupTree: the nodes of one parsed markup document, stored flat. Node 0 is the document itself;
// every other node knows its parent, its first and last child and its next sibling by index, so
// that walking and destroying a deeply nested document never recurses.
//
// ParseMarkup reads a whole wide text into a tree or stops at the first fault with its error text;
// offsets in the error texts count UTF-16 code units from the start of the text. Plain values and a
// pure function; no thread rules.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvello {

enum class MarkupNodeKind { kDocument, kElement, kText, kCData, kComment, kProcessing, kDocType };

struct MarkupNode {
  static constexpr int kNone = -1;

  MarkupNodeKind kind = MarkupNodeKind::kDocument;
  std::u16string name;     // elements only
  std::u16string content;  // text (entities already replaced), CDATA, comment, instruction, doctype
  std::vector<std::pair<std::u16string, std::u16string>> attributes;  // values with entities replaced
  std::size_t offset = 0;  // where the node begins in the text
  int parent = kNone;
  int first_child = kNone;
  int last_child = kNone;
  int next = kNone;
};

struct MarkupTree {
  std::vector<MarkupNode> nodes;  // nodes[0] is the document
  std::u16string error;           // empty when the text parsed
};

MarkupTree ParseMarkup(std::u16string_view text);

// Replaces "&lt;", "&amp;", "&gt;", "&apos;" and "&quot;" by their characters; any other "&" stays.
std::u16string ReplaceEntities(std::u16string_view text);

}  // namespace tarvello
