// Reads arbitrary bytes as a markup page the way the page view does: UTF-8 text into the markup
// reader, the items of its first card, their layout on a narrow page. The reader must report a
// fault exactly when it refuses the text, the items must end with the reload link, and no control
// may leave the page unless it holds a single character.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "markup/page_items.h"
#include "markup/page_layout.h"
#include "text/text_codec.h"
#include "web/markup_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvello;
  const std::u16string text = text::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  MarkupDocument document;
  if (document.SetDoc(text) != document.error().empty()) std::abort();
  const std::vector<PageItem> items = BuildPageItems(document, u"http://h/prev.wml");
  if (items.empty() || items.back().attribute != kReloadTarget) std::abort();
  const PageMetrics metrics{60, 10, [](std::u16string_view run, bool bold) {
                              int width = 0;
                              for (const char16_t c : run) width += (c < 128 ? 5 : 10) + (bold ? 1 : 0);
                              return width;
                            }};
  for (const PageControl& control : LayOutPage(items, metrics).controls) {
    if (control.box.right > metrics.page_width && control.text.size() > 1 &&
        control.kind != PageControlKind::kCell) {
      std::abort();
    }
  }
  return 0;
}
