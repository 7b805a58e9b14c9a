#include "lists/list_layout.h"

#include <algorithm>

namespace tarvello {

ListLayout::ListLayout(int width_, int height, int line_, bool tabs)
    : width(width_), line(line_), rowHeight(line_ * 3 / 2) {
  int top = 0;
  if (tabs) {
    tabBar = {0, 0, width, rowHeight};
    top = rowHeight;
  }
  header = {0, top, width, top + rowHeight};
  toolbar = {0, height - rowHeight, width, height};
  ticker = {0, toolbar.top - rowHeight, width, toolbar.top};
  pagingLine = {0, ticker.top - line, width, ticker.top};
  rows = {0, header.bottom, width, pagingLine.top};
  strokeBottom = height - line * 9 / 2;
}

Rect ListLayout::Row(int index) const {
  const int top = rows.top + index * rowHeight;
  return {0, top, width, top + rowHeight};
}

Rect ListLayout::Cell(const Rect& band, int column) const {
  return {column * width / 4, band.top, (column + 1) * width / 4, band.bottom};
}

int ListLayout::RowAt(int y) const {
  if (y < rows.top || y >= rows.bottom || rowHeight <= 0) return -1;
  return (y - rows.top) / rowHeight;
}

int ListLayout::HeaderArrowAt(int x, int charWidth, bool left, bool right) const {
  if (left && x >= header.left && x < header.left + charWidth) return -1;
  if (right && x < header.right && x >= header.right - charWidth) return 1;
  return 0;
}

int ListLayout::PartAt(const Rect& bar, int x, int parts) {
  if (bar.Width() <= 0) return 0;
  return std::clamp((x - bar.left) * parts / bar.Width(), 0, parts - 1);
}

}  // namespace tarvello
