#include "platform/quick_glyphs.h"

#include <QFontMetricsF>
#include <QTextLayout>

namespace tarvello {
namespace {

// Characters the layout treats by rules of their own: controls, spaces (a line's last space does
// not count in its width), and halves of a surrogate pair.
bool LaidOutByRule(char16_t c) {
  return c <= 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0x3000 || (c >= 0xD800 && c < 0xE000);
}

}  // namespace

QuickGlyphs::QuickGlyphs(const QFont& font)
    : font_(font), raw_(QRawFont::fromFont(font)), baseline_(QFontMetricsF(font).ascent()) {}

std::optional<GlyphLine> QuickGlyphs::Line(std::u16string_view text) {
  if (text.empty() || !raw_.isValid()) return std::nullopt;
  const Pairs pairs = PairsOf(text);
  if (pairs == Pairs::kJoined) return std::nullopt;
  QList<quint32> indexes;
  QList<QPointF> positions;
  indexes.reserve(static_cast<qsizetype>(text.size()));
  positions.reserve(static_cast<qsizetype>(text.size()));
  qreal x = 0;
  for (const char16_t c : text) {
    const Glyph& glyph = GlyphOf(c);
    if (glyph.index == 0) return std::nullopt;
    indexes.push_back(glyph.index);
    positions.push_back(QPointF(x, baseline_));
    x += glyph.advance;
  }
  if (pairs == Pairs::kUnknown && !LaidOutAs(text, indexes, positions, x)) return std::nullopt;
  GlyphLine line;
  line.glyphs.setRawFont(raw_);
  line.glyphs.setGlyphIndexes(indexes);
  line.glyphs.setPositions(positions);
  line.size = QSizeF(x, height_);
  return line;
}

auto QuickGlyphs::GlyphOf(char16_t c) -> const Glyph& {
  if (const auto found = glyphs_.find(c); found != glyphs_.end()) return found->second;
  Glyph glyph;
  const QChar character(c);
  int count = 1;
  if (!LaidOutByRule(c) && raw_.glyphIndexesForChars(&character, 1, &glyph.index, &count) && glyph.index != 0) {
    QPointF advance;
    raw_.advancesForGlyphIndexes(&glyph.index, &advance, 1);
    glyph.advance = advance.x();
  }
  return glyphs_.emplace(c, glyph).first->second;
}

auto QuickGlyphs::PairsOf(std::u16string_view text) const -> Pairs {
  Pairs pairs = Pairs::kApart;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto found = pairs_.find(PairKey(i == 0 ? kLineStart : text[i - 1], text[i]));
    if (found == pairs_.end()) {
      pairs = Pairs::kUnknown;
    } else if (!found->second) {
      return Pairs::kJoined;
    }
  }
  return pairs;
}

bool QuickGlyphs::LaidOutAs(std::u16string_view text, const QList<quint32>& indexes, const QList<QPointF>& positions,
                            qreal width) {
  QTextLayout layout(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())), font_);
  layout.beginLayout();
  const QTextLine line = layout.createLine();
  layout.endLayout();
  const QList<QGlyphRun> runs = layout.glyphRuns();
  const QList<quint32> laid_indexes = runs.size() == 1 ? runs[0].glyphIndexes() : QList<quint32>();
  const QList<QPointF> laid_positions = runs.size() == 1 ? runs[0].positions() : QList<QPointF>();
  qsizetype same = 0;  // glyphs from the start that the layout puts where their advances do
  while (same < laid_indexes.size() && same < indexes.size() && laid_indexes[same] == indexes[same] &&
         laid_positions[same] == positions[same]) {
    ++same;
  }
  if (height_ < 0) height_ = line.height();
  const bool agree = same == indexes.size() && laid_indexes.size() == indexes.size() &&
                     line.naturalTextWidth() == width && line.height() == height_;
  if (pairs_.size() + text.size() > kPairCapacity) pairs_.clear();
  if (agree) {
    for (std::size_t i = 0; i < text.size(); ++i) pairs_.emplace(PairKey(i == 0 ? kLineStart : text[i - 1], text[i]), true);
  } else if (static_cast<std::size_t>(same) < text.size()) {
    pairs_[PairKey(same == 0 ? kLineStart : text[same - 1], text[same])] = false;
  }
  return agree;
}

}  // namespace tarvello
