// The file form of an own stock list ("SelectStock.ini", "LastViewStock.ini"): section
// "STOCKNUMBER" with key "NUMBER" holding the count n, section "STOCKLIST" with keys STOCKCODE0 to
// STOCKCODE<n-1> holding one security code each, in display order. All access goes through
// the INI engine: reads parse the file once with the engine's text rules (shell/profile_text.h),
// changes go through ProfileFile. These functions take no lock: OwnStockList serialises them.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "market/security_code.h"

namespace tarvello::own_list_file {

inline constexpr std::u16string_view kNumberSection = u"STOCKNUMBER";
inline constexpr std::u16string_view kNumberKey = u"NUMBER";
inline constexpr std::u16string_view kListSection = u"STOCKLIST";

// "STOCKCODE" followed by the index.
std::u16string CodeKey(std::size_t index);

struct Contents {
  // NUMBER as stored, -1 when the entry (or the file) is missing or holds no plain count.
  int number = -1;
  // The readable codes in key order, each once.
  std::vector<SecurityCode> codes;
  // False when the file exists but cannot be read; such a file is never rewritten.
  bool readable = true;
  // False when the file differs from its dense form: NUMBER missing, not a plain count or not the
  // count, a gap in the keys, a key beyond NUMBER, a value that is no code, or a code listed twice.
  bool dense = true;
};

// Reads the list. Keys are looked up from 0 on, past NUMBER and past gaps until a run of missing
// keys shows the end, so codes of a hand-damaged file are still found.
Contents Read(const std::filesystem::path& file);

// Replaces the file by the dense form of codes, written as a run of appends from an empty file
// would leave it. The new file is built beside the old one and renamed over it, so a failure
// leaves the old list. An empty list removes the file. True on success.
bool Rewrite(const std::filesystem::path& file, const std::vector<SecurityCode>& codes);

// Appends code at the end of a dense list of `count` codes (count -1 for a missing file):
// NUMBER first, then the entry, as the list has always been written.
bool Append(const std::filesystem::path& file, int count, const SecurityCode& code);

}  // namespace tarvello::own_list_file
