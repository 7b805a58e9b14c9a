#include "markup/page_layout.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <unordered_map>

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

// The largest count in [0, size] for which fits holds, where fits holds for 0 and, once it fails,
// fails for every larger count. The search starts at guess and widens its steps away from it, so
// a good guess costs two or three calls.
template <typename Fits>
std::size_t LongestFitting(const Fits& fits, std::size_t guess, std::size_t size) {
  std::size_t low = 0;      // fits(low) holds
  std::size_t high = size;  // fits fails beyond high
  guess = std::min(guess, size);
  if (guess == 0 || fits(guess)) {
    low = guess;
    for (std::size_t step = 1; low < high; step *= 2) {
      const std::size_t probe = std::min(high, low + step);
      if (!fits(probe)) {
        high = probe - 1;
        break;
      }
      low = probe;
    }
  } else {
    high = guess - 1;
    for (std::size_t step = 1; low < high; step *= 2) {
      const std::size_t probe = high + 1 - std::min(step, high + 1 - low);
      if (probe == low) break;
      if (fits(probe)) {
        low = probe;
        break;
      }
      high = probe - 1;
    }
  }
  while (low < high) {
    const std::size_t mid = (low + high + 1) / 2;
    if (fits(mid)) {
      low = mid;
    } else {
      high = mid - 1;
    }
  }
  return low;
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

  // The width a control with this text takes: the text, with the padding of an image or a cell,
  // a cell at least as wide as its column.
  int Decorated(const PageControl& control, int text_width) const {
    if (control.kind == PageControlKind::kImage) return text_width + kCellPadding;
    if (control.kind != PageControlKind::kCell) return text_width;
    const int column = columns_ > 0 ? (m_.page_width - kPageMargin) / columns_ : 0;
    return std::max(text_width + kCellPadding, column);
  }
  int Width(const PageControl& control, std::u16string_view text) const {
    return Decorated(control, m_.width(text, control.bold));
  }
  int Width(const PageControl& control) const { return Width(control, control.text); }

  // The width of one character, measured once per layout.
  int CharWidth(char16_t c, bool bold) const {
    const auto key = static_cast<std::uint32_t>(c) | (bold ? 0x10000u : 0u);
    const auto [it, fresh] = char_widths_.try_emplace(key, 0);
    if (fresh) it->second = m_.width(std::u16string_view(&c, 1), bold);
    return it->second;
  }

  // How many leading characters would fit in room if the text were as wide as its characters
  // together: a guess that stops looking one character past the room.
  std::size_t Guess(const PageControl& control, std::u16string_view text, int room) const {
    int width = 0;
    std::size_t count = 0;
    for (; count < text.size(); ++count) {
      const int next = width + CharWidth(text[count], control.bold);
      if (Decorated(control, next) > room) break;
      width = next;
    }
    return count;
  }

  // How many leading characters of text fit in room, broken after a space when one is there; 0
  // when not even one does. The guess is checked by measuring pieces around it, so that the work
  // stays about one line's worth however long the text is.
  std::size_t Fit(const PageControl& control, std::u16string_view text, int room) const {
    const auto fits = [&](std::size_t count) { return Width(control, text.substr(0, count)) <= room; };
    std::size_t low = LongestFitting(fits, Guess(control, text, room), text.size());
    if (low > 0 && low < text.size()) {
      const std::size_t space = text.find_last_of(u' ', low - 1);
      if (space != std::u16string_view::npos && space > 0) low = space + 1;
      if (text[low - 1] >= 0xD800 && text[low - 1] <= 0xDBFF && low > 1) --low;
    }
    return low;
  }

  bool WholeFits(const PageControl& control, std::u16string_view text, int room) const {
    return text.empty() ? Width(control, text) <= room : Fit(control, text, room) == text.size();
  }

  // Places the control, a piece per line while it is wider than the rest of the line. The text
  // is cut by position rather than erased from the front, so a long paragraph costs in
  // proportion to its length.
  void Place(PageControl control) {
    const int right = m_.page_width;
    const bool link = control.kind == PageControlKind::kLink;
    const std::u16string text = std::move(control.text);
    if (!link && LineUsed() && !WholeFits(control, text, right - x_)) CloseLine(false);
    std::size_t start = 0;
    for (;;) {
      const std::u16string_view rest = std::u16string_view(text).substr(start);
      if (rest.size() <= 1) break;
      std::size_t count = Fit(control, rest, right - x_);
      if (count == rest.size()) break;
      if (count == 0 && LineUsed()) {
        CloseLine(false);
        continue;
      }
      count = std::max<std::size_t>(count, 1);
      PageControl piece = control;
      piece.text = rest.substr(0, count);
      Push(std::move(piece));
      CloseLine(false);
      start += count;
    }
    control.text = text.substr(start);
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
  mutable std::unordered_map<std::uint32_t, int> char_widths_;
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
