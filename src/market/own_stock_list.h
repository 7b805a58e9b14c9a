// OwnStockList: the user's own lists of securities, the self-selected list ("SelectStock.ini")
// and the recently viewed list ("LastViewStock.ini"), both kept in the program folder. Every
// screen that adds, removes, moves or remembers a code goes through this class; none writes the
// files itself. The file form is described in own_list_file.h.
//
// The file is the truth. Reads are served from the last reading of the file, kept in memory for
// the process, so that the yellow names of a painted page cost no file access: a change made
// through this class is seen at once, and the file's size and time are looked at again at most
// every 200 ms, so that a change made by hand is read within that time. Changes read the file
// afresh before they write it. A file damaged by hand (NUMBER missing or wrong, a gap in
// the keys, a value that is no code, a code listed twice) is read for every code it still holds,
// and the first change rewrites it in its dense form, so no readable code is lost. Codes are
// matched exactly.
//
// Thread rules: safe from any thread. A mutex per list file serialises the read-change-write
// sequence of every operation on it, so two screens never interleave changes to a list file, and
// a read of one list never waits for a write of another.
#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "market/security_code.h"

namespace tarvello {

class OwnStockList {
 public:
  static constexpr std::size_t kRecentLimit = 20;

  static OwnStockList SelfSelected(const std::filesystem::path& programFolder);
  static OwnStockList RecentlyViewed(const std::filesystem::path& programFolder);

  explicit OwnStockList(std::filesystem::path file) : file_(std::move(file)) {}

  const std::filesystem::path& file() const { return file_; }

  // For a list whose changes may still wait in a queue of their own (the recently viewed list is
  // written a while after the tap that views a code): every read runs settle first, so that it
  // sees each change asked for before it.
  void SetBeforeRead(std::function<void()> settle) { settle_ = std::move(settle); }

  // The codes in display order; empty for a missing file.
  std::vector<SecurityCode> Codes() const;
  bool Contains(const SecurityCode& code) const;

  // Forgets what was read of the file, so that the next query reads it again: for a caller that
  // has just written the file by other means and must not wait for the next look at it.
  void Reread() const;

  // Appends code. False when it is already listed, is no well-formed code, or cannot be written.
  bool Add(const SecurityCode& code);
  // Removes code; the last code moves into its place, and removing the only code deletes the
  // file. False when the code is not listed or the file cannot be changed.
  bool Remove(const SecurityCode& code);
  // Exchange code with its neighbour above or below. False at the top or bottom, or when unlisted.
  bool MoveUp(const SecurityCode& code);
  bool MoveDown(const SecurityCode& code);
  // Creates the self-selected file with the two main indices when there is none yet.
  void EnsureDefault();
  // Records a viewed code at the end of the list, keeping the newest kRecentLimit; a code already
  // listed keeps its place.
  bool Remember(const SecurityCode& code);

 private:
  bool Move(const SecurityCode& code, bool up);
  template <typename Read>
  auto ReadFresh(Read read) const;

  std::filesystem::path file_;
  std::function<void()> settle_;
};

}  // namespace tarvello
