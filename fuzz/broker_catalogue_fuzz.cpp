// Treats the input as a broker catalogue file. Whatever it holds, reading it must not fault, no
// level may list more than 255 brokers or areas, every branch office's name must start with its
// area's name and "-", and indices beyond a list must give empty lists.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "brokers/broker_catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using tarvello::BrokerCatalogue;
  BrokerCatalogue catalogue;
  const bool loaded = catalogue.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  const auto& brokers = catalogue.Brokers();
  if (loaded != !brokers.empty() || brokers.size() > BrokerCatalogue::kLevelLimit) abort();
  for (std::size_t b = 0; b < brokers.size(); ++b) {
    const auto areas = catalogue.Areas(b);
    if (areas.size() > BrokerCatalogue::kLevelLimit) abort();
    for (std::size_t a = 0; a < areas.size(); ++a) {
      for (const auto& branch : catalogue.Branches(b, a)) {
        if (!branch.name.starts_with(areas[a].name + u"-")) abort();
      }
    }
    if (!catalogue.Branches(b, areas.size()).empty()) abort();
  }
  if (!catalogue.Areas(brokers.size()).empty()) abort();
  return 0;
}
