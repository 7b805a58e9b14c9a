#include "brokers/commission_dlg.h"

#include <gtest/gtest.h>

#include "platform/qt_test_app.h"
#include "platform/scripted_prompter.h"
#include "support/recording_navigator.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

constexpr char kHostileNumber[] = "0\"; rm -rf ~ $(reboot) `id` 'x' & y";

// Two brokers, the first with an area of two branches, the first of whose numbers is hostile.
constexpr char kCatalogue[] =
    "<root><security name=\"白鹭证券\" short=\"BLZQ\"><area name=\"北京\">"
    "<dept name=\"人民路营业部\" tel=\"0&quot;; rm -rf ~ $(reboot) `id` 'x' &amp; y\"/>"
    "<dept name=\"和平路营业部\" tel=\"010-2\"/></area><area name=\"A1\"/></security>"
    "<security name=\"云杉证券\" short=\"YSZQ\"/></root>";

class CommissionDlgTest : public ::testing::Test {
 protected:
  CommissionDlgTest() {
    InstallPrompter(&prompter_);
    testing::WriteBytes(folder_ / "Security.xml", kCatalogue);
  }
  ~CommissionDlgTest() override {
    dlg_.reset();
    InstallPrompter(nullptr);
  }

  void Make(std::unique_ptr<PhoneDialer> dialer) {
    CommissionParts parts;
    parts.folder = folder_.path();
    parts.navigator = &navigator_;
    parts.dialer = std::move(dialer);
    parts.setTitle = [this](const std::u16string& title) { titles_.push_back(title); };
    dlg_ = std::make_unique<CCommissionDlg>(std::move(parts));
    dlg_->resize(240, 300);
  }
  void MakeWithPhone() {
    auto dialer = std::make_unique<RecordingDialer>();
    dialer_ = dialer.get();
    Make(std::move(dialer));
  }
  // Opens the screen and lets its posted opening run.
  void Open() {
    const std::size_t titles = titles_.size();
    dlg_->Open();
    ProcessEventsUntil([&] { return titles_.size() >= titles + 2; });
  }
  // The first branch office of the first area of the first broker, by keys.
  void AddFirstBranch() {
    dlg_->RunCommand(CCommissionDlg::kCmdAdd);
    for (int i = 0; i < 3; ++i) dlg_->SendKey(kKeyEnter);
  }
  std::vector<Prompt> Asked(std::u16string_view text) const {
    std::vector<Prompt> asked;
    for (const Prompt& p : prompter_.asked()) {
      if (p.text == text) asked.push_back(p);
    }
    return asked;
  }

  testing::QtApp app_;
  testing::TempFolder folder_;
  ScriptedPrompter prompter_;
  testing::RecordingNavigator navigator_;
  RecordingDialer* dialer_ = nullptr;
  std::vector<std::u16string> titles_;
  std::unique_ptr<CCommissionDlg> dlg_;
};

TEST_F(CommissionDlgTest, AnEmptyListAsksToAddAndYesOpensTheCatalogue) {
  MakeWithPhone();
  prompter_.QueueAnswer(PromptAnswer::kYes);
  Open();
  const std::vector<Prompt> asked = Asked(CCommissionDlg::kFirstQuestion);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].buttons, PromptButtons::kYesNo);
  EXPECT_EQ(titles_.back(), u"添加");
  EXPECT_EQ(dlg_->model().Rows().size(), 2u);

  // No leaves the empty own list in front.
  Open();
  EXPECT_EQ(Asked(CCommissionDlg::kFirstQuestion).size(), 2u);
  EXPECT_EQ(titles_.back(), u"我的券商");
}

TEST_F(CommissionDlgTest, DeletingTheOnlyEntryAsksFirstRemovesTheFileAndTheNextOpenAsksAgain) {
  MakeWithPhone();
  Open();
  AddFirstBranch();
  ASSERT_EQ(dlg_->model().own().size(), 1u);
  EXPECT_EQ(titles_.back(), u"我的券商");

  dlg_->RunCommand(CCommissionDlg::kCmdManage);
  EXPECT_EQ(titles_.back(), u"券商管理");
  dlg_->SendKey(kKeyEnter);  // answered No
  EXPECT_EQ(dlg_->model().own().size(), 1u);
  prompter_.QueueAnswer(PromptAnswer::kYes);
  dlg_->RunCommand(CCommissionDlg::kCmdDelete);
  const std::vector<Prompt> asked = Asked(CCommissionDlg::kDeleteQuestion);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_TRUE(dlg_->model().own().empty());
  EXPECT_FALSE(std::filesystem::exists(folder_ / "Trades.ini"));

  Open();
  EXPECT_EQ(Asked(CCommissionDlg::kFirstQuestion).size(), 2u);
}

// The phone module asks before it calls: the question names the branch office and its number,
// and only Yes dials, the number going out as one unchanged text.
TEST_F(CommissionDlgTest, ACallAsksFirstAndDialsOnlyWithAPhoneAndAnUnkeepableBranchIsRefused) {
  MakeWithPhone();
  Open();
  AddFirstBranch();
  prompter_.QueueAnswer(PromptAnswer::kYes);
  dlg_->SendKey(kKeyEnter);
  dlg_->RunCommand(CCommissionDlg::kCmdCall);  // answered No
  const std::u16string hostile(std::begin(kHostileNumber), std::end(kHostileNumber) - 1);
  EXPECT_EQ(dialer_->dialled, std::vector<std::u16string>{hostile});
  const std::vector<Prompt> asked = Asked(CCommissionDlg::CallQuestion(u"北京-人民路营业部", hostile));
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].buttons, PromptButtons::kYesNo);
  // Without a phone module a call says so and dials nothing.
  for (const bool configured : {false, true}) {
    SCOPED_TRACE(configured ? "a dialer that cannot dial" : "no dialer");
    std::filesystem::remove(folder_ / "Trades.ini");
    auto dialer = std::make_unique<RecordingDialer>();
    dialer->present = false;
    Make(configured ? std::move(dialer) : nullptr);
    Open();
    AddFirstBranch();
    const std::size_t before = Asked(CCommissionDlg::kNoPhone).size();
    if (configured) prompter_.QueueAnswer(PromptAnswer::kYes);
    dlg_->RunCommand(CCommissionDlg::kCmdCall);
    const std::vector<Prompt> told = Asked(CCommissionDlg::kNoPhone);
    ASSERT_EQ(told.size(), before + 1);
  }
  // A number with a line break cannot be kept in the list file: the user hears so and the list
  // stays as it was.
  std::filesystem::remove(folder_ / "Trades.ini");
  testing::WriteBytes(folder_ / "Security.xml",
                      "<root><security name=\"白鹭证券\" short=\"BLZQ\"><area name=\"北京\">"
                      "<dept name=\"人民路营业部\" tel=\"010&#10;1\"/></area></security></root>");
  MakeWithPhone();
  Open();
  AddFirstBranch();
  EXPECT_TRUE(dlg_->model().own().empty());
  EXPECT_EQ(Asked(CCommissionDlg::kNotAdded).size(), 1u);
}

}  // namespace
}  // namespace tarvello
