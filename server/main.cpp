// tarvello-quoted: the quote server simulator.
#include <sys/resource.h>

#include <cstdio>
#include <string>
#include <vector>

#include "server/market/market.h"
#include "server/market/sim_clock.h"
#include "server/network/quote_server.h"
#include "server/server_options.h"
#include "server/wire/accounts.h"
#include "server/wire/event_log.h"
#include "server/wire/request_handler.h"

namespace {

// Many idle clients need many descriptors: take the hard limit.
void RaiseDescriptorLimit() {
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);
  }
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tarvello::server;
  std::string error;
  const auto options = ParseServerOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::fprintf(stderr, "tarvello-quoted: %s\n%s", error.c_str(), ServerUsage());
    return 2;
  }
  if (options->help) {
    std::printf("%s", ServerUsage());
    return 0;
  }
  if (options->version) {
    std::printf("tarvello-quoted %s\n", TARVELLO_VERSION);
    return 0;
  }
  AccountBook accounts;
  if (!options->accounts.empty() && !accounts.LoadFile(options->accounts, error)) {
    std::fprintf(stderr, "tarvello-quoted: %s\n", error.c_str());
    return 2;
  }
  RaiseDescriptorLimit();
  const SimClock clock(options->at.value_or(DefaultStart()), options->speed);
  MarketConfig config;
  config.seed = options->seed;
  config.start = clock.start();
  const Market market(config);
  EventLog log(stderr);
  HandlerSettings settings;
  settings.latest_version = options->latest_version;
  RequestHandler handler(market, clock, accounts, log, settings);
  QuoteServer server(handler, Endpoints{options->address, options->port, options->gateway_port, options->info_port},
                     InfoSite(market, clock));
  if (!server.Open(error)) {
    std::fprintf(stderr, "tarvello-quoted: %s\n", error.c_str());
    return 1;
  }
  // Listening already, a terminal that connects meanwhile waits in the backlog instead of being
  // refused; the port line says that every answer is ready.
  handler.Prepare();
  if (!server.info_error().empty()) std::fprintf(stderr, "tarvello-quoted: %s\n", server.info_error().c_str());
  std::printf("tarvello-quoted: quote port %u, gateway port %u, info port %u\n",
              static_cast<unsigned>(server.quote_port()), static_cast<unsigned>(server.gateway_port()),
              static_cast<unsigned>(server.info_port()));
  std::fflush(stdout);
  server.Run(options->threads, true);
  log.Write("tarvello-quoted: stopped");
  return 0;
}
