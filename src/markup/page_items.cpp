#include "markup/page_items.h"

#include "web/markup_document.h"

namespace tarvello {

namespace {

std::u16string Lower(std::u16string text) {
  for (char16_t& c : text) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return text;
}

// Walks the cursor's current element; every element child is entered and left again, so the
// cursor is back on the element when a walk returns.
class ItemBuilder {
 public:
  ItemBuilder(MarkupDocument& document, std::u16string_view previous) : doc_(document), previous_(previous) {}

  std::vector<PageItem> Build() {
    if (FindCard()) Children(0);
    items_.push_back(PageItem{u"br", {}, {}, {}});
    items_.push_back(PageItem{u"a", std::u16string(kReloadText), std::u16string(kReloadTarget), {}});
    return std::move(items_);
  }

 private:
  // The first "card" in document order, depth first, whatever the case of its name.
  bool FindCard() {
    for (;;) {
      if (doc_.FindElem()) {
        if (Lower(doc_.TagName()) == u"card") return true;
        doc_.IntoElem();
      } else if (!doc_.OutOfElem()) {
        return false;
      }
    }
  }

  // Calls visit for each child node with its lower-case tag, the cursor on the child.
  template <typename Visit>
  void EachChild(Visit visit) {
    doc_.ResetChildPos();
    while (doc_.FindChild()) visit(Lower(doc_.ChildTagName()));
  }

  // The attribute of the child at the child position.
  std::u16string ChildAttrib(std::u16string_view name) {
    doc_.IntoElem();
    std::u16string value = doc_.Attrib(name);
    doc_.OutOfElem();
    return value;
  }

  // The text of the child at the child position: its own data, or an element's text.
  std::u16string ChildText() {
    if (!doc_.IntoElem()) return {};
    std::u16string text = doc_.Data();
    doc_.OutOfElem();
    return text;
  }

  void Children(int depth) {
    EachChild([&](const std::u16string& tag) {
      if (!tag.starts_with(u"#")) {
        doc_.IntoElem();
        Element(tag, depth + 1);
        doc_.OutOfElem();
      } else {
        items_.push_back(PageItem{tag, doc_.ChildData(), {}, {}});
      }
    });
  }

  void Nested(const std::u16string& tag, PageItem opening, int depth) {
    items_.push_back(std::move(opening));
    Children(depth);
    items_.push_back(PageItem{u"end_" + tag, {}, {}, {}});
  }

  void Element(const std::u16string& tag, int depth) {
    if (depth > kMaxItemDepth) return items_.push_back(PageItem{tag, doc_.Data(), {}, {}});
    if (tag == u"a") return Link();
    if (tag == u"anchor") return Anchor();
    if (tag == u"img") return items_.push_back(PageItem{tag, doc_.Attrib(u"alt"), doc_.Attrib(u"src"), {}});
    if (tag == u"td") return Cell();
    if (tag == u"p") return Nested(tag, PageItem{tag, {}, doc_.Attrib(u"align"), {}}, depth);
    if (tag == u"table") {
      return Nested(tag, PageItem{tag, doc_.Attrib(u"row"), doc_.Attrib(u"col"), doc_.Attrib(u"border")}, depth);
    }
    if (tag == u"tr") return Nested(tag, PageItem{tag, {}, doc_.Attrib(u"bgcolor"), {}}, depth);
    if (tag == u"style") return Nested(tag, PageItem{tag, {}, doc_.Attrib(u"color"), {}}, depth);
    items_.push_back(PageItem{tag, doc_.Data(), {}, {}});
  }

  // A link's text is its own, or that of its "style" child when it has none of its own.
  void Link() {
    PageItem item{u"a", doc_.Data(), doc_.Attrib(u"href"), {}};
    EachChild([&](const std::u16string& tag) {
      if (tag != u"style") return;
      item.colour = ChildAttrib(u"color");
      if (item.text.empty()) item.text = ChildText();
    });
    items_.push_back(std::move(item));
  }

  void Anchor() {
    PageItem item{u"anchor", {}, {}, {}};
    EachChild([&](const std::u16string& tag) {
      if (tag == u"go") item.attribute = ChildAttrib(u"href");
      if (tag == u"prev") item.attribute = std::u16string(previous_);
      if (tag == u"refresh") item.attribute = u"refresh";
      if (tag == u"img") item.text = ChildAttrib(u"src");
      if (tag == u"#text" && !doc_.ChildData().empty()) item.text = doc_.ChildData();
    });
    items_.push_back(std::move(item));
  }

  void Cell() {
    PageItem item{u"td", doc_.Data(), {}, {}};
    EachChild([&](const std::u16string& tag) {
      if (tag == u"a") {
        item.attribute = ChildAttrib(u"href");
        item.text = ChildText();
      } else if (tag == u"style") {
        item.colour = ChildAttrib(u"color");
        item.text = ChildText();
      }
    });
    items_.push_back(std::move(item));
  }

  MarkupDocument& doc_;
  const std::u16string_view previous_;
  std::vector<PageItem> items_;
};

}  // namespace

std::vector<PageItem> BuildPageItems(MarkupDocument& document, std::u16string_view previous) {
  return ItemBuilder(document, previous).Build();
}

}  // namespace tarvello
