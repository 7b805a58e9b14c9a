// CommissionModel: what the broker screen shows and does, without a window. The screen has three
// modes: the user's own list of branch offices ("我的券商"), the same list for deleting entries
// ("券商管理"), and adding ("添加"), where the user walks the catalogue from broker to area to
// branch office; choosing a branch office appends it to the own list and shows that list again.
// A short-spell search narrows the level of the catalogue in front to the entries whose short
// name begins with the typed initials. The own list lives in "Trades.ini" and the catalogue in
// "Security.xml", both in the program folder; a program folder without a catalogue of its own uses
// the one shipped with the program. After every change the own list is read back from its file,
// so the screen shows what the file holds.
//
// The catalogue is read once, on the first visit to the adding mode (again while it could not be
// read).
// User-interface thread only.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "brokers/broker_catalogue.h"
#include "brokers/row_paging.h"
#include "brokers/trades_file.h"

namespace tarvello {

enum class CommissionMode { kOwn, kManaging, kAdding };
enum class CatalogueLevel { kBrokers, kAreas, kBranches };

struct CommissionRow {
  std::u16string text;
  std::u16string tel;  // own entries and branch offices
  friend bool operator==(const CommissionRow&, const CommissionRow&) = default;
};

class CommissionModel {
 public:
  // shipped: the folder of the catalogue that comes with the program; none: only folder's.
  explicit CommissionModel(const std::filesystem::path& folder, const std::filesystem::path& shipped = {});

  // Reads the own list and shows it. True when it is empty, so the screen asks to add one.
  bool OpenOwnList();
  void Manage();
  bool NeedsCatalogue() const { return !catalogue_.loaded(); }
  void LoadCatalogue();
  // Shows the broker level of the catalogue, all brokers listed.
  void StartAdding();

  enum class Choice { kNone, kOpened, kAdded, kNotAdded };
  // Acts on a row of the catalogue: opens a broker's areas or an area's branch offices, or adds a
  // branch office to the own list (then shows the own list with it selected).
  Choice Choose(int row);
  // One step back: the level above while adding, the own list from managing. False on the own
  // list, which has nothing behind it on this screen.
  bool Back();
  // Removes an own entry from the file. False when the file no longer holds it or cannot change.
  bool DeleteOwn(int row);
  // The number of an own entry; none for a catalogue row or an entry without a number.
  std::optional<std::u16string> NumberOf(int row) const;
  // Narrows the catalogue level in front (adding from the broker level when another mode is in
  // front) to the entries matching initials.
  void ApplyShortSpell(std::u16string_view initials);

  CommissionMode mode() const { return mode_; }
  CatalogueLevel level() const { return level_; }
  std::u16string Title() const;
  std::vector<CommissionRow> Rows() const;
  // What an empty list says instead of nothing: how to add a branch office, or that no entry of
  // the catalogue matches.
  std::u16string EmptyText() const;
  const std::vector<OwnBranch>& own() const { return own_; }
  RowPaging& paging() { return paging_; }
  const RowPaging& paging() const { return paging_; }
  const std::filesystem::path& trades_path() const { return trades_; }

 private:
  void ShowLevel(CatalogueLevel level, std::vector<CatalogueEntry> entries);
  void ReloadOwn();

  const std::filesystem::path trades_;
  const std::filesystem::path own_catalogue_;
  const std::filesystem::path shipped_catalogue_;
  BrokerCatalogue catalogue_;
  std::vector<OwnBranch> own_;
  CommissionMode mode_ = CommissionMode::kOwn;
  CatalogueLevel level_ = CatalogueLevel::kBrokers;
  std::size_t broker_ = 0;  // the broker chosen, at the area and branch levels
  std::size_t area_ = 0;    // the area chosen, at the branch level
  std::vector<CatalogueEntry> entries_;  // the level in front
  std::vector<std::size_t> shown_;       // the indices of entries_ on the list, in order
  RowPaging paging_;
};

}  // namespace tarvello
