#include "market/own_stock_list.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_folder.h"
#include "storage/utf16le.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
using namespace std::string_view_literals;

const SecurityCode kA(u"SH600001");
const SecurityCode kB(u"SZ000002");
const SecurityCode kC(u"SH600003");

}  // namespace

// Readable failure messages for code comparisons.
void PrintTo(const SecurityCode& code, std::ostream* out) { *out << text::ToUtf8(code.text()); }

namespace {

std::u16string FileText(const std::filesystem::path& path) {
  return DecodeUtf16Le(ReadBytes(path));
}

std::u16string ListText(int number, std::u16string_view entries) {
  const std::string digits = std::to_string(number);
  return u"[STOCKNUMBER]\r\nNUMBER=" + std::u16string(digits.begin(), digits.end()) +
         u"\r\n[STOCKLIST]\r\n" + std::u16string(entries);
}

class OwnStockListTest : public ::testing::Test {
 protected:
  TempFolder folder_;
  OwnStockList list_ = OwnStockList::SelfSelected(folder_.path());

  void AddAll(const std::vector<SecurityCode>& codes) {
    for (const SecurityCode& code : codes) ASSERT_TRUE(list_.Add(code));
  }
  void WriteFile(std::u16string_view text) { WriteBytes(list_.file(), EncodeUtf16Le(text)); }
};

TEST_F(OwnStockListTest, AddToAMissingFileWritesOneEntry) {
  EXPECT_EQ(list_.file(), folder_ / "SelectStock.ini");
  EXPECT_EQ(OwnStockList::RecentlyViewed(folder_.path()).file(), folder_ / "LastViewStock.ini");
  EXPECT_TRUE(list_.Codes().empty());
  ASSERT_TRUE(list_.Add(kA));
  EXPECT_EQ(ReadBytes(list_.file()),
            EncodeUtf16Le(u"[STOCKNUMBER]\r\nNUMBER=1\r\n[STOCKLIST]\r\nSTOCKCODE0=SH600001\r\n"));
  EXPECT_TRUE(list_.Contains(kA));
}

TEST_F(OwnStockListTest, AddPutsEachNewKeyRightAfterTheHeader) {
  AddAll({kA, kB, kC});
  EXPECT_EQ(FileText(list_.file()),
            ListText(3, u"STOCKCODE2=SH600003\r\nSTOCKCODE1=SZ000002\r\nSTOCKCODE0=SH600001\r\n"));
  EXPECT_EQ(list_.Codes(), (std::vector<SecurityCode>{kA, kB, kC}));
}

TEST_F(OwnStockListTest, AddRefusesListedAndMalformedCodes) {
  AddAll({kA});
  const std::string before = ReadBytes(list_.file());
  EXPECT_FALSE(list_.Add(kA));
  EXPECT_FALSE(list_.Add(SecurityCode(u"")));
  EXPECT_FALSE(list_.Add(SecurityCode(u"SH60=01")));
  EXPECT_FALSE(list_.Add(SecurityCode(u"SH6\r\n")));
  EXPECT_EQ(ReadBytes(list_.file()), before);
}

// Removing moves the last entry into the removed one's place, so that the keys stay 0..N-1.
TEST_F(OwnStockListTest, RemoveMovesTheLastEntryIntoTheGap) {
  const struct {
    SecurityCode removed;
    std::u16string_view entries;
    std::vector<SecurityCode> codes;
  } cases[] = {
      {kA, u"STOCKCODE0=SH600003\r\nSTOCKCODE1=SZ000002\r\n", {kC, kB}},
      {kB, u"STOCKCODE1=SH600003\r\nSTOCKCODE0=SH600001\r\n", {kA, kC}},
      {kC, u"STOCKCODE1=SZ000002\r\nSTOCKCODE0=SH600001\r\n", {kA, kB}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(text::ToUtf8(c.removed.text()));
    const TempFolder folder;
    OwnStockList list = OwnStockList::SelfSelected(folder.path());
    for (const SecurityCode& code : {kA, kB, kC}) ASSERT_TRUE(list.Add(code));
    ASSERT_TRUE(list.Remove(c.removed));
    EXPECT_EQ(FileText(list.file()), ListText(2, c.entries));
    EXPECT_EQ(list.Codes(), c.codes);
  }
}

TEST_F(OwnStockListTest, RemoveTheOnlyCodeDeletesTheFileAndAddStartsAgain) {
  AddAll({kA});
  ASSERT_TRUE(list_.Remove(kA));
  EXPECT_FALSE(std::filesystem::exists(list_.file()));
  EXPECT_FALSE(list_.Contains(kA));
  ASSERT_TRUE(list_.Add(kB));
  EXPECT_EQ(FileText(list_.file()), ListText(1, u"STOCKCODE0=SZ000002\r\n"));
}

TEST_F(OwnStockListTest, RemoveOfAnUnlistedCodeChangesNothing) {
  EXPECT_FALSE(list_.Remove(kA));
  EXPECT_FALSE(std::filesystem::exists(list_.file()));
  AddAll({kA, kB});
  const std::string before = ReadBytes(list_.file());
  EXPECT_FALSE(list_.Remove(kC));
  EXPECT_EQ(ReadBytes(list_.file()), before);
}

TEST_F(OwnStockListTest, CodesMatchExactlyNotByTheirBeginning) {
  AddAll({kA});
  const SecurityCode shorter(u"SH60000");
  EXPECT_FALSE(list_.Contains(shorter));
  EXPECT_FALSE(list_.Remove(shorter));
  ASSERT_TRUE(list_.Add(shorter));
  EXPECT_EQ(list_.Codes(), (std::vector<SecurityCode>{kA, shorter}));
}

TEST_F(OwnStockListTest, MoveExchangesNeighboursAndStopsAtTheEnds) {
  AddAll({kA, kB, kC});
  const std::string before = ReadBytes(list_.file());
  EXPECT_FALSE(list_.MoveUp(kA));
  EXPECT_FALSE(list_.MoveDown(kC));
  EXPECT_FALSE(list_.MoveUp(SecurityCode(u"SZ399001")));
  EXPECT_EQ(ReadBytes(list_.file()), before);

  ASSERT_TRUE(list_.MoveUp(kC));
  EXPECT_EQ(FileText(list_.file()),
            ListText(3, u"STOCKCODE2=SZ000002\r\nSTOCKCODE1=SH600003\r\nSTOCKCODE0=SH600001\r\n"));
  ASSERT_TRUE(list_.MoveDown(kA));
  EXPECT_EQ(list_.Codes(), (std::vector<SecurityCode>{kC, kA, kB}));
}

TEST_F(OwnStockListTest, EnsureDefaultOnlyOnAFirstStart) {
  list_.EnsureDefault();
  EXPECT_EQ(FileText(list_.file()), ListText(2, u"STOCKCODE1=SZ399001\r\nSTOCKCODE0=SH000001\r\n"));
  ASSERT_TRUE(list_.Remove(SecurityCode(u"SH000001")));
  list_.EnsureDefault();
  EXPECT_EQ(list_.Codes(), (std::vector<SecurityCode>{SecurityCode(u"SZ399001")}));
}

TEST_F(OwnStockListTest, HandDamagedFileKeepsEveryReadableCode) {
  // NUMBER missing, a gap at 1, a value that is no code at 3, and a code listed twice.
  WriteFile(
      u"[STOCKLIST]\r\nSTOCKCODE0=SH600001\r\nSTOCKCODE2=SZ000002\r\nSTOCKCODE3=hello world\r\n"
      u"STOCKCODE4=SH600001\r\nSTOCKCODE5=SH600003\r\n");
  const std::vector<SecurityCode> readable = {kA, kB, kC};
  EXPECT_EQ(list_.Codes(), readable);
  EXPECT_TRUE(list_.Contains(kC));

  const SecurityCode added(u"SZ399001");
  ASSERT_TRUE(list_.Add(added));
  EXPECT_EQ(list_.Codes(), (std::vector<SecurityCode>{kA, kB, kC, added}));
  EXPECT_EQ(FileText(list_.file()), ListText(4,
                                             u"STOCKCODE3=SZ399001\r\nSTOCKCODE2=SH600003\r\n"
                                             u"STOCKCODE1=SZ000002\r\nSTOCKCODE0=SH600001\r\n"));
}

TEST_F(OwnStockListTest, NumberSmallerThanTheEntriesLosesNoCodeOnRemove) {
  WriteFile(ListText(1, u"STOCKCODE0=SH600001\r\nSTOCKCODE1=SZ000002\r\nSTOCKCODE2=SH600003\r\n"));
  ASSERT_TRUE(list_.Remove(kA));
  EXPECT_EQ(list_.Codes(), (std::vector<SecurityCode>{kC, kB}));
}

TEST_F(OwnStockListTest, NumberLineThatSwallowedTheNextHeaderIsRepairedBeforeAChange) {
  // A lone "\n" ends the NUMBER line, so its value runs on over the list's header; rewriting
  // that value in place would take the header and the codes with it.
  WriteFile(u"[STOCKNUMBER]\r\nNUMBER=1\r\u0000\n[STOCKLIST]\r\nSTOCKCODE0=SH600001\r\n"sv);
  ASSERT_TRUE(list_.Add(kB));
  EXPECT_EQ(FileText(list_.file()), ListText(2, u"STOCKCODE1=SZ000002\r\nSTOCKCODE0=SH600001\r\n"));
}

TEST_F(OwnStockListTest, GarbageOrAbsurdNumbersAndUnreadableFilesLoseNoReadableCode) {
  WriteFile(ListText(0, u""));
  EXPECT_TRUE(list_.Codes().empty());
  WriteFile(u"[STOCKNUMBER]\r\nNUMBER=2147483647\r\n[STOCKLIST]\r\nSTOCKCODE7=SH600001\r\n");
  list_.Reread();
  EXPECT_EQ(list_.Codes(), (std::vector<SecurityCode>{kA}));  // read in bounded time
  WriteBytes(list_.file(), std::string("\x01\xff\x00", 3));
  list_.Reread();
  EXPECT_TRUE(list_.Codes().empty());
  ASSERT_TRUE(list_.Add(kA));
  EXPECT_EQ(list_.Codes(), (std::vector<SecurityCode>{kA}));
}

TEST_F(OwnStockListTest, UnreadableFileIsNeverReplaced) {
  std::filesystem::create_directory(list_.file());
  EXPECT_TRUE(list_.Codes().empty());
  EXPECT_FALSE(list_.Add(kA));
  EXPECT_FALSE(list_.Remember(kA));
  EXPECT_TRUE(std::filesystem::is_directory(list_.file()));
}

class RecentlyViewedTest : public ::testing::Test {
 protected:
  TempFolder folder_;
  OwnStockList recent_ = OwnStockList::RecentlyViewed(folder_.path());

  static SecurityCode Code(int i) {
    const std::string digits = std::to_string(600000 + i);
    return SecurityCode(u"SH" + std::u16string(digits.begin(), digits.end()));
  }
  static std::u16string Entries(int first, int count) {
    std::u16string entries;
    for (int index = count - 1; index >= 0; --index) {
      const std::string key = std::to_string(index);
      entries += u"STOCKCODE" + std::u16string(key.begin(), key.end()) + u"=" +
                 Code(first + index).text() + u"\r\n";
    }
    return entries;
  }
};

TEST_F(RecentlyViewedTest, TwentyFirstCodeDropsTheOldestAndAListedCodeKeepsItsPlace) {
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(recent_.Remember(Code(i)));
  EXPECT_EQ(FileText(recent_.file()), ListText(20, Entries(0, 20)));
  EXPECT_FALSE(recent_.Remember(Code(3)));  // a listed code keeps its place
  EXPECT_EQ(FileText(recent_.file()), ListText(20, Entries(0, 20)));
  ASSERT_TRUE(recent_.Remember(Code(20)));
  EXPECT_EQ(FileText(recent_.file()), ListText(20, Entries(1, 20)));
}

TEST_F(RecentlyViewedTest, OverlongHandEditedListIsCutToTheNewest) {
  WriteBytes(recent_.file(), EncodeUtf16Le(ListText(25, Entries(0, 25))));
  ASSERT_TRUE(recent_.Remember(Code(25)));
  EXPECT_EQ(FileText(recent_.file()), ListText(20, Entries(6, 20)));
}

}  // namespace
}  // namespace tarvello

namespace tarvello {
namespace {

TEST_F(OwnStockListTest, ChangeByHandIsSeenOnceTheFileIsLookedAtAgain) {
  AddAll({kA});
  EXPECT_TRUE(list_.Contains(kA));
  WriteFile(ListText(1, u"STOCKCODE0=SZ000002\r\n"));
  std::this_thread::sleep_for(std::chrono::milliseconds(250));
  EXPECT_FALSE(list_.Contains(kA));
  EXPECT_TRUE(list_.Contains(kB));
  std::filesystem::remove(list_.file());
  std::this_thread::sleep_for(std::chrono::milliseconds(250));
  EXPECT_TRUE(list_.Codes().empty());
}

}  // namespace
}  // namespace tarvello
