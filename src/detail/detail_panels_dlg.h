// Paints the right panel of the detail screen (figures, order books or ticks) and the tab strip
// below it. The rows come from detail_panel_rows.h. User-interface thread, like any painting.
#pragma once

#include "base/geometry.h"
#include "detail/detail_panel_rows.h"
#include "platform/picture.h"

namespace tarvello {

class Canvas;

// The panels a tab of the strip selects, left to right: "五档", "报价", "明细".
inline constexpr DetailPanel kTabPanels[] = {kPanelFiveLevelBook, kPanelQuoteFigures, kPanelTicks};

// Whether the strip is offered: for the five-level book, quote figures and ticks of a security
// that is neither an index nor an index future.
bool ShowsTabStrip(DetailPanel panel, std::uint8_t securityType);

// The tab under x in a strip spanning strip; kTabPanels index.
int TabAt(const Rect& strip, int x);

void PaintDetailPanel(Canvas& canvas, const Rect& area, DetailPanel panel, const DetailRecords& records);
void PaintTabStrip(Canvas& canvas, const Rect& strip, DetailPanel selected, const Picture& face);

}  // namespace tarvello
