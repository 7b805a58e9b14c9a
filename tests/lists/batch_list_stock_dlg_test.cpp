#include "lists/batch_list_stock_dlg.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include <cstring>
#include <mutex>

#include "lists/list_codes.h"
#include "lists/list_wire.h"
#include "lists/stock_list_dlg.h"
#include "market/display_colours.h"
#include "market/own_stock_list.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_prompter.h"
#include "platform/test_screen.h"
#include "protocol/block_reader.h"
#include "protocol/packet_codec.h"
#include "support/recording_navigator.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

constexpr int kMarketSize = 60;

std::u16string Code(int i) {
  const std::string digits = std::to_string(600000 + i);
  return u"SH" + std::u16string(digits.begin(), digits.end());
}

testing::StockWire RowOf(int i) {
  testing::StockWire row;
  row.code = Code(i);
  row.name = u"N" + Code(i).substr(4);
  return row;
}

// A market of kMarketSize shares SH600000 on: category pages and code lists of 2113, and the
// security query 2200 (which knows no code outside the market).
class MarketServer {
 public:
  ExchangeFunction Function() {
    return [this](std::span<const std::uint8_t> request, std::span<std::uint8_t> answer) {
      const Bytes bytes = Answer(Bytes(request.begin(), request.end()));
      std::lock_guard<std::mutex> lock(mutex_);
      ++answers_;
      std::memcpy(answer.data(), bytes.data(), std::min(bytes.size(), answer.size()));
      return static_cast<int>(bytes.size());
    };
  }
  int answers() {
    std::lock_guard<std::mutex> lock(mutex_);
    return answers_;
  }

 private:
  static Bytes Answer(const Bytes& r) {
    if (r.size() < 7) return {};
    BlockReader body(r.data(), 7, r.size());
    if ((r[1] | r[2] << 8) == kSecurityInfo) {
      const std::string code(body.RawString());
      const int i = std::stoi(code.substr(2)) - 600000;
      if (i < 0 || i >= kMarketSize) return Bytes{'{', '}'};
      const testing::StockWire row = RowOf(i);
      return testing::Container(kSecurityInfo,
                                WireWriter().Utf8(row.code).Utf8(row.name).U8(1).U8(2).I32(100).I32(0).I32(0).Take());
    }
    std::vector<testing::StockWire> rows;
    if (r[7] == 1) {
      const int start = r[11] | r[12] << 8;
      const int count = r[13] | r[14] << 8;
      for (int i = start; i < std::min(kMarketSize, start + count); ++i) rows.push_back(RowOf(i));
    } else {
      body.Skip(9);
      for (int n = r[14] | r[15] << 8; n > 0 && !body.overrun(); --n) {
        rows.push_back(RowOf(std::stoi(std::string(body.RawString()).substr(2)) - 600000));
      }
    }
    return testing::Container(kCategoryList, testing::StockBlock(rows, kMarketSize));
  }

  std::mutex mutex_;
  int answers_ = 0;  // guarded by mutex_
};

class BatchListStockDlgTest : public ::testing::Test {
 protected:
  BatchListStockDlgTest() {
    InstallPrompter(&prompter_);
    list_.resize(480, 640);
    PaintList();
  }
  ~BatchListStockDlgTest() override { InstallPrompter(nullptr); }

  void OpenAndWait(int target, int argument) {
    const int before = server_.answers();
    ASSERT_TRUE(list_.Open(target, argument));
    WaitForList(before);
  }
  void WaitForList(int before) {
    ASSERT_TRUE(ProcessEventsUntil([&] { return server_.answers() > before && list_.view()->loaded && !list_.busy(); }));
  }
  RecordingCanvas PaintList() {
    RecordingCanvas canvas(Size{480, 640});
    list_.PaintOn(canvas);
    return canvas;
  }
  CBatchListStockDlg& Panel() { return *list_.batch_panel(); }
  RecordingCanvas PaintPanel() {
    RecordingCanvas canvas(Size{Panel().width(), Panel().height()});
    Panel().PaintOn(canvas);
    return canvas;
  }
  void Tap(Point at) {
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      const QPoint point(at.x, at.y);
      QMouseEvent event(type, point, Panel().mapToGlobal(point), Qt::LeftButton,
                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(&Panel(), &event);
    }
  }
  // Taps the middle of the first text drawn equal to text.
  void TapText(std::u16string_view text) {
    const std::optional<DrawCall> call = PaintPanel().FindText(text);
    ASSERT_TRUE(call.has_value()) << std::string(text.begin(), text.end());
    Tap({call->box.left + call->box.Width() / 2, call->box.top + call->box.Height() / 2});
  }
  void ConfirmAndWaitForTheMessage() {
    const std::size_t asked = prompter_.asked().size();
    TapText(u"确 定");
    ASSERT_TRUE(ProcessEventsUntil([&] { return prompter_.asked().size() > asked; }));
  }

  testing::QtApp app_;
  ScriptedPrompter prompter_;
  testing::TestScreen main_;
  testing::TempFolder folder_;
  OwnStockList self_ = OwnStockList::SelfSelected(folder_.path());
  OwnStockList recent_ = OwnStockList::RecentlyViewed(folder_.path());
  MarketServer server_;
  testing::RecordingNavigator navigator_;
  CStockListDlg list_{StockListParts{server_.Function(), &main_, &self_, &recent_, nullptr, std::chrono::seconds(60),
                                     &navigator_, nullptr}};
};

