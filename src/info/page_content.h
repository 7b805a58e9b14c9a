// What one page of the menu and text page screen shows: either a list of entries, one
// selectable line each (an information title also carries the line under it and the identifier
// of its article), or a text that the screen word-wraps. A text says how it is to be laid out,
// since the company finances come as comma-separated pieces and the downloaded articles as raw
// files. Plain values; any thread.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tarvello {

struct PageEntry {
  std::u16string text;
  int code = 0;
  std::u16string identifier;  // information titles only
  std::u16string subtitle{};  // information titles only: date, time and source
  friend bool operator==(const PageEntry&, const PageEntry&) = default;
};

enum class TextForm {
  kLines,        // one paragraph a line
  kCommaPieces,  // one paragraph a comma-separated piece, shown as it stands
  kDownloaded,   // a downloaded file: byte-order marks dropped, Latin-1 counted narrow
};

struct PageContent {
  std::vector<PageEntry> entries;
  std::u16string text;
  bool is_text = false;
  TextForm form = TextForm::kLines;
  // When the entries came from the answer cache: the moment their answer came. None: live.
  std::optional<std::chrono::system_clock::time_point> cached{};
};

}  // namespace tarvello
