#include "storage/profile_text.h"

#include <string.h>

#include <algorithm>
#include <cstring>

namespace tarvello::profile_text {
namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";
constexpr std::size_t kNone = std::u16string_view::npos;

bool AtLineStart(std::u16string_view text, std::size_t pos) {
  return pos == 0 || text[pos - 1] == u'\n';
}

// Offset of the first occurrence of what (not empty) in text from `from` on, or kNone. The bytes
// are searched many at a time, a single unit by its first byte (memchr), a longer run whole
// (memmem, which skips ahead through what cannot match); a hit must start on a whole unit and hold
// every unit of what, since a byte can be half of another unit.
std::size_t FindUnits(std::u16string_view text, std::u16string_view what, std::size_t from) {
  const char* bytes = reinterpret_cast<const char*>(text.data());
  const char* needle = reinterpret_cast<const char*>(what.data());
  const std::size_t size = text.size() * sizeof(char16_t);
  for (std::size_t at = from * sizeof(char16_t); at < size;) {
    const void* hit = what.size() == 1 ? std::memchr(bytes + at, needle[0], size - at)
                                       : memmem(bytes + at, size - at, needle, what.size() * sizeof(char16_t));
    if (hit == nullptr) return kNone;
    const auto offset = static_cast<std::size_t>(static_cast<const char*>(hit) - bytes);
    if (offset % sizeof(char16_t) == 0 && text.substr(offset / sizeof(char16_t)).starts_with(what)) {
      return offset / sizeof(char16_t);
    }
    at = offset + 1;
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
