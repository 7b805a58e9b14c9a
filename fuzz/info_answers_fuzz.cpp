// Reads arbitrary server bytes as every information answer: the server time, the F10 text, the
// article, the security and self-selected titles (2901), the general titles (2701), the
// categories (2700) and the fetched titles (2500). The first byte picks the block type written
// over the container's first block, so that each reader meets its own type often; no read may
// fault, and no list may hold more entries than its count allowed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "info/info_answers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  static constexpr std::uint16_t kTypes[] = {2116, 2600, 2710, 2901, 2701, 2700, 2500};
  std::vector<std::uint8_t> answer(data + 1, data + size);
  if (answer.size() >= 3 && answer[0] == '{') {
    const std::uint16_t type = kTypes[data[0] % std::size(kTypes)];
    answer[1] = static_cast<std::uint8_t>(type & 0xFF);
    answer[2] = static_cast<std::uint8_t>(type >> 8);
  }
  using namespace tarvello;
  ReadServerStamp(answer);
  ReadF10Text(answer);
  ReadArticleText(answer);
  for (const auto& entries : {ReadInfoTitles(answer), ReadGeneralTitles(answer), ReadInfoCategories(answer),
                              ReadFetchedTitles(answer)}) {
    if (entries.size() > 32767) std::abort();
  }
  return 0;
}
