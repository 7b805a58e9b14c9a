#include "platform/shaped_text_cache.h"

#include <QTransform>
#include <algorithm>
#include <optional>

#include "platform/qt_text.h"

namespace tarvello {

ShapedTextCache& ShapedTextCache::ForThisThread() {
  thread_local ShapedTextCache cache;
  return cache;
}

bool ShapedTextCache::Holds(std::u16string_view text) {
  return std::none_of(text.begin(), text.end(),
                      [](char16_t c) { return c == u'\n' || c == u'\r' || c == u'\t' || c == u'\u2028'; });
}

const ShapedLine& ShapedTextCache::Line(std::u16string_view text, const QFont& font, int font_key) {
  Key key{std::u16string(text), font_key};
  if (auto found = lines_.find(key); found != lines_.end()) return found->second;
  if (lines_.size() >= kCapacity) lines_.clear();
  ShapedLine line;
  if (std::optional<GlyphLine> glyphs = fonts_.try_emplace(font_key, font).first->second.Line(text)) {
    line = {std::move(glyphs->glyphs), glyphs->size};
  } else {
    QStaticText laid_out(ToQString(text));
    laid_out.setTextFormat(Qt::PlainText);
    laid_out.prepare(QTransform(), font);
    line = {laid_out, laid_out.size()};
  }
  return lines_.emplace(std::move(key), std::move(line)).first->second;
}

}  // namespace tarvello
