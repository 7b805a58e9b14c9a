#include "storage/profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_folder.h"
#include "storage/profile_text.h"
#include "storage/utf16le.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

class ProfileFileTest : public ::testing::Test {
 protected:
  void SetText(std::u16string_view text) { WriteBytes(path_, EncodeUtf16Le(text)); }
  std::u16string Text() const { return DecodeUtf16Le(ReadBytes(path_)); }

  testing::TempFolder folder_;
  std::filesystem::path path_ = folder_ / "List.ini";
};

TEST_F(ProfileFileTest, WritesInUtf16LeWithoutBomAndReadsWhatEditorsSave) {
  ASSERT_TRUE(ProfileFile::WriteString(u"INFO", u"USERNAME", u"张三", path_));
  EXPECT_EQ(ReadBytes(path_), EncodeUtf16Le(u"[INFO]\r\nUSERNAME=张三\r\n"));
  EXPECT_EQ(ProfileFile::GetString(u"INFO", u"USERNAME", u"Error", path_), u"张三");
  WriteBytes(path_, ReadBytes(path_) + "x");
  EXPECT_EQ(ProfileFile::GetString(u"INFO", u"USERNAME", u"Error", path_), u"张三") << "an odd last byte is ignored";
  // A file a person saved with an editor (Contacts.ini, say) reads the same in the forms editors
  // save; a change writes it back in the program's own form, the person's entries kept.
  const std::u16string text = u"[CONTACTS]\r\nNAME0=营业部\r\nPHONE0=0311\r\n";
  for (const std::string& bytes : {"\xFF\xFE" + EncodeUtf16Le(text), "\xEF\xBB\xBF" + text::ToUtf8(text),
                                   text::ToUtf8(text)}) {
    WriteBytes(path_, bytes);
    EXPECT_EQ(ProfileFile::GetString(u"CONTACTS", u"NAME0", u"Error", path_), u"营业部");
    ASSERT_TRUE(ProfileFile::WriteString(u"CONTACTS", u"PHONE0", u"0312", path_));
    EXPECT_EQ(ReadBytes(path_), EncodeUtf16Le(u"[CONTACTS]\r\nNAME0=营业部\r\nPHONE0=0312\r\n"));
  }
}

TEST_F(ProfileFileTest, NewestKeyGoesDirectlyAfterItsHeaderAndAShorterValueLeavesNothingBehind) {
  ASSERT_TRUE(ProfileFile::WriteString(u"STOCKLIST", u"STOCKCODE1", u"SH600001", path_));
  ASSERT_TRUE(ProfileFile::WriteString(u"STOCKLIST", u"STOCKCODE2", u"SZ000002", path_));
  ASSERT_TRUE(ProfileFile::WriteString(u"OTHER", u"COUNT", u"2", path_));
  EXPECT_EQ(Text(), u"[STOCKLIST]\r\nSTOCKCODE2=SZ000002\r\nSTOCKCODE1=SH600001\r\n"
                    u"[OTHER]\r\nCOUNT=2\r\n");
  // A shorter value leaves no stale characters.
  SetText(u"[A]\r\nK=123456789\r\nL=x\r\n");
  ASSERT_TRUE(ProfileFile::WriteString(u"A", u"K", u"1", path_));
  EXPECT_EQ(Text(), u"[A]\r\nK=1\r\nL=x\r\n");
  ASSERT_TRUE(ProfileFile::WriteString(u"A", u"L", u"yy", path_));
  EXPECT_EQ(ReadBytes(path_), EncodeUtf16Le(u"[A]\r\nK=1\r\nL=yy\r\n"));
}

