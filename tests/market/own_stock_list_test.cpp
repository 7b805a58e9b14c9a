#include "market/own_stock_list.h"
#include "market/security_code.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
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

// A short code splits safely and codes compare exactly; a list holds only well-formed codes, and
// the request text fits the thirty-byte buffer.
TEST(SecurityCodeTest, ShortCodesSplitSafelyCompareExactlyAndFitTheRequestBuffer) {
  const SecurityCode shortCode(u"S");
  EXPECT_EQ(shortCode.Prefix(), u"S");
  EXPECT_EQ(shortCode.Digits(), u"");
  EXPECT_FALSE(shortCode.IsComplete());
  EXPECT_FALSE(SecurityCode(u"SH60000").IsComplete());
  EXPECT_TRUE(SecurityCode(u"SH600001").IsComplete());
  EXPECT_NE(SecurityCode(u"sz399001"), SecurityCode(u"SZ399001"));  // exact and case-sensitive
  EXPECT_FALSE(SecurityCode(u"sh600001").IsShanghai());
  const std::pair<std::u16string, bool> cases[] = {
      {u"SH600001", true},  {u"HK00700", true},  {u"SH" + std::u16string(27, u'9'), true},
      {u"SH" + std::u16string(28, u'9'), false}, {u"SH", false}, {u"", false}, {u"Error", false},
      {u"sh600001", false}, {u"SH 600001", false}, {u"SH60=001", false}, {u"SH\u4E2D", false},
  };
  for (const auto& [code, well_formed] : cases) {
    EXPECT_EQ(SecurityCode(code).IsWellFormed(), well_formed) << code.size();
  }
  EXPECT_EQ(SecurityCode(u"SH600001").RequestText(), "SH600001");
  EXPECT_EQ(SecurityCode(std::u16string(29, u'1')).RequestText().size(), 29u);
  EXPECT_EQ(SecurityCode(std::u16string(40, u'2')).RequestText(), std::string(29, '2'));
  EXPECT_EQ(SecurityCode(u"SH\u4E2D1").RequestText(), "SH?1");
}

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

