#include "markup/page_layout.h"

#include <algorithm>
#include <charconv>

namespace tarvello {

namespace {

constexpr int kCellPadding = 4;
constexpr int kMaxColumns = 32;

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

bool SameLetters(std::u16string_view a, std::u16string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char16_t x, char16_t y) {
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

// Runs of whitespace become one space; every "nbsp;" and then every "&" goes.
std::u16string CleanText(std::u16string_view text) {
  std::u16string spaced;
  for (const char16_t c : text) {
    if (!IsSpace(c)) {
      spaced.push_back(c);
    } else if (spaced.empty() || spaced.back() != u' ') {
      spaced.push_back(u' ');
    }
  }
  std::u16string clean;
  for (std::size_t i = 0; i < spaced.size(); ++i) {
    if (std::u16string_view(spaced).substr(i).starts_with(u"nbsp;")) {
      i += 4;
    } else if (spaced[i] != u'&') {
      clean.push_back(spaced[i]);
    }
  }
  return clean;
}

int Columns(std::u16string_view text) {
  const std::string digits(text.begin(), std::find_if(text.begin(), text.end(), [](char16_t c) {
                             return c < u'0' || c > u'9';
                           }));
  int columns = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), columns);
  return std::clamp(columns, 0, kMaxColumns);
}

class Layouter {
 public:
  explicit Layouter(const PageMetrics& metrics) : m_(metrics) {}

  PageLayout Run(const std::vector<PageItem>& items) {
    for (const PageItem& item : items) Item(item);
    CloseLine(false);
    layout_.height = y_ + kPageMargin;
    return std::move(layout_);
  }

 private:
  void Item(const PageItem& item) {
    const std::u16string& tag = item.tag;
    if (tag == u"style") {
      colour_ = ParseMarkupColour(item.attribute).value_or(colour_);
    } else if (tag == u"end_style") {
      colour_ = kPageTextColour;
    } else if (tag == u"p") {
      CloseLine(false);
      if (!item.attribute.empty()) align_ = item.attribute;
    } else if (tag == u"end_p") {
      CloseLine(false);
      align_ = u"Left";
    } else if (tag == u"br") {
      CloseLine(true);
    } else if (tag == u"table" || tag == u"end_table") {
      CloseLine(false);
      columns_ = tag == u"table" ? Columns(item.attribute) : 0;
      border_ = tag == u"table" && !item.colour.empty() && item.colour != u"0";
    } else if (tag == u"tr") {
      CloseLine(false);
      row_ = item.attribute.size() >= 2 ? ParseMarkupColour(item.attribute) : std::nullopt;
    } else if (tag == u"end_tr") {
      row_.reset();
    } else {
      Visible(item);
    }
  }

  void Visible(const PageItem& item) {
    const std::u16string& tag = item.tag;
    PageControl control;
    control.text = CleanText(item.text);
    control.colour = colour_;
    control.background = row_;
    if (tag == u"a" || tag == u"anchor") {
      control.kind = PageControlKind::kLink;
      control.underline = true;
      control.target = item.attribute;
      control.colour = ParseMarkupColour(item.colour).value_or(colour_);
    } else if (tag == u"img") {
      control.kind = PageControlKind::kImage;
      control.text = std::u16string(kImagePlaceholder);
      control.target = item.attribute;
    } else if (tag == u"td") {
      control.kind = PageControlKind::kCell;
      control.colour = ParseMarkupColour(item.colour).value_or(colour_);
      control.target = item.attribute;
      control.underline = !item.attribute.empty();
      control.border = border_;
    } else if (tag == u"#text" || tag == u"big" || tag == u"small") {
      if (item.text == u"nbsp;") return;
    } else if (tag == u"b" || tag == u"strong" || tag == u"em") {
      control.bold = true;
    } else if (tag == u"i" || tag == u"u") {
      control.italic = tag == u"i";
      control.underline = tag == u"u";
    } else {
      return;
    }
    if (control.text.empty() && control.kind != PageControlKind::kCell) return;
    Place(std::move(control));
  }

  int Width(const PageControl& control) const {
    const int text = m_.width(control.text, control.bold);
    if (control.kind == PageControlKind::kImage) return text + kCellPadding;
    if (control.kind != PageControlKind::kCell) return text;
    const int column = columns_ > 0 ? (m_.page_width - kPageMargin) / columns_ : 0;
    return std::max(text + kCellPadding, column);
  }

