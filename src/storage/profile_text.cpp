#include "storage/profile_text.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <bit>
#include <cstring>

namespace tarvello::profile_text {
namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";
constexpr std::size_t kNone = std::u16string_view::npos;

bool AtLineStart(std::u16string_view text, std::size_t pos) {
  return pos == 0 || text[pos - 1] == u'\n';
}

// Offset of the first unit from `from` on, or kNone: the bytes are searched many at a time by the
// unit's first byte (memchr), and a hit must start a whole unit and hold the whole unit, since a
// byte can be half of another unit.
std::size_t FindUnit(std::u16string_view text, char16_t unit, std::size_t from) {
  const char* bytes = reinterpret_cast<const char*>(text.data());
  const std::size_t size = text.size() * sizeof(char16_t);
  const char low = static_cast<char>(unit & 0xFF);
  for (std::size_t at = from * sizeof(char16_t); at < size;) {
    const void* hit = std::memchr(bytes + at, low, size - at);
    if (hit == nullptr) return kNone;
    const auto offset = static_cast<std::size_t>(static_cast<const char*>(hit) - bytes);
    if (offset % sizeof(char16_t) == 0 && text[offset / sizeof(char16_t)] == unit) return offset / sizeof(char16_t);
    at = offset + 1;
  }
  return kNone;
}

#if defined(__SSE2__)
// The first of eight places from at on where what stands, given the places where its first and
// last units do (two bits a place), or kNone.
std::size_t WholeRunAt(std::u16string_view text, std::u16string_view what, std::size_t at, unsigned places) {
  while (places != 0) {
    const int bit = std::countr_zero(places);
    places &= ~(3U << bit);
    const std::size_t candidate = at + static_cast<std::size_t>(bit / 2);
    if (text.compare(candidate, what.size(), what) == 0) return candidate;
  }
  return kNone;
}
#endif

// Offset of the first occurrence of what (not empty) in text from `from` on, or kNone. A run is
// looked for by its first and last units, eight places at a time, and compared whole only where
// both stand: every line of a list file begins like the key looked for ("\nSTOCKCODE"), and a search
// that compares from the front meets that beginning on every line. Eight at a time where the
// processor has SSE2 (every x86-64), one at a time elsewhere and for the last places of the text.
std::size_t FindUnits(std::u16string_view text, std::u16string_view what, std::size_t from) {
  if (what.size() == 1) return FindUnit(text, what.front(), from);
  const std::size_t last = what.size() - 1;
  std::size_t at = from;
#if defined(__SSE2__)
  const __m128i firsts = _mm_set1_epi16(static_cast<short>(what.front()));
  const __m128i lasts = _mm_set1_epi16(static_cast<short>(what.back()));
  const char16_t* const units = text.data();
  for (const std::size_t end = text.size(); at + last + 8 <= end; at += 8) {
    const __m128i starts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + at));
    const __m128i ends = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + at + last));
    const auto places = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi16(starts, firsts), _mm_cmpeq_epi16(ends, lasts))));
    if (places == 0) continue;
    if (const std::size_t found = WholeRunAt(text, what, at, places); found != kNone) return found;
  }
#endif
  for (; at + last < text.size(); ++at) {
    if (text[at] == what.front() && text[at + last] == what.back() && text.compare(at, what.size(), what) == 0) {
      return at;
    }
  }
  return kNone;
}

// Offset of the line after the one that begins at pos, or the text size for the last line.
std::size_t NextLine(std::u16string_view text, std::size_t pos) {
  const std::size_t feed = FindUnits(text, u"\n", pos);
  return feed == kNone ? text.size() : feed + 1;
}

bool HasLineBreak(std::u16string_view part) {
  return part.find_first_of(u"\r\n") != kNone;
}

std::u16string Header(std::u16string_view section) {
  std::u16string header(u"[");
  header.append(section).append(u"]").append(kLineEnd);
  return header;
}

std::u16string Entry(std::u16string_view key, std::u16string_view value) {
  std::u16string entry(key);
  entry.append(u"=").append(value).append(kLineEnd);
  return entry;
}

// Offset just past the first header line of section, or kNone.
std::size_t FindSectionBody(std::u16string_view text, std::u16string_view section) {
  const std::u16string header = Header(section);
  for (std::size_t pos = text.find(header); pos != kNone; pos = text.find(header, pos + 1)) {
    if (AtLineStart(text, pos)) return pos + header.size();
  }
  return kNone;
}

