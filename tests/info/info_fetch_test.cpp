#include "info/info_fetch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"

namespace tarvello {
namespace {

Bytes Answer(int type, const Bytes& body) {
  ContainerWriter writer;
  writer.AddPlain(type, body);
  return writer.Finish();
}

// Answers each request type with a scripted container and records the requests and the buffer
// sizes they came with.
struct ScriptedServer {
  std::map<int, Bytes> answers;
  std::vector<Bytes> requests;
  std::vector<std::size_t> capacities;

  ExchangeFunction Exchange() {
    return [this](std::span<const std::uint8_t> request, std::span<std::uint8_t> response) {
      requests.emplace_back(request.begin(), request.end());
      capacities.push_back(response.size());
      const auto found = answers.find(request[1] | request[2] << 8);
      if (found == answers.end() || found->second.size() > response.size()) return 0;
      std::copy(found->second.begin(), found->second.end(), response.begin());
      return static_cast<int>(found->second.size());
    };
  }
  int TypeOf(std::size_t i) const { return requests[i][1] | requests[i][2] << 8; }
};

InfoQuery Query(InfoPage page, int kind, std::vector<std::u16string> codes) {
  InfoQuery query;
  query.page = page;
  query.kind = kind;
  query.codes = std::move(codes);
  return query;
}

TEST(InfoFetchTest, TheF10ItemsSendTheirKindWithTheirOwnBufferAndFinancesSplitAtCommas) {
  const struct {
    int mode;
    int kind;
    std::size_t buffer;
  } items[] = {{13, 4, 40960}, {14, 8, 10240}, {15, 16, 5120}, {16, 7, 10240}, {17, 11, 10240}};
  for (const auto& item : items) {
    ScriptedServer server;
    server.answers[kF10Item] = Answer(kF10Item, WireWriter().I32(0).Utf8(u"资料").Take());
    InfoQuery query = Query(InfoPage::kF10, 1, {u"SH600001"});
    query.f10_mode = item.mode;
    const PageContent page = FetchInfoPage(query, InfoLinks{server.Exchange(), {}, {}});
    EXPECT_EQ(page.text, u"资料");
    EXPECT_EQ(page.form, item.mode == 15 ? TextForm::kCommaPieces : TextForm::kLines);
    ASSERT_EQ(server.requests.size(), 1u);
    EXPECT_EQ(server.requests[0], CPacketCodec().BuildF10Item("SH600001", static_cast<std::uint16_t>(item.kind), 0));
    EXPECT_EQ(server.capacities[0], item.buffer);
  }
}

// A security's titles with the server time are on the journeys; here the self-selected list's
// count and a missing time.
TEST(InfoFetchTest, TheOwnListAsksForAHundredTitlesAndWithoutTheTimeNothingIsAskedFor) {
  ScriptedServer server;
  server.answers[kServerTime] = Answer(kServerTime, WireWriter().I32(20261204).I32(93000).Take());
  InfoQuery own = Query(InfoPage::kTitles, 16, {u"SH600001"});
  own.own_list = true;
  FetchInfoPage(own, InfoLinks{server.Exchange(), {}, {}});
  EXPECT_EQ(server.requests.back()[9], 100) << "the self-selected list asks for up to 100 titles, even with one code";

  server.answers[kServerTime] = Answer(kQuote, Bytes(8, 0));
  server.requests.clear();
  EXPECT_TRUE(FetchInfoPage(Query(InfoPage::kTitles, 1, {u"SH600001"}), InfoLinks{server.Exchange(), {}, {}}).entries.empty());
  ASSERT_EQ(server.requests.size(), 1u);
  EXPECT_EQ(server.TypeOf(0), kServerTime);
}

}  // namespace
}  // namespace tarvello
