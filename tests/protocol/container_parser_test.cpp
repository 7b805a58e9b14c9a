#include "protocol/container_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/container_writer.h"
#include "protocol/wire_writer.h"

namespace tarvello {
namespace {

struct Seen {
  int type;
  std::size_t start;
  std::size_t end;
  Bytes body;
};

// Parses and records every block handed over, with a copy of its body.
class Recorder {
 public:
  bool Parse(const Bytes& bytes, int status = 0) {
    return ParseContainer(
        [&](int type, const std::uint8_t* data, std::size_t start, std::size_t end) {
          seen.push_back({type, start, end, Bytes(data + start, data + end)});
          return status;
        },
        bytes.data(), bytes.size());
  }
  std::vector<Seen> seen;
};

Bytes Body(std::size_t n, std::uint8_t seed = 1) {
  Bytes body(n);
  for (std::size_t i = 0; i < n; ++i) body[i] = static_cast<std::uint8_t>(seed + i * 7);
  return body;
}

// A compressed block whose header claims `claimed` uncompressed bytes for a stream of `actual`.
Bytes CompressedContainer(std::size_t claimed, const Bytes& actual) {
  const Bytes stream = CompressBlockBody(actual);
  return WireWriter()
      .U8('{').U16(2203).U16(2).U16(0).U16(static_cast<std::uint16_t>(claimed))
      .U16(static_cast<std::uint16_t>(stream.size())).Raw(stream).U8('}').Take();
}

TEST(ContainerParserTest, LeadingBytesBeforeTheContainerAreSkipped) {
  const Bytes input{'x', 'y', '{', 0x9B, 0x08, 0, 0, 4, 0, 1, 2, 3, 4, '}'};
  Recorder r;
  EXPECT_TRUE(r.Parse(input));
  ASSERT_EQ(r.seen.size(), 1u);
  EXPECT_EQ(r.seen[0].type, 2203);
  EXPECT_EQ(r.seen[0].start, 9u);
  EXPECT_EQ(r.seen[0].end, 13u);
}

TEST(ContainerParserTest, PlainAndCompressedBlocksInWireOrder) {
  ContainerWriter writer(/*compress_threshold=*/100);
  const Bytes small = Body(10), big = Body(3000, 5);
  writer.Add(2200, small);
  writer.Add(2117, big);
  writer.Add(2206, small);
  Recorder r;
  EXPECT_TRUE(r.Parse(writer.Finish()));
  ASSERT_EQ(r.seen.size(), 3u);
  EXPECT_EQ(r.seen[0].type, 2200);
  EXPECT_EQ(r.seen[1].type, 2117);
  EXPECT_EQ(r.seen[1].start, 0u);  // compressed blocks come in their own buffer
  EXPECT_EQ(r.seen[1].body, big);
  EXPECT_EQ(r.seen[2].body, small);
}

TEST(ContainerParserTest, EmptyPlainBlockIsSkipped) {
  ContainerWriter writer;
  writer.AddPlain(2204, {});
  writer.AddPlain(2205, Body(3));
  Recorder r;
  EXPECT_TRUE(r.Parse(writer.Finish()));
  ASSERT_EQ(r.seen.size(), 1u);
  EXPECT_EQ(r.seen[0].type, 2205);
}

TEST(ContainerParserTest, InputWithoutAContainerFails) {
  Recorder r;
  EXPECT_FALSE(r.Parse({}));
  const std::string header = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n";
  EXPECT_FALSE(r.Parse(Bytes(header.begin(), header.end())));
  EXPECT_FALSE(r.Parse(Bytes{'{', 1, 0, 0}));  // header cut short
  EXPECT_TRUE(r.seen.empty());
}

TEST(ContainerParserTest, BodyPastTheEndFails) {
  Recorder r;
  EXPECT_FALSE(r.Parse(Bytes{'{', 1, 0, 0, 0, 9, 0, 1, 2, '}'}));
  EXPECT_TRUE(r.seen.empty());
}

TEST(ContainerParserTest, NegativeLengthIsRejectedNotFollowedBackwards) {
  // 0x8000 and 0xFFFF read negative: a parser trusting them would jump back into the header.
  for (const std::uint8_t high : {std::uint8_t{0x80}, std::uint8_t{0xFF}}) {
    Recorder r;
    EXPECT_FALSE(r.Parse(Bytes{'{', 1, 0, 0, 0, 0xFF, high, 1, 2, 3, '}'}));
    EXPECT_TRUE(r.seen.empty());
  }
}

TEST(ContainerParserTest, CompressedBlockMustInflateToExactlyItsSize) {
  const Bytes body = Body(200);
  Recorder exact, one_short, one_long, far_short;
  EXPECT_TRUE(exact.Parse(CompressedContainer(200, body)));
  EXPECT_FALSE(one_short.Parse(CompressedContainer(201, body)));  // inflates to U - 1
  EXPECT_FALSE(one_long.Parse(CompressedContainer(199, body)));   // inflates past U
  EXPECT_FALSE(far_short.Parse(CompressedContainer(50, body)));   // would overflow 2 x U
  EXPECT_TRUE(one_short.seen.empty());
  EXPECT_TRUE(far_short.seen.empty());
}

TEST(ContainerParserTest, CompressedStreamPastTheEndOrCorruptFails) {
  Bytes cut = CompressedContainer(200, Body(200));
  cut.resize(cut.size() - 5);
  Recorder r;
  EXPECT_FALSE(r.Parse(cut));
  Bytes corrupt = CompressedContainer(200, Body(200));
  corrupt[15] ^= 0xFF;
  EXPECT_FALSE(r.Parse(corrupt));
  EXPECT_TRUE(r.seen.empty());
}

TEST(ContainerParserTest, BlocksBeforeAFailureStayHandedOver) {
  ContainerWriter writer;
  writer.AddPlain(2200, Body(4));
  Bytes good = writer.Finish();
  good.pop_back();
  const Bytes bad = CompressedContainer(201, Body(200));
  good.push_back(':');
  good.insert(good.end(), bad.begin() + 1, bad.end());
  Recorder r;
  EXPECT_FALSE(r.Parse(good));
  ASSERT_EQ(r.seen.size(), 1u);
  EXPECT_EQ(r.seen[0].type, 2200);
}

TEST(ContainerParserTest, TruncatedOrBadlyEndedContainerFailsAfterCompleteBlocks) {
  ContainerWriter writer;
  writer.AddPlain(2200, Body(4));
  writer.AddPlain(2203, Body(4));
  Bytes bytes = writer.Finish();
  bytes.back() = 'x';
  Recorder wrong_end;
  EXPECT_FALSE(wrong_end.Parse(bytes));
  EXPECT_EQ(wrong_end.seen.size(), 2u);
  bytes.pop_back();
  Recorder missing_end;
  EXPECT_FALSE(missing_end.Parse(bytes));
  EXPECT_EQ(missing_end.seen.size(), 2u);
}

TEST(ContainerParserTest, NegativeHandlerStatusStopsTheParse) {
  ContainerWriter writer;
  writer.AddPlain(2200, Body(4));
  writer.AddPlain(2203, Body(4));
  Recorder r;
  EXPECT_FALSE(r.Parse(writer.Finish(), -1));
  EXPECT_EQ(r.seen.size(), 1u);
}

TEST(ContainerWriterTest, RefusesBodiesTooLargeForOneBlock) {
  ContainerWriter writer;
  EXPECT_FALSE(writer.AddPlain(1, Bytes(0x8000)));
  EXPECT_FALSE(writer.AddCompressed(1, Bytes(0x10000)));
  EXPECT_TRUE(writer.Add(1, Bytes(0x8000)));  // too large for plain: compressed instead
  EXPECT_EQ(writer.block_count(), 1u);
  Recorder r;
  EXPECT_TRUE(r.Parse(writer.Finish()));
  ASSERT_EQ(r.seen.size(), 1u);
  EXPECT_EQ(r.seen[0].body.size(), 0x8000u);
}

}  // namespace
}  // namespace tarvello
