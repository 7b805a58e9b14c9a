#include "brokers/commission_dlg.h"

#include "base/message.h"
#include "navigation/navigation.h"
#include "navigation/navigator.h"

namespace tarvello {
namespace {

// Posted to itself when opened, so that the title and the first question come after the
// navigation that opened the screen has set the target's title and shown it.
constexpr int kMsgOpened = 0x8101;

}  // namespace

std::u16string CCommissionDlg::CallQuestion(std::u16string_view branch,
                                            std::u16string_view number) {
  return std::u16string(branch) + u"\n" + std::u16string(number) + u"\n" +
         std::u16string(kCallQuestion);
}

CCommissionDlg::CCommissionDlg(CommissionParts parts, QWidget* parent)
    : Window(parent),
      parts_(std::move(parts)),
      model_(parts_.folder, parts_.shippedFolder),
      list_(model_, [this](int row, bool button) { OnTap(row, button); }, this) {
  FitList();
}

void CCommissionDlg::resizeEvent(QResizeEvent* event) {
  Window::resizeEvent(event);
  FitList();
}

void CCommissionDlg::FitList() {
  list_.setGeometry(0, 0, width(), height());
  model_.paging().SetRowsPerPage(list_.RowsPerPage());
}

void CCommissionDlg::Open() {
  model_.OpenOwnList();
  FitList();
  Shown();
  PostMessage(kMsgOpened, 0, 0);
}

void CCommissionDlg::OnMessage(const Message& message) {
  if (message.id != kMsgOpened) return;
  Shown();
  if (model_.mode() != CommissionMode::kOwn || !model_.own().empty()) return;
  if (ActivePrompter().MessageBox(kFirstQuestion, u"提示", PromptButtons::kYesNo) == PromptAnswer::kYes) {
    StartAdding();
  }
}

void CCommissionDlg::Shown() {
  if (parts_.setTitle) parts_.setTitle(model_.Title());
  SoftKeysChanged();
  list_.Invalidate();
}

SoftKeyCaptions CCommissionDlg::SoftKeys() const { return SoftKeyCaptions{u"菜单", u"返回"}; }

std::vector<MenuItem> CCommissionDlg::MenuItems() const {
  const bool ownRow = model_.mode() != CommissionMode::kAdding && model_.paging().selected() >= 0;
  std::vector<MenuItem> items{MenuItem::Command(kCmdManage, u"券商管理"),
                              MenuItem::Command(kCmdAdd, u"添加券商"),
                              MenuItem::Command(kCmdCall, u"拨打电话"),
                              MenuItem::Command(kCmdDelete, u"删除券商")};
  items[2].enabled = ownRow;
  items[3].enabled = ownRow;
  if (model_.mode() == CommissionMode::kAdding) items.push_back(MenuItem::Command(kCmdShortSpell, u"简拼查找"));
  items.push_back(MenuItem::Command(kCmdHome, u"返回首页"));
  return items;
}

void CCommissionDlg::RunCommand(unsigned command) {
  const int selected = model_.paging().selected();
  switch (command) {
    case kCmdManage:
      model_.Manage();
      Shown();
      break;
    case kCmdAdd:
      StartAdding();
      break;
    case kCmdCall:
      Call(selected);
      break;
    case kCmdDelete:
      AskDelete(selected);
      break;
    case kCmdShortSpell:
      if (parts_.navigator != nullptr) parts_.navigator->AskShortSpell(*this);
      break;
    case kCmdHome:
      if (parts_.navigator != nullptr) parts_.navigator->GoTo(kTargetMainMenu, 0);
      break;
    default:
      break;
  }
}

void CCommissionDlg::OnShortSpell(std::u16string_view initials) {
  if (model_.mode() != CommissionMode::kAdding) StartAdding();
  model_.ApplyShortSpell(initials);
  Shown();
}

void CCommissionDlg::StartAdding() {
  if (model_.NeedsCatalogue()) model_.LoadCatalogue();
  model_.StartAdding();
  Shown();
}

void CCommissionDlg::ActOn(int row) {
  switch (model_.mode()) {
    case CommissionMode::kOwn:
      Call(row);
      break;
    case CommissionMode::kManaging:
      AskDelete(row);
      break;
    case CommissionMode::kAdding: {
      const CommissionModel::Choice choice = model_.Choose(row);
      if (choice != CommissionModel::Choice::kNone) Shown();
      if (choice == CommissionModel::Choice::kNotAdded) {
        ActivePrompter().MessageBox(kNotAdded, u"提示", PromptButtons::kOk);
      }
      break;
    }
  }
}

void CCommissionDlg::OnTap(int row, bool button) {
  model_.paging().Select(row);
  list_.Invalidate();
  if (button || model_.mode() == CommissionMode::kAdding) ActOn(row);
}

// The handheld's phone asks before it calls; here the screen asks, naming the branch office and
// its number, and dials only on Yes.
void CCommissionDlg::Call(int row) {
  const std::optional<std::u16string> number = model_.NumberOf(row);
  if (!number) return;
  if (parts_.dialer != nullptr) {
    const std::u16string question =
        CallQuestion(model_.own()[static_cast<std::size_t>(row)].name, *number);
    const PromptAnswer answer = ActivePrompter().MessageBox(question, u"提示", PromptButtons::kYesNo);
    if (answer != PromptAnswer::kYes) return;
    if (parts_.dialer->Dial(*number)) return;
  }
  ActivePrompter().MessageBox(kNoPhone, u"提示", PromptButtons::kOk);
}

void CCommissionDlg::AskDelete(int row) {
  if (model_.mode() == CommissionMode::kAdding || row < 0) return;
  if (ActivePrompter().MessageBox(kDeleteQuestion, u"提示", PromptButtons::kYesNo) != PromptAnswer::kYes) return;
  model_.DeleteOwn(row);
  list_.Invalidate();
}

void CCommissionDlg::GoBack() {
  if (model_.Back()) {
    Shown();
  } else if (parts_.navigator != nullptr) {
    parts_.navigator->GoTo(kTargetMainMenu, 0);
  }
}

void CCommissionDlg::OnKeyDown(KeyCode key) {
  switch (key) {
    case kKeyUp:
    case kKeyDown:
      model_.paging().Move(key == kKeyUp ? -1 : 1);
      list_.Invalidate();
      break;
    case kKeyLeft:
    case kKeyRight:
      model_.paging().Page(key == kKeyLeft ? -1 : 1);
      list_.Invalidate();
      break;
    case kKeyEnter:
      ActOn(model_.paging().selected());
      break;
    case kKeySoftLeft:
      RunCommand(TrackPopupMenu(MenuItems(), {0, height()}, MenuAnchor::kBottomLeft));
      break;
    case kKeyBack:
    case kKeySoftRight:
      GoBack();
      break;
    default:
      break;
  }
}

}  // namespace tarvello
