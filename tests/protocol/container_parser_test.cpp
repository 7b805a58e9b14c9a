// Reading answers: the container parser over good and damaged input, the end of a container in a
// stream, the writer's limits, and the block reader at its block's end.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "protocol/answer_length.h"
#include "protocol/block_reader.h"
#include "protocol/bytes.h"
#include "protocol/container_parser.h"
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

// Plain blocks in place, compressed ones in their own buffer, empty plain blocks skipped; the
// positioned parse hands the empty block over too, so that later blocks keep their positions.
// Bytes before the container are skipped; a handler's negative status stops the parse.
TEST(ContainerParserTest, BlocksAreHandedOverInWireOrderUntilAStopOrTheDamagedPartAfterThem) {
  ContainerWriter writer(/*compress_threshold=*/100);
  const Bytes small = Body(10), big = Body(3000, 5);
  writer.Add(2200, {});
  writer.Add(2117, big);
  writer.Add(2206, small);
  const Bytes answer = writer.Finish();
  Recorder rec;
  EXPECT_TRUE(rec.Parse(answer));
  ASSERT_EQ(rec.seen.size(), 2u);
  EXPECT_EQ(std::tie(rec.seen[0].type, rec.seen[0].start, rec.seen[0].body),
            std::tuple(2117, 0u, big));
  EXPECT_EQ(rec.seen[1].body, small);
  Recorder stopped;
  EXPECT_FALSE(stopped.Parse(answer, -1));
  EXPECT_EQ(stopped.seen.size(), 1u);
  Bytes led{'x', 'y'};
  led.insert(led.end(), answer.begin(), answer.end());
  Recorder skipped;
  EXPECT_TRUE(skipped.Parse(led));
  ASSERT_EQ(skipped.seen.size(), 2u);
  EXPECT_EQ(skipped.seen[1].start, rec.seen[1].start + 2);

  std::vector<std::pair<std::size_t, int>> positioned;
  EXPECT_TRUE(ParseContainerInOrder(
      [&](std::size_t position, int type, const std::uint8_t*, std::size_t start, std::size_t end) {
        positioned.emplace_back(position, type);
        EXPECT_LE(start, end);
        return 0;
      },
      answer.data(), answer.size()));
  EXPECT_EQ(positioned, (std::vector<std::pair<std::size_t, int>>{{0, 2200}, {1, 2117}, {2, 2206}}));
  const std::string header = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n";
  ContainerWriter two;
  two.AddPlain(2200, Body(4));
  two.AddPlain(2203, Body(4));
  Bytes wrong_end = two.Finish();
  wrong_end.back() = 'x';
  Bytes missing_end = wrong_end;
  missing_end.pop_back();
  Bytes cut_stream = CompressedContainer(200, Body(200));
  cut_stream.resize(cut_stream.size() - 5);
  Bytes corrupt_stream = CompressedContainer(200, Body(200));
  corrupt_stream[15] ^= 0xFF;
  // The stream's last bytes are its checksum: broken, it still inflates to exactly the stated size.
  Bytes bad_checksum = CompressedContainer(200, Body(200));
  bad_checksum[bad_checksum.size() - 2] ^= 0x01;
  Bytes good_then_bad{'{', 0x98, 0x08, 0, 0, 4, 0, 1, 2, 3, 4, ':'};
  const Bytes bad = CompressedContainer(201, Body(200));
  good_then_bad.insert(good_then_bad.end(), bad.begin() + 1, bad.end());
  const struct {
    const char* name;
    Bytes input;
    std::size_t handed_over;
  } cases[] = {
      {"empty input", {}, 0},
      {"an HTTP header only", Bytes(header.begin(), header.end()), 0},
      {"block header cut short", {'{', 1, 0, 0}, 0},
      {"body past the end", {'{', 1, 0, 0, 0, 9, 0, 1, 2, '}'}, 0},
      // 0x8000 and 0xFFFF read negative: a parser trusting them would jump back into the header.
      {"length 0x8000", {'{', 1, 0, 0, 0, 0x00, 0x80, 1, 2, 3, '}'}, 0},
      {"length 0xFFFF", {'{', 1, 0, 0, 0, 0xFF, 0xFF, 1, 2, 3, '}'}, 0},
      {"inflates to U - 1", CompressedContainer(201, Body(200)), 0},
      {"inflates past U", CompressedContainer(199, Body(200)), 0},
      {"would overflow 2 x U", CompressedContainer(50, Body(200)), 0},
      {"compressed stream cut", cut_stream, 0},
      {"compressed stream corrupt", corrupt_stream, 0},
      {"compressed stream with a wrong checksum", bad_checksum, 0},
      {"good block, then a bad one", good_then_bad, 1},
      {"wrong closing byte", wrong_end, 2},
      {"closing byte missing", missing_end, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Recorder r;
    EXPECT_FALSE(r.Parse(c.input));
    EXPECT_EQ(r.seen.size(), c.handed_over);
  }
  Recorder exact;
  EXPECT_TRUE(exact.Parse(CompressedContainer(200, Body(200))));
  ASSERT_EQ(exact.seen.size(), 1u);
  EXPECT_EQ(exact.seen[0].body, Body(200));
  Recorder empty;  // the server's answer when it has nothing to say
  EXPECT_TRUE(empty.Parse(Bytes{'{', '}'}));
  EXPECT_TRUE(empty.seen.empty());
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

// Every cut of a container is incomplete, the whole is complete whatever follows it, and bytes
// that break the syntax can never complete.
TEST(AnswerLengthTest, FindsTheEndOfContainersAndTheBlockReaderStopsAtItsBlocksEnd) {
  ContainerWriter writer(16);
  Bytes ends_in_brace = Body(40);
  ends_in_brace.back() = '}';
  writer.Add(2203, ends_in_brace);
  writer.Add(2117, Bytes(300, 7));
  writer.AddPlain(2205, {});
  Bytes answer = writer.Finish();
  const long length = static_cast<long>(answer.size());
  answer.push_back('{');
  EXPECT_EQ(AnswerLength(answer), length);
  for (long cut = 0; cut < length; ++cut) {
    EXPECT_EQ(AnswerLength(std::span(answer).first(static_cast<std::size_t>(cut))), 0) << cut;
  }
  EXPECT_EQ(AnswerLength(Bytes{'{', '}', '{'}), 2);  // an empty container is a whole answer
  EXPECT_EQ(AnswerLength(Bytes{'x', '{'}), -1);
  EXPECT_EQ(AnswerLength(Bytes{'{', 1, 0, 0, 0, 0, 0, '+'}), -1);
  EXPECT_EQ(AnswerLength(Bytes{'{', 1, 0, 0, 0, 0x00, 0x80}), -1);
  // A read that would cross the block's end gives zero or an empty string, moves to the end and
  // marks the reader overrun; a fixed-width string stops at its first zero byte.
  const Bytes bytes{1, 0, 0, 0, 7, 7, 7};
  BlockReader reader(bytes.data(), 0, 6);  // the block ends before the last byte
  EXPECT_EQ(reader.Int32(), 1);
  EXPECT_EQ(reader.Int32(), 0);  // only two bytes left: not read
  EXPECT_TRUE(reader.overrun() && reader.AtEnd());
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
