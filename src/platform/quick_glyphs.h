// QuickGlyphs: single lines of one font drawn straight from the font's glyphs, without the text
// layout. Laying out a line (finding its scripts and fonts, shaping, measuring) costs twice what
// drawing its glyphs does, and every figure of a security just opened is a line not laid out
// before. Most lines need none of it: each character's own glyph at its own advance is where the
// layout would put it.
//
// Whether it is, the font itself says, pair by pair of neighbours (the first character's neighbour
// is the start of the line). A line with a pair not met before is laid out once and compared with
// its glyphs: when they agree, every pair in it is known to stand apart, and the next line made of
// known pairs (a figure's digits, soon) needs no layout at all. Where they differ, the pair at the
// first difference is known to kern or join, and lines with it go to the text layout. A character
// outside the font, or one the layout treats by rule, does too. Pairs are all a line is judged by:
// the fonts the screens use kern and join by pairs.
//
// Thread rules: none; a QRawFont is the thread's own, so each painting thread keeps its own
// (ShapedTextCache).
#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QRawFont>
#include <QSizeF>
#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace tarvello {

// A line's glyphs, placed from its top left corner, and the size the text layout gives it.
struct GlyphLine {
  QGlyphRun glyphs;
  QSizeF size;
};

class QuickGlyphs {
 public:
  // Pairs of neighbours remembered before the memory starts over; the glyphs of the characters
  // stay (a few thousand Chinese characters at most).
  static constexpr std::size_t kPairCapacity = 16384;

  explicit QuickGlyphs(const QFont& font);

  // text as glyphs, or none when the text layout would draw it otherwise.
  std::optional<GlyphLine> Line(std::u16string_view text);

 private:
  struct Glyph {
    quint32 index = 0;  // 0: not in the font, or laid out by rule
    qreal advance = 0;
  };
  enum class Pairs { kApart, kUnknown, kJoined };
  // The neighbour before a line's first character: how a character begins a line is a pair too.
  static constexpr char16_t kLineStart = 0;

  const Glyph& GlyphOf(char16_t c);
  Pairs PairsOf(std::u16string_view text) const;
  // Lays text out once, compares it with indexes and positions, and remembers what it learnt of
  // the pairs in text; true when they agree.
  bool LaidOutAs(std::u16string_view text, const QList<quint32>& indexes, const QList<QPointF>& positions, qreal width);
  static std::uint32_t PairKey(char16_t first, char16_t second) { return static_cast<std::uint32_t>(first) << 16 | second; }

  const QFont font_;
  const QRawFont raw_;
  const qreal baseline_;  // from the top of a line
  qreal height_ = -1;     // of a line, from the first laid out; -1 before
  std::unordered_map<char16_t, Glyph> glyphs_;
  std::unordered_map<std::uint32_t, bool> pairs_;  // true: the two stand apart
};

}  // namespace tarvello
