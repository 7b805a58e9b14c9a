#include "protocol/block_reader.h"

#include <gtest/gtest.h>

#include "protocol/wire_writer.h"

namespace tarvello {
namespace {

TEST(BlockReaderTest, ReadsFieldsInOrder) {
  const Bytes body = WireWriter().I32(-5).I16(-2).U8(200).Utf8(u"浦发").Str("ab").Take();
  BlockReader reader(body.data(), 0, body.size());
  EXPECT_EQ(reader.Int32(), -5);
  EXPECT_EQ(reader.Int16(), -2);
  EXPECT_EQ(reader.Byte(), 200);
  EXPECT_EQ(reader.String(), u"浦发");
  EXPECT_EQ(reader.RawString(), "ab");
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_FALSE(reader.overrun());
}

// A read that would cross the block's end gives zero or an empty string, moves to the end and
// marks the reader overrun; a fixed-width string stops at its first zero byte.
TEST(BlockReaderTest, ReadingPastTheEndGivesZeroAndReportsIt) {
  const Bytes bytes{1, 0, 0, 0, 7, 7, 7};
  BlockReader reader(bytes.data(), 0, 6);  // the block ends before the last byte
  EXPECT_EQ(reader.Int32(), 1);
  EXPECT_EQ(reader.Int32(), 0);  // only two bytes left: not read
  EXPECT_TRUE(reader.overrun());
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.Byte(), 0);
  const Bytes counted{9, 0, 'a', 'b'};
  BlockReader lying(counted.data(), 0, counted.size());
  EXPECT_EQ(lying.String(), u"");
  EXPECT_TRUE(lying.overrun());
  const Bytes fixed{'A', 'B', 0, 'C', 'x'};
  BlockReader padded(fixed.data(), 0, fixed.size());
  EXPECT_EQ(padded.FixedString(4), u"AB");
  EXPECT_EQ(padded.Byte(), 'x');
}

}  // namespace
}  // namespace tarvello
