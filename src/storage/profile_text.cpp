#include "storage/profile_text.h"

namespace tarvello::profile_text {
namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";
constexpr std::size_t kNone = std::u16string_view::npos;

bool AtLineStart(std::u16string_view text, std::size_t pos) {
  return pos == 0 || text[pos - 1] == u'\n';
}

// Offset of the line after the one that begins at pos, or the text size for the last line.
std::size_t NextLine(std::u16string_view text, std::size_t pos) {
  const std::size_t feed = text.find(u'\n', pos);
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

// Offset of the first line from `from` on that begins with key "=", or kNone. With
// within_section the search ends at the next section header.
std::size_t FindKeyLine(std::u16string_view text, std::size_t from, std::u16string_view key,
                        bool within_section) {
  for (std::size_t pos = from; pos < text.size(); pos = NextLine(text, pos)) {
    const std::u16string_view line = text.substr(pos);
    if (within_section && line.starts_with(u'[')) return kNone;
    if (line.starts_with(key) && line.substr(key.size()).starts_with(u'=')) return pos;
  }
  return kNone;
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
