// The user's own list of broker branch offices, "Trades.ini" in the program folder: section
// "NUMBER" with key "SECURITYNUM" holding the count n, section "SECURITYLIST" with keys NAME0 to
// NAME<n-1>, each holding the branch's telephone number, "|" and its display name. The keys stay
// dense: removing an entry moves the last one into its place, and removing the only entry
// removes the file.
//
// Every change reads the file, applies all its edits to the text with the INI engine's rules and
// replaces the file once, under the file's path lock, so a failure never leaves a count without
// its entry. Safe from any thread.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarvello {

struct OwnBranch {
  std::u16string stored;  // the value as it stands in the file
  std::u16string tel;     // before the first "|"; empty when there is none
  std::u16string name;    // after the first "|"; the whole value when there is none

  // Splits a stored value at its first "|", so a number holding "|" loses its tail to the name.
  static OwnBranch FromStored(std::u16string stored);
  static OwnBranch Of(std::u16string_view tel, std::u16string_view name);
  friend bool operator==(const OwnBranch&, const OwnBranch&) = default;
};

namespace trades_file {

inline constexpr std::string_view kFileName = "Trades.ini";
inline constexpr std::u16string_view kNumberSection = u"NUMBER";
inline constexpr std::u16string_view kCountKey = u"SECURITYNUM";
inline constexpr std::u16string_view kListSection = u"SECURITYLIST";
// What a row shows when its key is missing.
inline constexpr std::u16string_view kMissingEntry = u"Error";
// A count above this is damage: the list is read up to here.
inline constexpr int kRowLimit = 1024;

// "NAME" followed by the index.
std::u16string NameKey(int index);

// The entries in key order; a key missing below the count reads as "Error".
std::vector<OwnBranch> Read(const std::filesystem::path& file);

// Appends branch as NAME<count> and raises the count. False, with the file unchanged, when the
// value cannot be stored (a line break in it), when the file is too damaged for the new entry to
// read back as the last one, or when the file cannot be read or replaced.
bool Append(const std::filesystem::path& file, const OwnBranch& branch);

// Removes the entry shown as row of rows (rows as Read gave them): the row's own key when it
// still holds the row's value, else the first key holding exactly that value. False, with the
// file unchanged, when no key holds it, when the file is too damaged for the list to read back as
// one row fewer with the last entry in the row's place, or when the file cannot be changed.
bool Remove(const std::filesystem::path& file, const std::vector<OwnBranch>& rows, std::size_t row);

}  // namespace trades_file
}  // namespace tarvello
