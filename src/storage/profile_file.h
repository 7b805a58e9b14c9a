// ProfileFile: the INI engine every INI file of the program goes through ("Configuration.ini",
// the stock lists, "ErrorCode.ini", ...).
//
// Files are written UTF-16 little-endian without a byte-order mark and read as DecodeIniText
// reads them (a person's editor may save one otherwise); lines end with "\r\n", sections are
// "[NAME]" lines and entries are KEY=VALUE lines taken literally (no trimming, quoting or
// comments; exact, case-sensitive comparison). The engine is stateless: every call opens the file,
// reads it whole and, for a change, writes the whole new text to a temporary file in the same
// folder that then replaces the original, so a failed write never leaves a truncated file.
// Lookups start at the section header and run on past the end of that section, so callers keep
// key names distinct across the sections of one file. See shell/profile_text.h for the rules of
// the text itself.
//
// Thread rules: safe from any thread. Changes of one file are serialised by one lock per path, so
// two threads never interleave a read-change-rewrite of the same file within the process.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvello {

class ProfileFile {
 public:
  // The value of key in section, or default_value when the section, the key or the file is
  // missing, or an argument is empty.
  static std::u16string GetString(std::u16string_view section, std::u16string_view key,
                                  std::u16string_view default_value,
                                  const std::filesystem::path& path);

  // GetString with the default as decimal text, converted the way the handheld's wide-text to
  // long conversion does: leading blanks and a sign allowed, digits up to the first non-digit,
  // 0 for text without digits, clamped to the int range.
  static int GetInt(std::u16string_view section, std::u16string_view key, int default_value,
                    const std::filesystem::path& path);

  // Sets key to value in section, creating the file, the section or the entry as needed; a new
  // entry goes directly after its section header. False, with the file unchanged, when an
  // argument is empty (a value cannot be cleared this way), a key holds "=", an argument holds a
  // line break, the key's line has no line end, or the file cannot be read or replaced.
  static bool WriteString(std::u16string_view section, std::u16string_view key,
                          std::u16string_view value, const std::filesystem::path& path);

  static bool WriteInt(std::u16string_view section, std::u16string_view key, int value,
                       const std::filesystem::path& path);

  // The key of the first entry after the section header whose value begins with value, or
  // default_value.
  static std::u16string FindKeyByValue(std::u16string_view section, std::u16string_view value,
                                       std::u16string_view default_value,
                                       const std::filesystem::path& path);

  // Removes the entry line of key from the lines of its own section. A missing section (or
  // file) counts as success; a key not among the section's lines is a failure. extra must merely
  // be non-empty.
  static bool DeleteEntry(std::u16string_view section, std::u16string_view key,
                          std::u16string_view extra, const std::filesystem::path& path);
};

}  // namespace tarvello
