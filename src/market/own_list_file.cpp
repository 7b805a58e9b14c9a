#include "market/own_list_file.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>

#include "storage/profile_file.h"
#include "storage/profile_text.h"
#include "storage/utf16le.h"
#include "storage/whole_file.h"

namespace tarvello::own_list_file {

namespace {

// Keys looked at past the last one expected before the list is taken to have ended.
constexpr std::size_t kProbeSlack = 16;
// An absurd NUMBER must not make the reader probe for ever.
constexpr int kProbeLimit = 4096;

// NUMBER as the list writes it: plain decimal digits without a leading zero, within int range.
// Anything else (a sign, blanks, a line that swallowed the next header) is damage, not a count.
std::optional<int> ParseCount(std::u16string_view text) {
  if (text.empty() || text.size() > 10 || (text.size() > 1 && text[0] == u'0')) return std::nullopt;
  long long count = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    count = count * 10 + (c - u'0');
  }
  if (count > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(count);
}

std::filesystem::path RebuildPath(const std::filesystem::path& file) {
  std::filesystem::path rebuilt = file;
  rebuilt += ".rebuild";
  return rebuilt;
}

}  // namespace

std::u16string CodeKey(std::size_t index) {
  const std::string digits = std::to_string(index);
  return u"STOCKCODE" + std::u16string(digits.begin(), digits.end());
}

Contents Read(const std::filesystem::path& file) {
  Contents contents;
  // One read of the file; the keys are then looked up in memory with the engine's own rules.
  std::string bytes;
  const ReadResult result = ReadWholeFile(file, bytes);
  contents.readable = result != ReadResult::kFailed;
  contents.dense = contents.readable;
  if (result != ReadResult::kRead) return contents;
  const std::u16string text = DecodeIniText(bytes);

  const std::optional<std::u16string> numberText =
      profile_text::GetValue(text, kNumberSection, kNumberKey);
  if (numberText) {
    const std::optional<int> count = ParseCount(*numberText);
    contents.number = count.value_or(-1);
    contents.dense = count.has_value();
  }
  const std::size_t expected =
      static_cast<std::size_t>(std::clamp(contents.number, 0, kProbeLimit));
  std::size_t missesInARow = 0;
  for (std::size_t index = 0; index < expected || missesInARow < kProbeSlack; ++index) {
    std::optional<std::u16string> value =
        profile_text::GetValue(text, kListSection, CodeKey(index));
    if (!value) {
      ++missesInARow;
      contents.dense = contents.dense && index >= expected;
      continue;
    }
    missesInARow = 0;
    SecurityCode code(std::move(*value));
    const bool listed =
        std::find(contents.codes.begin(), contents.codes.end(), code) != contents.codes.end();
    if (index >= expected || listed || !code.IsWellFormed()) contents.dense = false;
    if (!listed && code.IsWellFormed()) contents.codes.push_back(std::move(code));
  }
  if (contents.number < 0 && !contents.codes.empty()) contents.dense = false;
  return contents;
}

bool Append(const std::filesystem::path& file, int count, const SecurityCode& code) {
  const int index = count < 0 ? 0 : count;
  return ProfileFile::WriteInt(kNumberSection, kNumberKey, index + 1, file) &&
         ProfileFile::WriteString(kListSection, CodeKey(static_cast<std::size_t>(index)),
                                  code.text(), file);
}

bool Rewrite(const std::filesystem::path& file, const std::vector<SecurityCode>& codes) {
  std::error_code error;
  if (codes.empty()) {
    std::filesystem::remove(file, error);
    return !error;
  }
  const std::filesystem::path rebuilt = RebuildPath(file);
  std::filesystem::remove(rebuilt, error);
  bool written = true;
  for (std::size_t i = 0; i < codes.size() && written; ++i) {
    written = Append(rebuilt, static_cast<int>(i), codes[i]);
  }
  if (written) std::filesystem::rename(rebuilt, file, error);
  if (written && !error) return true;
  std::error_code ignored;
  std::filesystem::remove(rebuilt, ignored);
  return false;
}

}  // namespace tarvello::own_list_file
