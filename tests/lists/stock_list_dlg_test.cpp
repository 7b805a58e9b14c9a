#include "lists/stock_list_dlg.h"

#include <gtest/gtest.h>

#include <cstring>
#include <mutex>

#include "lists/list_codes.h"
#include "lists/list_wire.h"
#include "market/display_colours.h"
#include "market/own_stock_list.h"
#include "navigation/navigation.h"
#include "support/recording_navigator.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/test_screen.h"
#include "protocol/packet_codec.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

constexpr int kTotal = 41;

std::u16string Code(int i) {
  const std::string digits = std::to_string(600000 + i);
  return u"SH" + std::u16string(digits.begin(), digits.end());
}

// Row i of the scripted market: row 0 has not traded, row 1 traded flat, the rest alternate
// between a rise and a fall.
testing::StockWire RowOf(int i) {
  testing::StockWire row;
  row.code = Code(i);
  row.name = u"N" + Code(i).substr(4);
  row.change = i < 2 ? 0 : (i % 2 ? 15 : -15);
  row.changeRatio = row.change * 10;
  row.latest = 1000 + row.change;
  row.volume = i == 0 ? 0 : 500;
  return row;
}

// Answers category pages (selector 1) and code lists (selector 2) of request 2113.
class ListServer {
 public:
  Bytes LastRequest() {
    std::lock_guard<std::mutex> lock(mutex_);
    return last_;
  }
  int requests() {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
  }

  ExchangeFunction Function() {
    return [this](std::span<const std::uint8_t> request, std::span<std::uint8_t> answer) {
      std::lock_guard<std::mutex> lock(mutex_);
      ++requests_;
      last_.assign(request.begin(), request.end());
      const Bytes bytes = Answer(last_);
      std::memcpy(answer.data(), bytes.data(), std::min(bytes.size(), answer.size()));
      return static_cast<int>(bytes.size());
    };
  }

 private:
  static Bytes Answer(const Bytes& r) {
    std::vector<testing::StockWire> rows;
    if (r.size() > 15 && r[7] == 1) {
      const int start = r[11] | r[12] << 8;
      const int count = r[13] | r[14] << 8;
      for (int i = start; i < std::min(kTotal, start + count); ++i) rows.push_back(RowOf(i));
    } else if (r.size() > 16 && r[7] == 2) {
      std::size_t at = 16;
      for (int n = r[14] | r[15] << 8; n > 0 && at + 2 <= r.size(); --n) {
        const int length = r[at] | r[at + 1] << 8;
        const std::string code(r.begin() + static_cast<long>(at) + 2, r.begin() + static_cast<long>(at) + 2 + length);
        rows.push_back(RowOf(std::stoi(code.substr(2)) - 600000));
        at += 2 + static_cast<std::size_t>(length);
      }
    }
    return testing::Container(kCategoryList, testing::StockBlock(rows, kTotal));
  }

  std::mutex mutex_;
  Bytes last_;        // guarded by mutex_
  int requests_ = 0;  // guarded by mutex_
};


class TouchableList : public CStockListDlg {
 public:
  using CStockListDlg::CStockListDlg;
  void Tap(Point at) {
    OnPenDown(at);
    OnPenUp(at);
  }
};

class StockListDlgTest : public ::testing::Test {
 protected:
  StockListDlgTest() {
    screen_.resize(480, 640);
    Paint();  // takes the canvas's line height, as the first paint does
  }
  void OpenAndWait(int target, int argument) {
    const int before = server_.requests();
    ASSERT_TRUE(screen_.Open(target, argument));
    ASSERT_TRUE(ProcessEventsUntil([&] { return server_.requests() > before && screen_.view()->loaded && !screen_.busy(); }));
  }
  void WaitForFetch(int before) {
    ASSERT_TRUE(ProcessEventsUntil([&] { return server_.requests() > before && !screen_.busy(); }));
  }
  RecordingCanvas Paint() {
    RecordingCanvas canvas(Size{480, 640});
    screen_.PaintOn(canvas);
    return canvas;
  }

  testing::QtApp app_;
  testing::TestScreen main_;
  testing::TempFolder folder_;
  OwnStockList self_ = OwnStockList::SelfSelected(folder_.path());
  OwnStockList recent_ = OwnStockList::RecentlyViewed(folder_.path());
  ListServer server_;
  testing::RecordingNavigator navigator_;
  TouchableList screen_{StockListParts{server_.Function(), &main_, &self_, &recent_, nullptr, std::chrono::seconds(60),
                                       &navigator_, nullptr}};
};

