// The markup parser: one pass over the text with a stack of open elements, no recursion.
#include <array>
#include <optional>

#include "text/text_codec.h"
#include "web/markup_tree.h"

namespace tarvello {

namespace {

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

bool EndsTagName(char16_t c) {
  return IsSpace(c) || std::u16string_view(u"<>=\\/?!").find(c) != std::u16string_view::npos;
}

bool EndsAttributeName(char16_t c) {
  return IsSpace(c) || std::u16string_view(u"=>/?").find(c) != std::u16string_view::npos;
}

MarkupNode Leaf(MarkupNodeKind kind, std::u16string content, std::size_t offset) {
  MarkupNode node;
  node.kind = kind;
  node.content = std::move(content);
  node.offset = offset;
  return node;
}

std::u16string Number(std::size_t value) { return text::FromAscii(std::to_string(value)); }

class Parser {
 public:
  explicit Parser(std::u16string_view text) : text_(text) { tree_.nodes.emplace_back(); }

  MarkupTree Run() {
    while (pos_ < text_.size() && !failed()) Step();
    if (!failed() && open_.size() > 1) {
      const MarkupNode& node = tree_.nodes[open_.back()];
      Fail(u"Element '" + node.name + u"' at offset " + Number(node.offset) + u" not ended");
    }
    if (!failed()) CheckDocumentLevel();
    if (failed()) tree_.nodes.assign(1, MarkupNode{});
    return std::move(tree_);
  }

 private:
  bool failed() const { return !tree_.error.empty(); }
  void Fail(std::u16string error) { tree_.error = std::move(error); }
  void Unterminated(std::u16string_view construct, std::size_t at) {
    Fail(std::u16string(construct) + u" at offset " + Number(at) + u" unterminated");
  }
  void Incorrect(std::u16string_view what, std::size_t at) {
    Fail(u"Incorrect " + std::u16string(what) + u" at offset " + Number(at));
  }
  bool At(std::u16string_view opening) const { return text_.substr(pos_).starts_with(opening); }

  void Step() {
    if (text_[pos_] != u'<') return Text();
    if (At(u"<!--")) return Closed(MarkupNodeKind::kComment, 4, u"-->", u"Comment");
    if (At(u"<![CDATA[")) return Closed(MarkupNodeKind::kCData, 9, u"]]>", u"CDATA Section");
    if (At(u"<![")) return Incorrect(u"! tag", pos_);
    if (At(u"<!-")) return Incorrect(u"comment tag", pos_);
    if (At(u"<!")) return DocType();
    if (At(u"<?")) return Closed(MarkupNodeKind::kProcessing, 2, u"?>", u"Processing instruction");
    if (At(u"</")) return EndTag();
    StartTag();
  }

  int Add(MarkupNode node) {
    const int index = static_cast<int>(tree_.nodes.size());
    const int parent = open_.back();
    node.parent = parent;
    MarkupNode& owner = tree_.nodes[parent];
    if (owner.last_child == MarkupNode::kNone) {
      owner.first_child = index;
    } else {
      tree_.nodes[owner.last_child].next = index;
    }
    owner.last_child = index;
    tree_.nodes.push_back(std::move(node));
    return index;
  }

  // Text up to the next "<"; a run of nothing but whitespace between tags is no node.
  void Text() {
    const std::size_t end = std::min(text_.find(u'<', pos_), text_.size());
    const std::u16string_view run = text_.substr(pos_, end - pos_);
    bool blank = true;
    for (const char16_t c : run) blank = blank && IsSpace(c);
    if (!blank) Add(Leaf(MarkupNodeKind::kText, ReplaceEntities(run), pos_));
    pos_ = end;
  }

  void Closed(MarkupNodeKind kind, std::size_t opening, std::u16string_view closing, std::u16string_view name) {
    const std::size_t end = text_.find(closing, pos_ + opening);
    if (end == std::u16string_view::npos) return Unterminated(name, pos_);
    const std::u16string_view inside = text_.substr(pos_ + opening, end - pos_ - opening);
    Add(Leaf(kind, std::u16string(inside), pos_));
    pos_ = end + closing.size();
  }

  // "<!" up to its ">", stepping over an internal subset in brackets.
  void DocType() {
    std::size_t end = pos_ + 2;
    int depth = 0;
    for (; end < text_.size(); ++end) {
      if (text_[end] == u'[') ++depth;
      if (text_[end] == u']' && depth > 0) --depth;
      if (text_[end] == u'>' && depth == 0) break;
    }
    if (end >= text_.size()) return Unterminated(u"Doctype", pos_);
    Add(Leaf(MarkupNodeKind::kDocType, std::u16string(text_.substr(pos_ + 2, end - pos_ - 2)), pos_));
    pos_ = end + 1;
  }

  std::u16string_view Name(std::size_t from) const {
    std::size_t end = from;
    while (end < text_.size() && !EndsTagName(text_[end])) ++end;
    return text_.substr(from, end - from);
  }