  // How many leading characters of the control's text fit in room, broken after a space when
  // one is there; 0 when not even one does.
  std::size_t Fit(const PageControl& control, int room) const {
    std::size_t low = 0;
    std::size_t high = control.text.size();
    PageControl piece = control;
    while (low < high) {
      const std::size_t mid = (low + high + 1) / 2;
      piece.text = control.text.substr(0, mid);
      if (Width(piece) <= room) {
        low = mid;
      } else {
        high = mid - 1;
      }
    }
    if (low > 0 && low < control.text.size()) {
      const std::size_t space = control.text.find_last_of(u' ', low - 1);
      if (space != std::u16string::npos && space > 0) low = space + 1;
      if (control.text[low - 1] >= 0xD800 && control.text[low - 1] <= 0xDBFF && low > 1) --low;
    }
    return low;
  }

  void Place(PageControl control) {
    const int right = m_.page_width;
    const bool link = control.kind == PageControlKind::kLink;
    if (!link && LineUsed() && x_ + Width(control) > right) CloseLine(false);
    while (x_ + Width(control) > right && control.text.size() > 1) {
      std::size_t count = Fit(control, right - x_);
      if (count == 0 && LineUsed()) {
        CloseLine(false);
        continue;
      }
      count = std::max<std::size_t>(count, 1);
      PageControl piece = control;
      piece.text = control.text.substr(0, count);
      Push(std::move(piece));
      CloseLine(false);
      control.text.erase(0, count);
      if (control.text.empty()) return;
    }
    Push(std::move(control));
  }

  bool LineUsed() const { return layout_.controls.size() > line_start_; }

  void Push(PageControl control) {
    const int width = Width(control);
    control.box = Rect{x_, y_, x_ + width, y_ + m_.line_height};
    x_ += width;
    line_height_ = std::max(line_height_, m_.line_height);
    layout_.controls.push_back(std::move(control));
  }

  void CloseLine(bool blank_when_empty) {
    if (LineUsed()) {
      Align();
      y_ += line_height_;
    } else if (blank_when_empty) {
      y_ += m_.line_height;
    }
    x_ = kPageMargin;
    line_height_ = 0;
    line_start_ = layout_.controls.size();
  }

  void Align() {
    const bool centre = SameLetters(align_, u"center");
    if (!centre && !SameLetters(align_, u"right")) return;
    const int free = m_.page_width - layout_.controls.back().box.right;
    const int shift = std::max(0, centre ? free / 2 : free);
    for (std::size_t i = line_start_; i < layout_.controls.size(); ++i) {
      layout_.controls[i].box.left += shift;
      layout_.controls[i].box.right += shift;
    }
  }

  const PageMetrics& m_;
  PageLayout layout_;
  int x_ = kPageMargin;
  int y_ = kPageMargin;
  int line_height_ = 0;
  std::size_t line_start_ = 0;
  ColorRef colour_ = kPageTextColour;
  std::optional<ColorRef> row_;
  std::u16string align_ = u"Left";
  int columns_ = 0;
  bool border_ = false;
};

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

}  // namespace

std::optional<ColorRef> ParseMarkupColour(std::u16string_view text) {
  if (text.size() != 6) return std::nullopt;
  int channels[3] = {};
  for (int i = 0; i < 3; ++i) {
    const int high = HexDigit(text[2 * i]);
    const int low = HexDigit(text[2 * i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    channels[i] = high * 16 + low;
  }
  return MakeColorRef(static_cast<std::uint8_t>(channels[0]), static_cast<std::uint8_t>(channels[1]),
                      static_cast<std::uint8_t>(channels[2]));
}

PageLayout LayOutPage(const std::vector<PageItem>& items, const PageMetrics& metrics) {
  return Layouter(metrics).Run(items);
}

std::optional<std::u16string> LinkAt(const PageLayout& layout, Point point) {
  for (const PageControl& control : layout.controls) {
    if (!control.target.empty() && control.kind != PageControlKind::kImage && control.box.Contains(point)) {
      return control.target;
    }
  }
  return std::nullopt;
}

}  // namespace tarvello
