// BatchPanelModel: what the quote list's batch panel holds and decides, without a window. The
// panel has three entries: add several codes of the page shown to the self-selected list, delete
// several codes of the self-selected list's page, or type codes to add. The model knows which
// rows each entry offers, keeps the typed codes with the names the server gave for them, and
// applies the choice to the self-selected list, counting only the codes actually written.
//
// User-interface thread only. Name lookups run on the panel's worker; their answers come back
// through SetName with the code they were asked for, so a late answer never names a code that
// was typed over in the meantime.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "market/security_code.h"

namespace tarvello {

class OwnStockList;

enum class BatchEntry { kAddFromPage, kDeleteFromSelfSelected, kTypeCodes };

// The entry a list command opens: 32866 types codes; 32862 deletes in the self-selected list and
// adds from the page in any other list. None for any other command.
std::optional<BatchEntry> BatchEntryFor(unsigned command, int listMode);

inline constexpr std::u16string_view kBatchNameHeader = u"股票名称";
inline constexpr std::u16string_view kBatchCodeHeader = u"股票代码";
inline constexpr std::u16string_view kUnknownCodeName = u"未知代码";
// The code a blank typing item starts with.
inline constexpr std::u16string_view kTypedCodeStart = u"SH";

// A row of the list page the panel is opened over.
struct BatchRow {
  SecurityCode code;
  std::u16string name;
};

struct BatchItem {
  enum class Name { kKnown, kPlaceholder, kAsking, kUnknown };
  std::u16string name;
  std::u16string code;
  bool checked = false;
  Name state = Name::kKnown;
};

// What applying did: the entry and the number of codes added or deleted.
struct BatchOutcome {
  BatchEntry entry = BatchEntry::kAddFromPage;
  int count = 0;
};

class BatchPanelModel {
 public:
  // Fills the panel afresh: the page's rows not yet self-selected, every row of the
  // self-selected page, or one blank item to type a code into.
  void Fill(BatchEntry entry, const std::vector<BatchRow>& page, const OwnStockList& selfSelected);
  void Clear() { items_.clear(); }

  BatchEntry entry() const { return entry_; }
  bool typing() const { return entry_ == BatchEntry::kTypeCodes; }
  const std::vector<BatchItem>& items() const { return items_; }

  // Checks or unchecks an offered item (check-box entries only).
  void Toggle(std::size_t index);

  // Takes code as typed into item index. True when the server must be asked for its name: a
  // code of 8 characters, which, typed into the last item, adds a blank item for the next code.
  // A market prefix alone keeps the item blank ("股票名称"); a code of another length is unknown
  // at once; an unchanged code changes nothing.
  bool CommitCode(std::size_t index, std::u16string code);
  // The server's name for code, asked for item index; an empty name means the server does not
  // know the code. Dropped when the item holds another code by now.
  void SetName(std::size_t index, std::u16string_view code, std::u16string_view name);
  bool NamesPending() const;

  // Writes the choice to the list: checked codes added or deleted, or typed codes with a known
  // name, 8 characters and not yet listed added. Only codes actually written are counted.
  BatchOutcome Apply(OwnStockList& selfSelected) const;

 private:
  BatchEntry entry_ = BatchEntry::kAddFromPage;
  std::vector<BatchItem> items_;
};

// The "SH/SZ" button: "SH" becomes "SZ", "SZ" becomes "HK", "HK" becomes "SH", the rest of the
// code kept; a code with any other beginning becomes "SH".
std::u16string NextMarketPrefix(std::u16string_view code);

// The message after applying ("已添加%d只个股至我的自选." or, after a deletion,
// "已从我的自选删除%d只个股."); none when nothing was written.
std::optional<std::u16string> BatchMessage(const BatchOutcome& outcome);

// The page the self-selected list shows after applying: a deletion that emptied the page shown
// falls back to the last page that still has rows.
int PageAfterBatch(const BatchOutcome& outcome, int page, int rowsPerPage, int listTotal);

}  // namespace tarvello