  void SkipSpace() {
    while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
  }

  void EndTag() {
    const std::size_t start = pos_;
    const std::u16string_view name = Name(pos_ + 2);
    pos_ += 2 + name.size();
    SkipSpace();
    if (pos_ >= text_.size()) return Unterminated(u"Element end tag", start);
    if (name.empty()) return Incorrect(u"tag name character", start + 2);
    if (text_[pos_] != u'>') return Incorrect(u"tag", pos_);
    ++pos_;
    const std::u16string end_name(name);
    if (open_.size() == 1) {
      return Fail(u"No start tag for end tag '" + end_name + u"' at offset " + Number(start));
    }
    const MarkupNode& open = tree_.nodes[open_.back()];
    if (open.name != end_name) {
      return Fail(u"End tag '" + end_name + u"' at offset " + Number(start) + u" does not match start tag '" +
                  open.name + u"' at offset " + Number(open.offset));
    }
    open_.pop_back();
  }

  void StartTag() {
    const std::size_t start = pos_;
    const std::u16string_view name = Name(pos_ + 1);
    if (name.empty()) {
      if (pos_ + 1 >= text_.size()) return Unterminated(u"Element tag", start);
      return Incorrect(u"tag name character", pos_ + 1);
    }
    if (open_.size() == 1 && has_root_) return Fail(u"Root element has sibling");
    MarkupNode node = Leaf(MarkupNodeKind::kElement, {}, start);
    node.name = std::u16string(name);
    pos_ += 1 + name.size();
    const std::optional<bool> empty = Attributes(node, start);
    if (!empty) return;
    has_root_ = has_root_ || open_.size() == 1;
    const int index = Add(std::move(node));
    if (!*empty) open_.push_back(index);
  }

  // Reads attributes up to ">" or "/>"; whether the element is empty, nothing after a fault.
  std::optional<bool> Attributes(MarkupNode& node, std::size_t start) {
    for (;;) {
      SkipSpace();
      if (pos_ >= text_.size()) break;
      const char16_t c = text_[pos_];
      if (c == u'>') {
        ++pos_;
        return false;
      }
      if (c == u'/') {
        if (pos_ + 1 >= text_.size()) break;
        if (text_[pos_ + 1] != u'>') return Incorrect(u"tag", pos_), std::nullopt;
        pos_ += 2;
        return true;
      }
      if (EndsAttributeName(c)) return Incorrect(u"tag", pos_), std::nullopt;
      if (!Attribute(node)) break;
    }
    Unterminated(u"Element tag", start);
    return std::nullopt;
  }

  // One name with an optional "=" value; false when the text ends inside it.
  bool Attribute(MarkupNode& node) {
    const std::size_t from = pos_;
    while (pos_ < text_.size() && !EndsAttributeName(text_[pos_])) ++pos_;
    std::u16string name(text_.substr(from, pos_ - from));
    SkipSpace();
    if (pos_ >= text_.size()) return false;
    std::u16string_view value;
    if (text_[pos_] == u'=') {
      ++pos_;
      SkipSpace();
      if (pos_ >= text_.size()) return false;
      const char16_t quote = text_[pos_];
      if (quote == u'"' || quote == u'\'') {
        const std::size_t end = text_.find(quote, pos_ + 1);
        if (end == std::u16string_view::npos) return false;
        value = text_.substr(pos_ + 1, end - pos_ - 1);
        pos_ = end + 1;
      } else {
        const std::size_t begin = pos_;
        while (pos_ < text_.size() && !IsSpace(text_[pos_]) && text_[pos_] != u'>') ++pos_;
        value = text_.substr(begin, pos_ - begin);
      }
    }
    node.attributes.emplace_back(std::move(name), ReplaceEntities(value));
    return true;
  }

  void CheckDocumentLevel() {
    const MarkupNode& document = tree_.nodes[0];
    if (document.first_child == MarkupNode::kNone) return Fail(u"Empty document");
    if (!has_root_) Fail(u"No root element");
  }

  const std::u16string_view text_;
  std::size_t pos_ = 0;
  MarkupTree tree_;
  std::vector<int> open_{0};  // the document, then each element whose end tag is still to come
  bool has_root_ = false;
};

}  // namespace

MarkupTree ParseMarkup(std::u16string_view text) { return Parser(text).Run(); }

std::u16string ReplaceEntities(std::u16string_view text) {
  static constexpr std::array<std::pair<std::u16string_view, char16_t>, 5> kEntities{{
      {u"lt;", u'<'}, {u"amp;", u'&'}, {u"gt;", u'>'}, {u"apos;", u'\''}, {u"quot;", u'"'}}};
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    out.push_back(text[i]);
    if (text[i] != u'&') continue;
    for (const auto& [name, character] : kEntities) {
      if (text.substr(i + 1).starts_with(name)) {
        out.back() = character;
        i += name.size();
        break;
      }
    }
  }
  return out;
}

}  // namespace tarvello
