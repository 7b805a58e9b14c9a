#include "lists/batch_panel_model.h"

#include <algorithm>
#include <array>

#include "lists/list_codes.h"
#include "lists/list_commands.h"
#include "market/own_stock_list.h"
#include "market/printf_text.h"

namespace tarvello {
namespace {

BatchItem BlankTypingItem() {
  return BatchItem{std::u16string(kBatchNameHeader), std::u16string(kTypedCodeStart), false,
                   BatchItem::Name::kPlaceholder};
}

bool Addable(const BatchItem& item) {
  return item.state == BatchItem::Name::kKnown && item.code.size() == SecurityCode::kCompleteLength;
}

}  // namespace

std::optional<BatchEntry> BatchEntryFor(unsigned command, int listMode) {
  if (command == kCmdBatchAdd) return BatchEntry::kTypeCodes;
  if (command != kCmdBatch) return std::nullopt;
  return listMode == kModeSelfSelected ? BatchEntry::kDeleteFromSelfSelected : BatchEntry::kAddFromPage;
}

void BatchPanelModel::Fill(BatchEntry entry, const std::vector<BatchRow>& page, const OwnStockList& selfSelected) {
  entry_ = entry;
  items_.clear();
  if (entry == BatchEntry::kTypeCodes) {
    items_.push_back(BlankTypingItem());
    return;
  }
  for (const BatchRow& row : page) {
    if (entry == BatchEntry::kAddFromPage && selfSelected.Contains(row.code)) continue;
    items_.push_back(BatchItem{row.name, row.code.text()});
  }
}

void BatchPanelModel::Toggle(std::size_t index) {
  if (!typing() && index < items_.size()) items_[index].checked = !items_[index].checked;
}

bool BatchPanelModel::CommitCode(std::size_t index, std::u16string code) {
  if (!typing() || index >= items_.size() || items_[index].code == code) return false;
  BatchItem& item = items_[index];
  item.code = std::move(code);
  if (item.code.size() <= kTypedCodeStart.size()) {  // a market prefix alone: nothing typed yet
    item.name = kBatchNameHeader;
    item.state = BatchItem::Name::kPlaceholder;
    return false;
  }
  const bool complete = item.code.size() == SecurityCode::kCompleteLength;
  item.state = complete ? BatchItem::Name::kAsking : BatchItem::Name::kUnknown;
  item.name = complete ? u"" : std::u16string(kUnknownCodeName);
  if (complete && index + 1 == items_.size()) items_.push_back(BlankTypingItem());
  return complete;
}

void BatchPanelModel::SetName(std::size_t index, std::u16string_view code, std::u16string_view name) {
  if (index >= items_.size() || items_[index].code != code || items_[index].state != BatchItem::Name::kAsking) return;
  BatchItem& item = items_[index];
  item.state = name.empty() ? BatchItem::Name::kUnknown : BatchItem::Name::kKnown;
  item.name = name.empty() ? kUnknownCodeName : name;
}

bool BatchPanelModel::NamesPending() const {
  return std::any_of(items_.begin(), items_.end(),
                     [](const BatchItem& item) { return item.state == BatchItem::Name::kAsking; });
}

BatchOutcome BatchPanelModel::Apply(OwnStockList& selfSelected) const {
  BatchOutcome outcome{entry_, 0};
  for (const BatchItem& item : items_) {
    if (typing() ? !Addable(item) : !item.checked) continue;
    // Add refuses a code already listed, so a code typed twice is added once.
    const SecurityCode code(item.code);
    const bool written = entry_ == BatchEntry::kDeleteFromSelfSelected ? selfSelected.Remove(code) : selfSelected.Add(code);
    if (written) ++outcome.count;
  }
  return outcome;
}

std::u16string NextMarketPrefix(std::u16string_view code) {
  static constexpr std::array<std::pair<std::u16string_view, std::u16string_view>, 3> kCycle = {
      {{u"SH", u"SZ"}, {u"SZ", u"HK"}, {u"HK", u"SH"}}};
  const std::u16string_view prefix = code.substr(0, std::min<std::size_t>(2, code.size()));
  for (const auto& [from, to] : kCycle) {
    if (prefix == from) return std::u16string(to) + std::u16string(code.substr(2));
  }
  return std::u16string(kTypedCodeStart);
}

std::optional<std::u16string> BatchMessage(const BatchOutcome& outcome) {
  if (outcome.count <= 0) return std::nullopt;
  if (outcome.entry == BatchEntry::kDeleteFromSelfSelected) return PrintfText("已从我的自选删除%d只个股.", outcome.count);
  return PrintfText("已添加%d只个股至我的自选.", outcome.count);
}

int PageAfterBatch(const BatchOutcome& outcome, int page, int rowsPerPage, int listTotal) {
  if (outcome.entry != BatchEntry::kDeleteFromSelfSelected || rowsPerPage < 1 || page < 1) return page;
  const int lastPageWithRows = listTotal < 1 ? 0 : (listTotal - 1) / rowsPerPage;
  return std::min(page, lastPageWithRows);
}

}  // namespace tarvello