TEST_F(StockListDlgTest, CategoryPageShowsPlaceholdersColoursAndCounter) {
  OpenAndWait(kTargetQuoteList, -60);
  const int rows = screen_.query().rowsPerPage;
  const RecordingCanvas canvas = Paint();
  EXPECT_TRUE(canvas.DrewText(u"涨幅%↓", kHeaderCyan));
  EXPECT_TRUE(canvas.DrewText(u"--", kPlainWhite));     // row 0: no trade
  EXPECT_TRUE(canvas.DrewText(u"0.00", kPlainWhite));   // row 1: traded flat
  EXPECT_TRUE(canvas.DrewText(u"10.15", kRiseRed));
  EXPECT_TRUE(canvas.DrewText(u"9.85", kFallGreen));
  const int pages = (kTotal - 1) / rows + 1;
  EXPECT_TRUE(canvas.FindText(u"(1/" + std::u16string(1, static_cast<char16_t>(u'0' + pages)) + u")").has_value());
  EXPECT_TRUE(canvas.DrewText(u"首页", 0x808080));
  EXPECT_TRUE(canvas.DrewText(u"尾页", kPlainWhite));
}

TEST_F(StockListDlgTest, HeaderTapSortsOnTheServerAndKeysPageDown) {
  OpenAndWait(kTargetQuoteList, -60);
  const int rows = screen_.query().rowsPerPage;
  const RecordingCanvas canvas = Paint();
  const auto header = canvas.FindText(u"涨幅%↓");
  ASSERT_TRUE(header.has_value());
  int before = server_.requests();
  screen_.Tap({header->box.left + 5, header->box.top + 2});
  WaitForFetch(before);
  Bytes request = server_.LastRequest();
  EXPECT_EQ(request[9], kSortChangeRatio);
  EXPECT_EQ(request[10], kSortAscending);
  EXPECT_TRUE(Paint().FindText(u"涨幅%↑").has_value());

  for (int i = 1; i < rows; ++i) screen_.SendKey(kKeyDown);
  EXPECT_EQ(screen_.selected_row(), rows);
  before = server_.requests();
  screen_.SendKey(kKeyDown);
  WaitForFetch(before);
  request = server_.LastRequest();
  EXPECT_EQ(request[11] | request[12] << 8, rows);
  EXPECT_EQ(screen_.query().page, 1);
  EXPECT_EQ(screen_.selected_row(), 1);
}

TEST_F(StockListDlgTest, RowTapOpensTheDetailWithThePageAsBrowseList) {
  OpenAndWait(kTargetQuoteList, -60);
  const RecordingCanvas canvas = Paint();
  const auto name = canvas.FindText(u"N0003");
  ASSERT_TRUE(name.has_value());
  screen_.Tap({name->box.left + 2, name->box.top + 2});
  EXPECT_EQ(screen_.selected_row(), 4);
  EXPECT_EQ(navigator_.CurrentSecurity(), SecurityCode(Code(3)));
  EXPECT_EQ(navigator_.browse.size(), static_cast<std::size_t>(screen_.query().rowsPerPage));
  ASSERT_FALSE(navigator_.visits.empty());
  EXPECT_EQ(navigator_.visits.back(), (NavigationRequest{kTargetStockDetail, kTargetQuoteList}));
  EXPECT_TRUE(recent_.Contains(SecurityCode(Code(3))));
}

TEST_F(StockListDlgTest, SelfSelectedCodesAreYellowAndTheOwnListIsFetchedByCode) {
  ASSERT_TRUE(self_.Add(SecurityCode(Code(2))));
  OpenAndWait(kTargetQuoteList, -60);
  EXPECT_TRUE(Paint().DrewText(u"N0002", kVolumeYellow));
  EXPECT_TRUE(Paint().DrewText(u"N0003", kPlainWhite));
  screen_.SendKey(kKeyDown);
  screen_.SendKey(kKeyDown);
  screen_.SendKey(kKeyDown);
  screen_.RunCommand(32791);  // "加入自选" on row 4
  EXPECT_TRUE(self_.Contains(SecurityCode(Code(3))));
  EXPECT_TRUE(Paint().DrewText(u"N0003", kVolumeYellow));

  OpenAndWait(kTargetQuoteListOtherPage, 0);
  const Bytes request = server_.LastRequest();
  EXPECT_EQ(request[7], 2);       // by code list
  EXPECT_EQ(request[12], 2);      // the page ends after the second code
  EXPECT_EQ(request[14], 2);      // both codes
  const RecordingCanvas canvas = Paint();
  EXPECT_TRUE(canvas.DrewText(u"N0002", kPlainWhite));  // no yellow in the own list itself
  EXPECT_TRUE(canvas.FindText(u"(1/1)").has_value());
  EXPECT_TRUE(canvas.FindText(u"管理").has_value());

  const int before = server_.requests();
  screen_.RunCommand(32794);  // "删除自选" on row 1
  EXPECT_FALSE(self_.Contains(SecurityCode(Code(2))));
  EXPECT_EQ(screen_.view()->rows.quotes.size(), 1u);
  WaitForFetch(before);
}

}  // namespace
}  // namespace tarvello
