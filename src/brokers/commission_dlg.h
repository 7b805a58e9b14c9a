// CCommissionDlg: the broker screen behind the main menu's "委托交易" cell. The program does not
// trade: it keeps the user's own list of broker branch offices and dials the chosen one, so the
// user can place orders by telephone. The screen shows its list control (CInfoListDlg) over its
// whole area and decides everything else through CommissionModel: opening an empty own list asks
// whether to add a branch office; the title follows the mode; deleting asks first; calling goes
// to the phone module once the user has said yes to the branch office and its number, and
// without one says "找不到电话模块!!!". The catalogue is a small local file read in passing.
//
// Keys: up and down move the selection, left and right page, Enter acts on the selected row
// (call, delete or choose, by mode), the left soft key opens the menu, Esc and the right soft
// key go back. A tap selects a row; while adding it also chooses it, and a tap on a row's button
// calls or deletes.
// User-interface thread only.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "brokers/commission_model.h"
#include "brokers/info_list_dlg.h"
#include "navigation/short_spell.h"
#include "platform/phone_dialer.h"
#include "platform/prompter.h"
#include "platform/window.h"

namespace tarvello {

class Navigator;

struct CommissionParts {
  std::filesystem::path folder;  // holds "Trades.ini" and maybe a "Security.xml" of its own
  std::filesystem::path shippedFolder;  // holds the "Security.xml" that comes with the program
  Navigator* navigator = nullptr;
  std::unique_ptr<PhoneDialer> dialer;  // none: the device has no phone module
  std::function<void(const std::u16string&)> setTitle;  // the main window's title
};

class CCommissionDlg : public Window, public ShortSpellReceiver {
 public:
  static constexpr unsigned kCmdManage = 40101;
  static constexpr unsigned kCmdAdd = 40102;
  static constexpr unsigned kCmdCall = 40103;
  static constexpr unsigned kCmdDelete = 40104;
  static constexpr unsigned kCmdHome = 40105;
  static constexpr unsigned kCmdShortSpell = 40106;
  static constexpr std::u16string_view kFirstQuestion = u"您还没有添加营业部，是否添加?";
  static constexpr std::u16string_view kDeleteQuestion = u"确定要删除吗?";
  static constexpr std::u16string_view kNoPhone = u"找不到电话模块!!!";
  // Ends the question asked before a call: the branch office, its number, then this line.
  static constexpr std::u16string_view kCallQuestion = u"是否拨打?";
  // A branch office the list file cannot take (a line break in its number, a full list, a
  // failed write): said, so that a tap never ends in silence.
  static constexpr std::u16string_view kNotAdded = u"添加失败!";

  explicit CCommissionDlg(CommissionParts parts, QWidget* parent = nullptr);

  // Shows the own list as navigation asks for it; an empty list then asks whether to add.
  void Open();
  std::vector<MenuItem> MenuItems() const;
  void RunCommand(unsigned command);
  void OnShortSpell(std::u16string_view initials) override;

  const CommissionModel& model() const { return model_; }
  CInfoListDlg& list() { return list_; }
  SoftKeyCaptions SoftKeys() const override;
  static std::u16string CallQuestion(std::u16string_view branch, std::u16string_view number);

 protected:
  void OnMessage(const Message& message) override;
  void OnKeyDown(KeyCode key) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Shown();
  void FitList();
  void StartAdding();
  void ActOn(int row);
  void OnTap(int row, bool button);
  void Call(int row);
  void AskDelete(int row);
  void GoBack();

  CommissionParts parts_;
  CommissionModel model_;
  CInfoListDlg list_;
};

}  // namespace tarvello
