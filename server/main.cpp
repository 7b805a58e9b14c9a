// tarvello-quoted: the quote server simulator.
#include <cstdio>
#include <string>
#include <vector>

#include "server/server_options.h"

int main(int argc, char** argv) {
  std::string error;
  const auto options =
      tarvello::server::ParseServerOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::fprintf(stderr, "tarvello-quoted: %s\n", error.c_str());
    return 2;
  }
  std::printf("tarvello-quoted: port %u, not serving yet\n", static_cast<unsigned>(options->port));
  return 0;
}
