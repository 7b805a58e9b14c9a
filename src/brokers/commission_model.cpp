#include "brokers/commission_model.h"

#include <numeric>

#include "brokers/short_spell_match.h"

namespace tarvello {

CommissionModel::CommissionModel(const std::filesystem::path& folder, const std::filesystem::path& shipped)
    : trades_(folder / trades_file::kFileName),
      own_catalogue_(folder / BrokerCatalogue::kFileName),
      shipped_catalogue_(shipped.empty() ? std::filesystem::path() : shipped / BrokerCatalogue::kFileName) {}

void CommissionModel::ReloadOwn() {
  own_ = trades_file::Read(trades_);
  paging_.SetCount(static_cast<int>(own_.size()));
}

bool CommissionModel::OpenOwnList() {
  mode_ = CommissionMode::kOwn;
  own_ = trades_file::Read(trades_);
  paging_.Reset(static_cast<int>(own_.size()));
  return own_.empty();
}

void CommissionModel::Manage() {
  if (mode_ == CommissionMode::kAdding) OpenOwnList();
  mode_ = CommissionMode::kManaging;
}

void CommissionModel::LoadCatalogue() {
  std::error_code error;
  const bool own = shipped_catalogue_.empty() || std::filesystem::exists(own_catalogue_, error);
  catalogue_.Load(own ? own_catalogue_ : shipped_catalogue_);
}

void CommissionModel::StartAdding() {
  mode_ = CommissionMode::kAdding;
  ShowLevel(CatalogueLevel::kBrokers, catalogue_.Brokers());
}

void CommissionModel::ShowLevel(CatalogueLevel level, std::vector<CatalogueEntry> entries) {
  level_ = level;
  entries_ = std::move(entries);
  shown_.resize(entries_.size());
  std::iota(shown_.begin(), shown_.end(), std::size_t{0});
  paging_.Reset(static_cast<int>(shown_.size()));
}

CommissionModel::Choice CommissionModel::Choose(int row) {
  if (mode_ != CommissionMode::kAdding || row < 0 || static_cast<std::size_t>(row) >= shown_.size()) {
    return Choice::kNone;
  }
  const std::size_t index = shown_[static_cast<std::size_t>(row)];
  switch (level_) {
    case CatalogueLevel::kBrokers:
      broker_ = index;
      ShowLevel(CatalogueLevel::kAreas, catalogue_.Areas(broker_));
      return Choice::kOpened;
    case CatalogueLevel::kAreas:
      area_ = index;
      ShowLevel(CatalogueLevel::kBranches, catalogue_.Branches(broker_, area_));
      return Choice::kOpened;
    case CatalogueLevel::kBranches:
      break;
  }
  const CatalogueEntry& branch = entries_[index];
  const bool added = trades_file::Append(trades_, OwnBranch::Of(branch.tel, branch.name));
  OpenOwnList();
  if (added) paging_.Select(static_cast<int>(own_.size()) - 1);
  return added ? Choice::kAdded : Choice::kNotAdded;
}

bool CommissionModel::Back() {
  switch (mode_) {
    case CommissionMode::kOwn:
      return false;
    case CommissionMode::kManaging:
      mode_ = CommissionMode::kOwn;
      return true;
    case CommissionMode::kAdding:
      break;
  }
  switch (level_) {
    case CatalogueLevel::kBrokers:
      OpenOwnList();
      break;
    case CatalogueLevel::kAreas:
      ShowLevel(CatalogueLevel::kBrokers, catalogue_.Brokers());
      paging_.Select(static_cast<int>(broker_));
      break;
    case CatalogueLevel::kBranches:
      ShowLevel(CatalogueLevel::kAreas, catalogue_.Areas(broker_));
      paging_.Select(static_cast<int>(area_));
      break;
  }
  return true;
}

bool CommissionModel::DeleteOwn(int row) {
  if (mode_ == CommissionMode::kAdding || row < 0) return false;
  const bool removed = trades_file::Remove(trades_, own_, static_cast<std::size_t>(row));
  ReloadOwn();
  return removed;
}

std::optional<std::u16string> CommissionModel::NumberOf(int row) const {
  if (mode_ == CommissionMode::kAdding || row < 0 || static_cast<std::size_t>(row) >= own_.size()) {
    return std::nullopt;
  }
  const std::u16string& tel = own_[static_cast<std::size_t>(row)].tel;
  if (tel.empty()) return std::nullopt;
  return tel;
}

void CommissionModel::ApplyShortSpell(std::u16string_view initials) {
  if (mode_ != CommissionMode::kAdding) StartAdding();
  shown_ = ShortSpellMatches(entries_, initials);
  paging_.Reset(static_cast<int>(shown_.size()));
}

std::u16string CommissionModel::EmptyText() const {
  if (mode_ == CommissionMode::kAdding) return u"没有符合的条目";
  return u"还没有营业部。\n请按“菜单”，选择“添加券商”添加。";
}

std::u16string CommissionModel::Title() const {
  switch (mode_) {
    case CommissionMode::kOwn:
      return u"我的券商";
    case CommissionMode::kManaging:
      return u"券商管理";
    case CommissionMode::kAdding:
      break;
  }
  return u"添加";
}

std::vector<CommissionRow> CommissionModel::Rows() const {
  std::vector<CommissionRow> rows;
  if (mode_ != CommissionMode::kAdding) {
    for (const OwnBranch& branch : own_) rows.push_back({branch.name, branch.tel});
    return rows;
  }
  for (const std::size_t index : shown_) rows.push_back({entries_[index].name, entries_[index].tel});
  return rows;
}

}  // namespace tarvello