// A last line without its line end reads as missing and is neither rewritten nor deleted; a new
// section after it starts on a line of its own.
TEST_F(ProfileFileTest, AnUnendedLastLineOrACorruptingArgumentChangesNothing) {
  SetText(u"[A]\r\nK=1\r\nLAST=2");
  EXPECT_EQ(ProfileFile::GetString(u"A", u"LAST", u"Error", path_), u"Error");
  EXPECT_EQ(ProfileFile::GetString(u"A", u"K", u"Error", path_), u"1");
  EXPECT_FALSE(ProfileFile::WriteString(u"A", u"LAST", u"3", path_));
  EXPECT_FALSE(ProfileFile::DeleteEntry(u"A", u"LAST", u"x", path_));
  EXPECT_EQ(Text(), u"[A]\r\nK=1\r\nLAST=2");
  ASSERT_TRUE(ProfileFile::WriteString(u"B", u"K", u"v", path_));
  EXPECT_EQ(Text(), u"[A]\r\nK=1\r\nLAST=2\r\n[B]\r\nK=v\r\n");
  // Empty names or values, and line breaks or "=" that would corrupt the file, are refused and
  // change nothing, whether the file exists or not.
  std::filesystem::remove(path_);
  const std::u16string_view refused[][3] = {{u"A", u"K", u""},  {u"", u"K", u"v"},    {u"A", u"", u"v"},
                                            {u"A", u"K", u"x\r\nINJECTED=1"}, {u"A", u"K=J", u"v"}, {u"A\n", u"K", u"v"}};
  EXPECT_FALSE(ProfileFile::WriteString(u"A", u"K", u"v", ""));
  for (const bool present : {false, true}) {
    if (present) SetText(u"[A]\r\nK=keep\r\n");
    for (const auto& [section, key, value] : refused) EXPECT_FALSE(ProfileFile::WriteString(section, key, value, path_));
    EXPECT_EQ(std::filesystem::exists(path_), present);
  }
  EXPECT_EQ(Text(), u"[A]\r\nK=keep\r\n");
  EXPECT_EQ(ProfileFile::GetString(u"", u"K", u"Error", path_), u"Error");
  EXPECT_EQ(ProfileFile::GetString(u"A", u"", u"Error", path_), u"Error");
  EXPECT_EQ(ProfileFile::GetString(u"A", u"K", u"Error", ""), u"Error");
}

TEST_F(ProfileFileTest, KeysAreFoundInALaterSectionAndMatchLiterallyAtLineStart) {
  SetText(u"[A]\r\nX=1\r\n[B]\r\nK=later\r\n");
  EXPECT_EQ(ProfileFile::GetString(u"A", u"K", u"Error", path_), u"later");
  ASSERT_TRUE(ProfileFile::WriteString(u"A", u"K", u"changed", path_));
  EXPECT_EQ(Text(), u"[A]\r\nX=1\r\n[B]\r\nK=changed\r\n");
  EXPECT_EQ(ProfileFile::GetString(u"B", u"X", u"Error", path_), u"Error");
  // Files whose sections share key names read them from the section's own lines only.
  EXPECT_EQ(profile_text::GetSectionValue(Text(), u"A", u"K"), std::nullopt);
  EXPECT_EQ(profile_text::GetSectionValue(Text(), u"B", u"K"), u"changed");
  SetText(u"[A]\r\nSTOCKCODE1=SH600001\r\nNOTE=see [B]\r\n[B]\r\nCODE1=SZ000001\r\n");
  EXPECT_EQ(ProfileFile::GetString(u"A", u"CODE1", u"Error", path_), u"SZ000001");
  EXPECT_EQ(ProfileFile::GetString(u"B", u"CODE1", u"Error", path_), u"SZ000001");
  ASSERT_TRUE(ProfileFile::WriteString(u"A", u"CODE1", u"SH1", path_));
  EXPECT_EQ(ProfileFile::GetString(u"A", u"STOCKCODE1", u"Error", path_), u"SH600001");
  EXPECT_EQ(ProfileFile::GetString(u"B", u"CODE1", u"Error", path_), u"SH1");
  SetText(u"[A]\r\n K = spaced \r\nk=lower\r\n");  // no trimming, no case folding
  EXPECT_EQ(ProfileFile::GetString(u"A", u" K ", u"Error", path_), u" spaced ");
  EXPECT_EQ(ProfileFile::GetString(u"A", u"K", u"Error", path_), u"Error");
  EXPECT_EQ(ProfileFile::GetString(u"a", u"k", u"Error", path_), u"Error");
}

// In a list of 200 codes every key reads its own value, wherever its line falls: the search looks
// at eight places at once by a run's first and last units, and must neither miss a line at any of
// those places nor take one that only begins and ends like the key ("STOCKCODE2=" for
// "STOCKCODE1=").
TEST_F(ProfileFileTest, EveryKeyOfALongListReadsItsOwnValueWhereverItsLineFalls) {
  const auto wide = [](const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); };
  for (std::size_t shift = 0; shift < 8; ++shift) {
    std::u16string text = u"[OTHER]\r\nK=" + std::u16string(shift, u'x') + u"\r\n[STOCKLIST]\r\n";
    for (int i = 200; i >= 1; --i) text += wide("STOCKCODE" + std::to_string(i) + "=SH6" + std::to_string(100000 + i) + "\r\n");
    for (int i = 1; i <= 200; ++i) {
      const std::u16string key = wide("STOCKCODE" + std::to_string(i));
      ASSERT_EQ(profile_text::GetValue(text, u"STOCKLIST", key), wide("SH6" + std::to_string(100000 + i))) << i;
    }
    EXPECT_EQ(profile_text::GetValue(text, u"STOCKLIST", u"STOCKCODE201"), std::nullopt);
    EXPECT_EQ(profile_text::GetValue(text, u"STOCKLIST", u"TOCKCODE1"), std::nullopt);
  }
}

