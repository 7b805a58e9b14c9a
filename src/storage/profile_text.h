// The text operations behind ProfileFile, on INI text already decoded into memory. Keeping them
// apart from the file handling lets tests and the fuzz target drive them with any text.
//
// The text is a sequence of lines ended by "\r\n". A section starts with the line "[name]"; an
// entry is a line key "=" value. Keys, values and names are taken literally and compared exactly.
// Section headers and keys are only recognised at the start of a line, so a key never matches
// the tail of a longer key and a value never passes for a header. A key is looked up from its
// section header to the end of the text (a key missing from its own section is found in a later
// one); deleting is the exception and stays inside the section's own lines.
//
// All functions are pure and safe from any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvello::profile_text {

// The value of key in section, or nothing when the section, the key or the line end after the
// value is missing.
std::optional<std::u16string> GetValue(std::u16string_view text, std::u16string_view section,
                                       std::u16string_view key);

// The value of key among the section's own lines only, for files whose sections share key names.
std::optional<std::u16string> GetSectionValue(std::u16string_view text, std::u16string_view section,
                                              std::u16string_view key);

// The key of the first entry after the section header whose value begins with value.
std::optional<std::u16string> FindKeyByValue(std::u16string_view text, std::u16string_view section,
                                             std::u16string_view value);

// The text with key set to value in section; the section or the entry is added when missing (a
// new entry goes directly after the header line). Nothing when the change is refused: an empty
// section, key or value, a key holding "=", any argument holding a line break, or a key whose
// line has no line end.
std::optional<std::u16string> SetValue(std::u16string_view text, std::u16string_view section,
                                       std::u16string_view key, std::u16string_view value);

// The text without the entry line of key in section. A missing section leaves the text as it
// is. Nothing when the key is not among the section's lines or its line has no line end.
std::optional<std::u16string> RemoveEntry(std::u16string_view text, std::u16string_view section,
                                          std::u16string_view key);

}  // namespace tarvello::profile_text
