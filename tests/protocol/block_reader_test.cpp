#include "protocol/block_reader.h"

#include <gtest/gtest.h>

#include "protocol/bytes.h"

namespace tarvello {
namespace {

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