TEST_F(BatchListStockDlgTest, AddingFromACategoryPageOffersTheRowsNotSelfSelectedAndReportsTheCount) {
  for (const int i : {0, 3, 5}) ASSERT_TRUE(self_.Add(SecurityCode(Code(i))));
  OpenAndWait(kTargetQuoteList, -60);
  const std::size_t rows = list_.view()->rows.quotes.size();
  list_.RunCommand(32862);
  ASSERT_TRUE(list_.batch_panel() != nullptr && !list_.batch_panel()->isHidden());
  EXPECT_EQ(Panel().model().items().size(), rows - 3);
  EXPECT_EQ(Panel().y(), 640 / 4);
  EXPECT_FALSE(PaintPanel().FindText(u"SH/SZ").has_value());

  TapText(u"N0001");
  TapText(u"N0004");
  ConfirmAndWaitForTheMessage();
  const Prompt& told = prompter_.asked().back();
  EXPECT_EQ(told.text, u"已添加2只个股至我的自选.");
  EXPECT_EQ(told.caption, u"批量管理自选");
  EXPECT_TRUE(Panel().isHidden());
  EXPECT_TRUE(Panel().model().items().empty());
  EXPECT_TRUE(self_.Contains(SecurityCode(Code(4))));
  EXPECT_TRUE(PaintList().DrewText(u"N0004", kVolumeYellow));
}

TEST_F(BatchListStockDlgTest, DeletingTheWholeLastPageShowsThePreviousPage) {
  OpenAndWait(kTargetQuoteList, -60);
  const int rows = list_.query().rowsPerPage;
  for (int i = 0; i < rows + 2; ++i) ASSERT_TRUE(self_.Add(SecurityCode(Code(i))));
  OpenAndWait(kTargetQuoteListOtherPage, 0);
  const int perPage = list_.query().rowsPerPage;
  int before = server_.answers();
  list_.SendKey(kKeyUp);  // not past the first row of the first page
  for (int i = 0; i < perPage; ++i) list_.SendKey(kKeyDown);
  WaitForList(before);
  ASSERT_EQ(list_.query().page, 1);
  const std::size_t onLastPage = list_.view()->rows.quotes.size();
  ASSERT_GE(onLastPage, 1u);

  list_.RunCommand(32862);
  ASSERT_EQ(Panel().model().items().size(), onLastPage);
  for (const BatchItem& item : std::vector<BatchItem>(Panel().model().items())) TapText(item.name);
  before = server_.answers();
  ConfirmAndWaitForTheMessage();
  EXPECT_EQ(prompter_.asked().back().text,
            u"已从我的自选删除" + std::u16string(1, static_cast<char16_t>(u'0' + onLastPage)) + u"只个股.");
  WaitForList(before);
  EXPECT_EQ(list_.query().page, 0);
  EXPECT_EQ(list_.selected_row(), 1);
  EXPECT_EQ(self_.Codes().size(), static_cast<std::size_t>(rows + 2) - onLastPage);
  EXPECT_EQ(list_.view()->rows.quotes.size(), std::min<std::size_t>(perPage, self_.Codes().size()));
}

TEST_F(BatchListStockDlgTest, TypedCodesCycleTheirMarketStopAtEightCharactersAndAreAddedByName) {
  ASSERT_TRUE(self_.Add(SecurityCode(Code(1))));
  OpenAndWait(kTargetQuoteListOtherPage, 0);
  list_.RunCommand(32866);
  ASSERT_TRUE(Panel().model().typing());
  const RecordingCanvas panel = PaintPanel();
  EXPECT_TRUE(panel.FindText(u"SH/SZ").has_value());
  EXPECT_TRUE(panel.DrewText(u"股票名称", 0x808080));  // the blank item's placeholder

  TapText(u"SH");  // the code cell
  ASSERT_EQ(Panel().edit_row(), 0);
  for (const char16_t* key : {u"6", u"0", u"0", u"0", u"0", u"7", u"9"}) TapText(key);
  EXPECT_EQ(Panel().edit_text(), u"SH600007");  // the ninth character is refused

  for (const char16_t* expected : {u"SZ600007", u"HK600007", u"SH600007"}) {
    TapText(u"SH/SZ");
    ASSERT_TRUE(ProcessEventsUntil([&] { return Panel().edit_text() == expected; }));
  }
  TapText(u"↵");
  ASSERT_EQ(Panel().model().items().size(), 2u);
  ASSERT_TRUE(ProcessEventsUntil([&] { return Panel().model().items()[0].name == u"N0007"; }));

  // The next code, unknown to the server, is typed through the keypad alone and shown unknown.
  for (const char16_t* key : {u"9", u"9", u"9", u"9", u"9", u"9"}) TapText(key);
  ConfirmAndWaitForTheMessage();
  EXPECT_EQ(prompter_.asked().back().text, u"已添加1只个股至我的自选.");
  EXPECT_EQ(self_.Codes(), (std::vector<SecurityCode>{SecurityCode(Code(1)), SecurityCode(Code(7))}));
}

}  // namespace
}  // namespace tarvello
