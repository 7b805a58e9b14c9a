// ShapedTextCache: single lines of text laid out once and drawn many times. Laying a line out
// (splitting it into runs, shaping the glyphs, measuring) costs many times what drawing its
// glyphs does, and a screen draws the same labels and most of the same figures on every paint.
// A line that needs no layout at all is placed from its font's glyphs (QuickGlyphs), so that a
// figure seen for the first time costs little more than one seen before.
//
// Thread rules: a QStaticText must not be shared between threads, so every thread that paints
// has a cache of its own (ForThisThread).
#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QPainter>
#include <QStaticText>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>

#include "platform/quick_glyphs.h"

namespace tarvello {

// One line ready to draw: its glyphs, or the line laid out where it needs the layout.
struct ShapedLine {
  std::variant<QGlyphRun, QStaticText> shape;
  QSizeF size;

  void DrawAt(QPainter& painter, QPointF top_left) const {
    if (const auto* glyphs = std::get_if<QGlyphRun>(&shape)) {
      painter.drawGlyphRun(top_left, *glyphs);
    } else {
      painter.drawStaticText(top_left, std::get<QStaticText>(shape));
    }
  }
};

class ShapedTextCache {
 public:
  // Lines kept before the cache starts over: a few screens' worth of labels and figures, well
  // under a megabyte.
  static constexpr std::size_t kCapacity = 1024;

  static ShapedTextCache& ForThisThread();

  // Whether text is one plain line the cache can lay out as QPainter::drawText would: no line
  // breaks and no tabs, which only the general text layout expands.
  static bool Holds(std::u16string_view text);
  // text in font, from the cache or shaped now; font_key tells the fonts apart.
  const ShapedLine& Line(std::u16string_view text, const QFont& font, int font_key);

 private:
  struct Key {
    std::u16string text;
    int font_key;
    friend bool operator==(const Key&, const Key&) = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const {
      return std::hash<std::u16string>{}(key.text) ^ (static_cast<std::size_t>(key.font_key) * 0x9E3779B97F4A7C15ull);
    }
  };

  std::unordered_map<Key, ShapedLine, KeyHash> lines_;
  std::unordered_map<int, QuickGlyphs> fonts_;  // by font key
};

}  // namespace tarvello
