#include "web/markup_document.h"

namespace tarvello {

bool MarkupDocument::SetDoc(std::u16string_view text) {
  tree_ = ParseMarkup(text);
  level_ = 0;
  current_ = MarkupNode::kNone;
  child_ = MarkupNode::kNone;
  return tree_.error.empty();
}

bool MarkupDocument::FindElem(std::u16string_view name) {
  int node = current_ == MarkupNode::kNone ? FirstChild(level_) : tree_.nodes[current_].next;
  for (; node != MarkupNode::kNone; node = tree_.nodes[node].next) {
    const MarkupNode& candidate = tree_.nodes[node];
    if (candidate.kind == MarkupNodeKind::kElement && (name.empty() || candidate.name == name)) {
      current_ = node;
      child_ = MarkupNode::kNone;
      return true;
    }
  }
  return false;
}

bool MarkupDocument::IntoElem() {
  if (current_ == MarkupNode::kNone || tree_.nodes[current_].kind != MarkupNodeKind::kElement) return false;
  level_ = current_;
  current_ = child_;
  child_ = MarkupNode::kNone;
  return true;
}

bool MarkupDocument::OutOfElem() {
  if (level_ == 0) return false;
  child_ = current_;
  current_ = level_;
  level_ = tree_.nodes[level_].parent;
  return true;
}

bool MarkupDocument::FindChild() {
  if (current_ == MarkupNode::kNone) return false;
  const int next = child_ == MarkupNode::kNone ? FirstChild(current_) : tree_.nodes[child_].next;
  if (next == MarkupNode::kNone) return false;
  child_ = next;
  return true;
}

std::u16string MarkupDocument::Attrib(std::u16string_view name) const {
  if (current_ == MarkupNode::kNone) return {};
  for (const auto& [key, value] : tree_.nodes[current_].attributes) {
    if (key == name) return value;
  }
  return {};
}

std::u16string MarkupDocument::TagOf(int node) const {
  if (node == MarkupNode::kNone) return {};
  const MarkupNode& n = tree_.nodes[node];
  switch (n.kind) {
    case MarkupNodeKind::kElement: return n.name;
    case MarkupNodeKind::kText: return u"#text";
    case MarkupNodeKind::kCData: return u"#cdata-section";
    case MarkupNodeKind::kComment: return u"#comment";
    case MarkupNodeKind::kProcessing: return u"#processing-instruction";
    case MarkupNodeKind::kDocType: return u"#document-type";
    case MarkupNodeKind::kDocument: return {};
  }
  return {};
}

std::u16string MarkupDocument::DataOf(int node) const {
  if (node == MarkupNode::kNone) return {};
  const MarkupNode& n = tree_.nodes[node];
  if (n.kind != MarkupNodeKind::kElement) return n.content;
  std::u16string text;
  for (int c = n.first_child; c != MarkupNode::kNone; c = tree_.nodes[c].next) {
    const MarkupNode& child = tree_.nodes[c];
    if (child.kind == MarkupNodeKind::kText || child.kind == MarkupNodeKind::kCData) text += child.content;
  }
  return text;
}

}  // namespace tarvello