// Each change to a list that holds `before`: what it returns, and the file and codes after it. A
// new key goes right after the header; a removal moves the last entry into the gap, so that the
// keys stay 0..N-1, and removing the only code deletes the file. A refused change leaves the
// file's bytes as they were; codes match exactly, not by their beginning.
TEST_F(OwnStockListTest, EveryChangeWritesTheDenseFileOrNothing) {
  const SecurityCode shorter(u"SH60000");
  const struct {
    const char* name;
    std::vector<SecurityCode> before;
    std::function<bool(OwnStockList&)> change;
    bool done;
    std::u16string_view entries = {};  // of the file after a change that was done; none: no file
    std::vector<SecurityCode> after = {};
  } cases[] = {
      {"add to a missing file", {}, [](OwnStockList& l) { return l.Add(kA); }, true, u"STOCKCODE0=SH600001\r\n", {kA}},
      {"add a third", {kA, kB}, [](OwnStockList& l) { return l.Add(kC); }, true,
       u"STOCKCODE2=SH600003\r\nSTOCKCODE1=SZ000002\r\nSTOCKCODE0=SH600001\r\n", {kA, kB, kC}},
      {"add a listed code", {kA}, [](OwnStockList& l) { return l.Add(kA); }, false},
      {"add a code with a line break", {kA}, [](OwnStockList& l) { return l.Add(SecurityCode(u"SH6\r\n")); }, false},
      {"remove the middle", {kA, kB, kC}, [](OwnStockList& l) { return l.Remove(kB); }, true,
       u"STOCKCODE1=SH600003\r\nSTOCKCODE0=SH600001\r\n", {kA, kC}},
      {"remove the last", {kA, kB, kC}, [](OwnStockList& l) { return l.Remove(kC); }, true,
       u"STOCKCODE1=SZ000002\r\nSTOCKCODE0=SH600001\r\n", {kA, kB}},
      {"remove the only code", {kA}, [](OwnStockList& l) { return l.Remove(kA); }, true, {}, {}},
      {"remove from a missing file", {}, [](OwnStockList& l) { return l.Remove(kA); }, false},
      {"remove an unlisted code", {kA, kB}, [](OwnStockList& l) { return l.Remove(kC); }, false},
      {"remove a code's beginning", {kA}, [&](OwnStockList& l) { return l.Contains(shorter) || l.Remove(shorter); }, false},
      {"move the first up", {kA, kB, kC}, [](OwnStockList& l) { return l.MoveUp(kA); }, false},
      {"move the last down", {kA, kB, kC}, [](OwnStockList& l) { return l.MoveDown(kC); }, false},
      {"move the last up", {kA, kB, kC}, [](OwnStockList& l) { return l.MoveUp(kC); }, true,
       u"STOCKCODE2=SZ000002\r\nSTOCKCODE1=SH600003\r\nSTOCKCODE0=SH600001\r\n", {kA, kC, kB}},
      {"move the first down", {kA, kB, kC}, [](OwnStockList& l) { return l.MoveDown(kA); }, true,
       u"STOCKCODE2=SH600003\r\nSTOCKCODE1=SH600001\r\nSTOCKCODE0=SZ000002\r\n", {kB, kA, kC}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TempFolder folder;
    OwnStockList list = OwnStockList::SelfSelected(folder.path());
    for (const SecurityCode& code : c.before) ASSERT_TRUE(list.Add(code));
    const bool existed = std::filesystem::exists(list.file());
    const std::string bytes = existed ? ReadBytes(list.file()) : "";
    EXPECT_EQ(c.change(list), c.done);
    if (!c.done) {
      EXPECT_EQ(std::filesystem::exists(list.file()), existed);
      EXPECT_EQ(existed ? ReadBytes(list.file()) : "", bytes);
      EXPECT_EQ(list.Codes(), c.before);
      continue;
    }
    EXPECT_EQ(list.Codes(), c.after);
    if (c.after.empty()) {
      EXPECT_FALSE(std::filesystem::exists(list.file()));
    } else {
      EXPECT_EQ(ReadBytes(list.file()), EncodeUtf16Le(ListText(static_cast<int>(c.after.size()), c.entries)));
    }
  }
}

// The two lists have their own files; the self-selected one gets its default only on a first start.
TEST_F(OwnStockListTest, TheListsFilesAndTheDefaultOnlyOnAFirstStart) {
  EXPECT_EQ(list_.file(), folder_ / "SelectStock.ini");
  EXPECT_EQ(OwnStockList::RecentlyViewed(folder_.path()).file(), folder_ / "LastViewStock.ini");
  EXPECT_TRUE(list_.Codes().empty());
  list_.EnsureDefault();
  EXPECT_EQ(FileText(list_.file()), ListText(2, u"STOCKCODE1=SZ399001\r\nSTOCKCODE0=SH000001\r\n"));
  ASSERT_TRUE(list_.Remove(SecurityCode(u"SH000001")));
  list_.EnsureDefault();
  EXPECT_EQ(list_.Codes(), (std::vector<SecurityCode>{SecurityCode(u"SZ399001")}));
}

TEST_F(OwnStockListTest, HandDamagedFilesKeepEveryReadableCode) {
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
  // A NUMBER smaller than the entries loses no code on a removal. A lone "\n" ends the NUMBER
  // line, so its value runs on over the list's header; rewriting that value in place would take
  // the header and the codes with it: it is repaired before a change.
  WriteFile(ListText(1, u"STOCKCODE0=SH600001\r\nSTOCKCODE1=SZ000002\r\nSTOCKCODE2=SH600003\r\n"));
  list_.Reread();
  ASSERT_TRUE(list_.Remove(kA));
  EXPECT_EQ(list_.Codes(), (std::vector<SecurityCode>{kC, kB}));
  WriteFile(u"[STOCKNUMBER]\r\nNUMBER=1\r\u0000\n[STOCKLIST]\r\nSTOCKCODE0=SH600001\r\n"sv);
  list_.Reread();
  ASSERT_TRUE(list_.Add(kB));
  EXPECT_EQ(FileText(list_.file()), ListText(2, u"STOCKCODE1=SZ000002\r\nSTOCKCODE0=SH600001\r\n"));
}

// Garbage or absurd numbers lose no readable code; a file that cannot be read is never replaced.
TEST_F(OwnStockListTest, GarbageOrAbsurdNumbersLoseNoReadableCodeAndAnUnreadableFileStays) {
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
  std::filesystem::remove(list_.file());
  std::filesystem::create_directory(list_.file());
  list_.Reread();
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
  // An overlong hand-edited list is cut to the newest.
  WriteBytes(recent_.file(), EncodeUtf16Le(ListText(25, Entries(0, 25))));
  ASSERT_TRUE(recent_.Remember(Code(25)));
  EXPECT_EQ(FileText(recent_.file()), ListText(20, Entries(6, 20)));
}

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
