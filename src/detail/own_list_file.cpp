#include "detail/own_list_file.h"

#include <algorithm>

#include "shell/profile_file.h"

namespace tarvello::own_list_file {

namespace {

// No stored value can hold a line break, so this default tells a missing key from any value.
constexpr std::u16string_view kMissingValue = u"\r\n";
// Keys looked at past the last one expected before the list is taken to have ended.
constexpr std::size_t kProbeSlack = 16;
// An absurd NUMBER must not make the reader probe for ever.
constexpr int kProbeLimit = 4096;

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
  contents.number = ProfileFile::GetInt(kNumberSection, kNumberKey, -1, file);
  const std::size_t expected = static_cast<std::size_t>(std::clamp(contents.number, 0, kProbeLimit));
  std::size_t missesInARow = 0;
  for (std::size_t index = 0; index < expected || missesInARow < kProbeSlack; ++index) {
    const std::u16string value = ProfileFile::GetString(kListSection, CodeKey(index), kMissingValue, file);
    if (value == kMissingValue) {
      ++missesInARow;
      contents.dense = contents.dense && index >= expected;
      continue;
    }
    missesInARow = 0;
    SecurityCode code(value);
    const bool listed = std::find(contents.codes.begin(), contents.codes.end(), code) != contents.codes.end();
    if (index >= expected || listed || !code.IsWellFormed()) contents.dense = false;
    if (!listed && code.IsWellFormed()) contents.codes.push_back(std::move(code));
  }
  if (contents.number < 0 && !contents.codes.empty()) contents.dense = false;
  return contents;
}

bool Append(const std::filesystem::path& file, int count, const SecurityCode& code) {
  const int index = count < 0 ? 0 : count;
  return ProfileFile::WriteInt(kNumberSection, kNumberKey, index + 1, file) &&
         ProfileFile::WriteString(kListSection, CodeKey(static_cast<std::size_t>(index)), code.text(), file);
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
