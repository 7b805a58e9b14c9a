#include "storage/profile_file.h"

#include <algorithm>
#include <climits>
#include <mutex>
#include <optional>
#include <string>

#include "storage/path_lock.h"
#include "storage/profile_text.h"
#include "storage/utf16le.h"
#include "storage/whole_file.h"

namespace tarvello {
namespace {

// The file's text; empty for a missing or empty file, nothing when it cannot be read. A file a
// person saved with another editor's encoding reads the same; a change writes it back in ours.
std::optional<std::u16string> ReadText(const std::filesystem::path& path) {
  std::string bytes;
  if (ReadWholeFile(path, bytes) == ReadResult::kFailed) return std::nullopt;
  return DecodeIniText(bytes);
}

bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

int ParseDecimal(std::u16string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
    negative = text[pos] == u'-';
    ++pos;
  }
  long long magnitude = 0;
  for (; pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9'; ++pos) {
    magnitude = std::min(magnitude * 10 + (text[pos] - u'0'), static_cast<long long>(INT_MAX) + 1);
  }
  const long long value = negative ? -magnitude : magnitude;
  return static_cast<int>(std::clamp(value, static_cast<long long>(INT_MIN),
                                     static_cast<long long>(INT_MAX)));
}

std::u16string DecimalText(int value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string ProfileFile::GetString(std::u16string_view section, std::u16string_view key,
                                      std::u16string_view default_value,
                                      const std::filesystem::path& path) {
  if (section.empty() || key.empty() || path.empty()) return std::u16string(default_value);
  const std::optional<std::u16string> text = ReadText(path);
  if (!text) return std::u16string(default_value);
  return profile_text::GetValue(*text, section, key).value_or(std::u16string(default_value));
}

int ProfileFile::GetInt(std::u16string_view section, std::u16string_view key, int default_value,
                        const std::filesystem::path& path) {
  return ParseDecimal(GetString(section, key, DecimalText(default_value), path));
}

bool ProfileFile::WriteString(std::u16string_view section, std::u16string_view key,
                              std::u16string_view value, const std::filesystem::path& path) {
  if (path.empty()) return false;
  std::lock_guard<std::mutex> guard(PathLock(path));
  const std::optional<std::u16string> text = ReadText(path);
  if (!text) return false;
  const std::optional<std::u16string> changed = profile_text::SetValue(*text, section, key, value);
  return changed && ReplaceFile(path, EncodeUtf16Le(*changed));
}

bool ProfileFile::WriteInt(std::u16string_view section, std::u16string_view key, int value,
                           const std::filesystem::path& path) {
  return WriteString(section, key, DecimalText(value), path);
}

std::u16string ProfileFile::FindKeyByValue(std::u16string_view section, std::u16string_view value,
                                           std::u16string_view default_value,
                                           const std::filesystem::path& path) {
  if (path.empty()) return std::u16string(default_value);
  const std::optional<std::u16string> text = ReadText(path);
  if (!text) return std::u16string(default_value);
  return profile_text::FindKeyByValue(*text, section, value)
      .value_or(std::u16string(default_value));
}

bool ProfileFile::DeleteEntry(std::u16string_view section, std::u16string_view key,
                              std::u16string_view extra, const std::filesystem::path& path) {
  if (extra.empty() || path.empty()) return false;
  std::lock_guard<std::mutex> guard(PathLock(path));
  const std::optional<std::u16string> text = ReadText(path);
  if (!text) return false;
  const std::optional<std::u16string> changed = profile_text::RemoveEntry(*text, section, key);
  if (!changed) return false;
  return *changed == *text || ReplaceFile(path, EncodeUtf16Le(*changed));
}

}  // namespace tarvello
