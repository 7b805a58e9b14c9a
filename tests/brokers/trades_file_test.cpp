#include "brokers/trades_file.h"

#include <gtest/gtest.h>

#include "storage/profile_file.h"
#include "storage/utf16le.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

using testing::TempFolder;

class TradesFileTest : public ::testing::Test {
 protected:
  std::filesystem::path file() const { return folder_ / "Trades.ini"; }
  void Write(std::u16string_view text) const { testing::WriteBytes(file(), EncodeUtf16Le(text)); }
  std::u16string Text() const { return DecodeUtf16Le(testing::ReadBytes(file())); }
  std::u16string Value(int index) const {
    return ProfileFile::GetString(trades_file::kListSection, trades_file::NameKey(index), u"-", file());
  }
  void AppendAll(std::initializer_list<std::u16string_view> names) const {
    for (const std::u16string_view name : names) ASSERT_TRUE(trades_file::Append(file(), OwnBranch::Of(u"010", name)));
  }

  TempFolder folder_;
};

TEST_F(TradesFileTest, AppendingToNoFileWritesTheCountThenTheEntry) {
  ASSERT_TRUE(trades_file::Append(file(), OwnBranch::Of(u"0311-555", u"北京-人民路营业部")));
  EXPECT_EQ(Text(), u"[NUMBER]\r\nSECURITYNUM=1\r\n[SECURITYLIST]\r\nNAME0=0311-555|北京-人民路营业部\r\n");
  EXPECT_EQ(trades_file::Read(file()), (std::vector{OwnBranch::Of(u"0311-555", u"北京-人民路营业部")}));
}

// An append either ends the list with exactly its entry or fails with the file as it was: a value
// the file cannot hold, or a damaged file (the count's header mangled, the last line ended by a
// bare line feed) where the new lines would run into the old ones.
TEST_F(TradesFileTest, AnAppendThatCannotEndTheListExactlyLeavesTheFileAsItWas) {
  const struct {
    std::u16string_view file;
    std::u16string_view name;
  } cases[] = {
      {u"[NUMBER]\r\nSECURITYNUM=1\r\n[SECURITYLIST]\r\nNAME0=010|A\r\n", u"two\r\nlines"},
      {u"[NU\uA600BER]\r\nSECURITYNUM=2\r\n[SECURITYLIST]\r\nNAME1=020|B\r\nNAME0=010|A\u010D\n", u"C"},
  };
  for (const auto& c : cases) {
    Write(c.file);
    EXPECT_FALSE(trades_file::Append(file(), OwnBranch::Of(u"030", c.name)));
    EXPECT_EQ(Text(), c.file);
  }
}

struct DeleteCase {
  const char* scenario;
  std::vector<std::u16string_view> names;  // appended in this order
  std::size_t row;
  std::vector<std::u16string> left;        // NAME0, NAME1, ... afterwards
};

TEST_F(TradesFileTest, DeletingMovesTheLastEntryIntoTheHole) {
  const DeleteCase cases[] = {
      {"first of three", {u"A", u"B", u"C"}, 0, {u"010|C", u"010|B"}},
      {"middle of three", {u"A", u"B", u"C"}, 1, {u"010|A", u"010|C"}},
      {"last of three", {u"A", u"B", u"C"}, 2, {u"010|A", u"010|B"}},
      // The value of row 0 begins the value of row 1; the right entry must go.
      {"a name that begins another", {u"A", u"AB"}, 0, {u"010|AB"}},
      {"the same entry twice", {u"A", u"B", u"A"}, 2, {u"010|A", u"010|B"}},
  };
  for (const DeleteCase& c : cases) {
    SCOPED_TRACE(c.scenario);
    std::filesystem::remove(file());
    for (const std::u16string_view name : c.names) ASSERT_TRUE(trades_file::Append(file(), OwnBranch::Of(u"010", name)));
    ASSERT_TRUE(trades_file::Remove(file(), trades_file::Read(file()), c.row));
    EXPECT_EQ(ProfileFile::GetInt(u"NUMBER", u"SECURITYNUM", -1, file()), static_cast<int>(c.left.size()));
    for (std::size_t i = 0; i < c.left.size(); ++i) EXPECT_EQ(Value(static_cast<int>(i)), c.left[i]);
    EXPECT_EQ(Value(static_cast<int>(c.left.size())), u"-");
  }
}

TEST_F(TradesFileTest, AnEntryNoLongerInTheFileIsNotDeleted) {
  AppendAll({u"A", u"B"});
  const std::vector<OwnBranch> shown = trades_file::Read(file());
  Write(u"[NUMBER]\r\nSECURITYNUM=2\r\n[SECURITYLIST]\r\nNAME1=010|Y\r\nNAME0=010|X\r\n");
  const std::u16string before = Text();
  EXPECT_FALSE(trades_file::Remove(file(), shown, 0));
  EXPECT_EQ(Text(), before);
}

// A key missing under the count shows "Error" without a number; deleting that row closes the gap.
TEST_F(TradesFileTest, AMissingKeyReadsAsErrorAndCanBeDeleted) {
  Write(u"[NUMBER]\r\nSECURITYNUM=3\r\n[SECURITYLIST]\r\nNAME2=030|C\r\nNAME0=010|A\r\n");
  const std::vector<OwnBranch> rows = trades_file::Read(file());
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1].tel, u"");
  EXPECT_EQ(rows[1].name, u"Error");
  ASSERT_TRUE(trades_file::Remove(file(), rows, 1));
  EXPECT_EQ(trades_file::Read(file()), (std::vector{OwnBranch::Of(u"010", u"A"), OwnBranch::Of(u"030", u"C")}));
}

}  // namespace
}  // namespace tarvello
