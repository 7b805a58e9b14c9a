// Cost of answering the stock detail screen's request: from the shared cache (the usual case
// within a minute slot), built afresh, and the K-line page; against a baseline that only copies
// an answer of the same size.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "protocol/packet_codec.h"
#include "ratio_reporter.h"
#include "server/wire/request_parser.h"
#include "sim_world.h"

namespace {

using namespace tarvello;
using namespace tarvello::server;

using bench::TheWorld;

Bytes DetailRequest() {
  CPacketCodec c;
  const std::string code = "SH600001";
  const std::vector<Bytes> packets = {c.BuildMinuteData(code, 0), c.BuildIndexBreadth(code), c.BuildOrderBook(code),
                                      c.BuildTicks(code, 0),      c.BuildQuote(code),        c.BuildSecurityInfo(code),
                                      c.BuildTenLevelBook(code),  c.BuildTradingHours(code), c.BuildQuoteExtra(code)};
  return CPacketCodec::Join(packets);
}

void BM_CopyBaseline(benchmark::State& state) {
  RequestHandler handler(TheWorld().market, TheWorld().clock, TheWorld().accounts, TheWorld().log);
  const Bytes request = DetailRequest();
  const Bytes answer = handler.Answer(FrameRequest(request).packets);
  Bytes copy(answer.size());
  for (auto _ : state) {
    std::memcpy(copy.data(), answer.data(), answer.size());
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetLabel(std::to_string(answer.size()) + " bytes");
}

void BM_DetailAnswerCached(benchmark::State& state) {
  RequestHandler handler(TheWorld().market, TheWorld().clock, TheWorld().accounts, TheWorld().log);
  const Bytes request = DetailRequest();
  for (auto _ : state) {
    const FrameResult frame = FrameRequest(request);
    benchmark::DoNotOptimize(handler.Answer(frame.packets));
  }
}

void BM_DetailAnswerBuilt(benchmark::State& state) {
  const Bytes request = DetailRequest();
  for (auto _ : state) {
    HandlerSettings settings;
    settings.cache_entries = 1;  // every block is built and compressed again
    RequestHandler handler(TheWorld().market, TheWorld().clock, TheWorld().accounts, TheWorld().log, settings);
    benchmark::DoNotOptimize(handler.Answer(FrameRequest(request).packets));
  }
}

void BM_DayKLinePageBuilt(benchmark::State& state) {
  const Bytes request = CPacketCodec().BuildKLine("SH600001", 7, 0, 122, 1);
  for (auto _ : state) {
    HandlerSettings settings;
    settings.cache_entries = 1;
    RequestHandler handler(TheWorld().market, TheWorld().clock, TheWorld().accounts, TheWorld().log, settings);
    benchmark::DoNotOptimize(handler.Answer(FrameRequest(request).packets));
  }
}

BENCHMARK(BM_CopyBaseline);
BENCHMARK(BM_DetailAnswerCached);
BENCHMARK(BM_DetailAnswerBuilt);
BENCHMARK(BM_DayKLinePageBuilt);

}  // namespace

// No target binds these answers; the table shows them against the copy for scale.
int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  tarvello::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double copy = reporter.Nanoseconds("BM_CopyBaseline");
  for (const char* name : {"BM_DetailAnswerCached", "BM_DetailAnswerBuilt", "BM_DayKLinePageBuilt"}) {
    const double nanoseconds = reporter.Nanoseconds(name);
    tarvello::bench::EmitFigure({name, tarvello::bench::Duration(nanoseconds), "BM_CopyBaseline",
                                 tarvello::bench::Duration(copy), copy > 0 ? nanoseconds / copy : 0, "", true});
  }
  benchmark::Shutdown();
  return 0;
}
