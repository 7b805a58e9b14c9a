#include "protocol/error_record.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "storage/utf16le.h"

namespace tarvello {
namespace {

TEST(ErrorRecordTest, RecordsReadsAndClearsTheLastFailure) {
  testing::TempFolder folder;
  const ErrorRecord record(folder.path());
  EXPECT_EQ(record.Read(), u"");
  ASSERT_TRUE(record.WriteStatus(0x10000));
  EXPECT_EQ(testing::ReadBytes(folder / "ErrorCode.ini"),
            EncodeUtf16Le(u"[CODE]\r\nErrors=0x10000\r\n"));
  EXPECT_EQ(record.Read(), u"0x10000");
  ASSERT_TRUE(record.Write(u"0x2"));
  EXPECT_EQ(record.Read(), u"0x2");
  EXPECT_TRUE(record.Clear());
  EXPECT_EQ(record.Read(), u"");
  EXPECT_TRUE(record.Clear());
}

}  // namespace
}  // namespace tarvello
