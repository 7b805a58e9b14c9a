// Feeds arbitrary bytes to the reader of the security search answer, splits every item it
// keeps and pages through them as the list screen would.
#include <cstddef>
#include <cstdint>
#include <span>

#include "shell/list_screen_pages.h"
#include "shell/search_answer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvello;
  const std::vector<std::u16string> items = ReadSearchAnswer(std::span(data, size));
  for (const std::u16string& item : items) SplitSearchItem(item);
  const ListScreenPages pages(static_cast<int>(items.size()), 200, 27);
  for (int page = 0; page < pages.page_count(); ++page) pages.ItemAt(page, pages.rows_per_page() - 1);
  return 0;
}