TEST_F(ProfileFileTest, GetIntConvertsLikeWideTextToLongAndFindKeyByValueMatchesAPrefix) {
  SetText(u"[N]\r\nA=42\r\nB= -17xyz\r\nC=abc\r\nD=99999999999\r\nF=-99999999999\r\n");
  const std::pair<std::u16string_view, int> read[] = {
      {u"A", 42}, {u"B", -17}, {u"C", 0}, {u"D", 2147483647}, {u"F", -2147483647 - 1},
      {u"MISSING", -1}};
  for (const auto& [key, value] : read) EXPECT_EQ(ProfileFile::GetInt(u"N", key, -1, path_), value);
  ASSERT_TRUE(ProfileFile::WriteInt(u"N", u"G", -305, path_));
  EXPECT_EQ(ProfileFile::GetString(u"N", u"G", u"Error", path_), u"-305");
  SetText(u"[X]\r\nK0=other\r\n[LIST]\r\nSTOCKCODE3=SH600001\r\nSTOCKCODE1=SZ000001\r\n"
          u"[MORE]\r\nSTOCKCODE9=SH600002");
  EXPECT_EQ(ProfileFile::FindKeyByValue(u"LIST", u"SZ000001", u"Error", path_), u"STOCKCODE1");
  EXPECT_EQ(ProfileFile::FindKeyByValue(u"LIST", u"SH6000", u"Error", path_), u"STOCKCODE3");
  EXPECT_EQ(ProfileFile::FindKeyByValue(u"LIST", u"SH600002", u"Error", path_), u"STOCKCODE9");
  EXPECT_EQ(ProfileFile::FindKeyByValue(u"LIST", u"other", u"Error", path_), u"Error");
  EXPECT_EQ(ProfileFile::FindKeyByValue(u"NONE", u"SH", u"Error", path_), u"Error");
  EXPECT_EQ(ProfileFile::FindKeyByValue(u"LIST", u"", u"Error", path_), u"Error");
}

TEST_F(ProfileFileTest, DeleteEntryRemovesOnlyItsOwnLineAndARewriteLeavesNoTemporaryFile) {
  SetText(u"[A]\r\nK1=a\r\nK2=b\r\n[B]\r\nK3=c\r\n");
  EXPECT_TRUE(ProfileFile::DeleteEntry(u"A", u"K1", u"x", path_));
  EXPECT_EQ(Text(), u"[A]\r\nK2=b\r\n[B]\r\nK3=c\r\n");
  EXPECT_FALSE(ProfileFile::DeleteEntry(u"A", u"K3", u"x", path_));
  EXPECT_FALSE(ProfileFile::DeleteEntry(u"A", u"K2", u"", path_));
  EXPECT_TRUE(ProfileFile::DeleteEntry(u"MISSING", u"K2", u"x", path_));
  EXPECT_TRUE(ProfileFile::DeleteEntry(u"B", u"K3", u"x", path_));
  EXPECT_EQ(Text(), u"[A]\r\nK2=b\r\n[B]\r\n");
  EXPECT_TRUE(ProfileFile::DeleteEntry(u"A", u"K2", u"x", folder_ / "Missing.ini"));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "Missing.ini"));
  // A rewrite leaves no temporary file and keeps the file's mode.
  SetText(u"[A]\r\nK=1\r\n");
  std::filesystem::permissions(path_, std::filesystem::perms::owner_read |
                                          std::filesystem::perms::owner_write);
  ASSERT_TRUE(ProfileFile::WriteString(u"A", u"K", u"2", path_));
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
    ++files;
  }
  EXPECT_EQ(files, 1);
  EXPECT_EQ(std::filesystem::status(path_).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  // A place that cannot be read or written gives the default and a failure.
  std::filesystem::remove(path_);
  std::filesystem::create_directory(path_);
  EXPECT_EQ(ProfileFile::GetString(u"A", u"K", u"Error", path_), u"Error");
  EXPECT_FALSE(ProfileFile::WriteString(u"A", u"K", u"v", path_));
  EXPECT_FALSE(ProfileFile::DeleteEntry(u"A", u"K", u"x", path_));
  EXPECT_FALSE(ProfileFile::WriteString(u"A", u"K", u"v", folder_ / "no-such-folder" / "x.ini"));
}

}  // namespace
}  // namespace tarvello
