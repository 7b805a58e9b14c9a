// Parsing a realistic detail-screen answer (ten blocks: a compressed minute block of 242 records,
// the rest plain) against zlib's uncompress of the same compressed bytes alone, the floor.
#include <zlib.h>

#include <cstdio>

#include "protocol/block_reader.h"
#include "protocol/container_parser.h"
#include "protocol/container_writer.h"
#include "protocol/wire_writer.h"
#include "ratio_reporter.h"

namespace tarvello {
namespace {

constexpr int kMinutes = 242;

Bytes MinuteBody() {
  WireWriter body;
  body.Str("SH600001").I32(1200).I32(kMinutes);
  for (int i = 0; i < kMinutes; ++i) {
    body.I32(930 + (i / 60) * 100 + i % 60).I32(12000 + (i * 37) % 91).I32(1000 * i).I32(12010).I32(0);
  }
  return body.Take();
}

struct Answer {
  Bytes container;
  Bytes stream;  // the compressed minute block's zlib stream
  std::size_t minute_size = 0;
};

const Answer& RealisticAnswer() {
  static const Answer answer = [] {
    Answer a;
    const Bytes minutes = MinuteBody();
    a.stream = CompressBlockBody(minutes);
    a.minute_size = minutes.size();
    ContainerWriter writer;
    writer.AddPrecompressed(2117, minutes.size(), a.stream);
    const Bytes quote = WireWriter().I32(1234).I32(1200).I32(1250).I32(1190).I32(1234).I32(5000000)
                            .I32(617000).I32(2600000).I32(2400000).I32(0).Take();
    const Bytes book = Bytes(4 + 2 + 10 * 8, 3);
    const Bytes ticks = Bytes(4 + 4 + 2 + 10 * 12, 5);
    const Bytes info = WireWriter().Str("SH600001").Utf8(u"浦江银行").U8(2).U8(1).Take();
    for (const Bytes* body : {&quote, &book, &ticks, &info, &quote, &book, &ticks, &info, &quote}) {
      writer.AddPlain(2203, *body);
    }
    a.container = writer.Finish();
    return a;
  }();
  return answer;
}

void BM_ParseContainer(benchmark::State& state) {
  const Answer& answer = RealisticAnswer();
  for (auto _ : state) {
    std::int64_t sum = 0;
    const bool ok = ParseContainer(
        [&sum](int, const std::uint8_t* bytes, std::size_t start, std::size_t end) {
          BlockReader reader(bytes, start, end);
          sum += reader.Int32();
          return 0;
        },
        answer.container.data(), answer.container.size());
    benchmark::DoNotOptimize(ok);
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_ParseContainer);

void BM_InflateAlone(benchmark::State& state) {
  const Answer& answer = RealisticAnswer();
  Bytes out(2 * answer.minute_size);
  for (auto _ : state) {
    uLongf size = static_cast<uLongf>(out.size());
    uncompress(out.data(), &size, answer.stream.data(), static_cast<uLong>(answer.stream.size()));
    benchmark::DoNotOptimize(out.data());
    benchmark::DoNotOptimize(size);
  }
}
BENCHMARK(BM_InflateAlone);

}  // namespace
}  // namespace tarvello

int main(int argc, char** argv) {
  return tarvello::bench::RunAndPrintRatios(argc, argv, {{"BM_ParseContainer", "BM_InflateAlone", 1.15}});
}