// Offset of the first line from the line start `from` on that begins with key "=", or kNone.
// With within_section the search ends at the next section header (a key that begins like one
// is never found there). Past the first line, the line is looked for as the run "\n" key "="
// among the bytes: a list file of hundreds of lines is not walked line by line.
std::size_t FindKeyLine(std::u16string_view text, std::size_t from, std::u16string_view key,
                        bool within_section) {
  if (within_section && key.starts_with(u'[')) return kNone;
  const std::u16string_view first = text.substr(std::min(from, text.size()));
  if (within_section && first.starts_with(u'[')) return kNone;
  if (first.size() > key.size() && first.starts_with(key) && first[key.size()] == u'=') return from;
  const std::u16string line = std::u16string(u"\n").append(key).append(u"=");
  const std::size_t feed = FindUnits(text, line, from);
  if (feed == kNone) return kNone;
  if (within_section && FindUnits(text.substr(0, feed + 1), u"\n[", from) != kNone) return kNone;
  return feed + 1;
}

// The value of key found from section's header on (to the section's end with within_section).
std::optional<std::u16string> FindValue(std::u16string_view text, std::u16string_view section,
                                        std::u16string_view key, bool within_section) {
  if (section.empty() || key.empty()) return std::nullopt;
  const std::size_t body = FindSectionBody(text, section);
  if (body == kNone) return std::nullopt;
  const std::size_t line = FindKeyLine(text, body, key, within_section);
  if (line == kNone) return std::nullopt;
  const std::size_t value = line + key.size() + 1;
  const std::size_t end = text.find(kLineEnd, value);
  if (end == kNone) return std::nullopt;
  return std::u16string(text.substr(value, end - value));
}

}  // namespace

std::optional<std::u16string> GetValue(std::u16string_view text, std::u16string_view section,
                                       std::u16string_view key) {
  return FindValue(text, section, key, false);
}

std::optional<std::u16string> GetSectionValue(std::u16string_view text, std::u16string_view section,
                                              std::u16string_view key) {
  return FindValue(text, section, key, true);
}

std::optional<std::u16string> FindKeyByValue(std::u16string_view text, std::u16string_view section,
                                             std::u16string_view value) {
  if (section.empty() || value.empty()) return std::nullopt;
  const std::size_t body = FindSectionBody(text, section);
  if (body == kNone) return std::nullopt;
  for (std::size_t pos = body; pos < text.size(); pos = NextLine(text, pos)) {
    const std::u16string_view line = text.substr(pos, NextLine(text, pos) - pos);
    const std::size_t equals = line.find(u'=');
    if (equals != kNone && line.substr(equals + 1).starts_with(value)) {
      return std::u16string(line.substr(0, equals));
    }
  }
  return std::nullopt;
}

std::optional<std::u16string> SetValue(std::u16string_view text, std::u16string_view section,
                                       std::u16string_view key, std::u16string_view value) {
  if (section.empty() || key.empty() || value.empty()) return std::nullopt;
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return std::nullopt;
  if (key.find(u'=') != kNone) return std::nullopt;
  std::u16string result(text);
  const std::size_t body = FindSectionBody(text, section);
  if (body == kNone) {
    // A last line without its line end would otherwise swallow the new header.
    if (!result.empty() && !result.ends_with(u'\n')) result.append(kLineEnd);
    return result.append(Header(section)).append(Entry(key, value));
  }
  const std::size_t line = FindKeyLine(text, body, key, false);
  if (line == kNone) return result.insert(body, Entry(key, value));
  const std::size_t old_value = line + key.size() + 1;
  const std::size_t end = text.find(kLineEnd, old_value);
  if (end == kNone) return std::nullopt;
  return result.replace(old_value, end - old_value, value);
}

std::optional<std::u16string> RemoveEntry(std::u16string_view text, std::u16string_view section,
                                          std::u16string_view key) {
  if (section.empty() || key.empty()) return std::nullopt;
  const std::size_t body = FindSectionBody(text, section);
  if (body == kNone) return std::u16string(text);
  const std::size_t line = FindKeyLine(text, body, key, true);
  if (line == kNone) return std::nullopt;
  const std::size_t end = text.find(kLineEnd, line + key.size() + 1);
  if (end == kNone) return std::nullopt;
  std::u16string result(text);
  return result.erase(line, end + kLineEnd.size() - line);
}

}  // namespace tarvello::profile_text
