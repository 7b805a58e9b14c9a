// Where the parts of the quote list lie on a client of width W and height H with text lines of h:
// the self-selected tab bar, the header, the rows of 1.5 h, the paging line, the ticker strip and
// the toolbar, and the four columns of a quarter width each. Pure, any thread.
#pragma once

#include "base/geometry.h"

namespace tarvello {

struct ListLayout {
  ListLayout(int width, int height, int line, bool tabBar);

  int width;
  int line;
  int rowHeight;
  Rect tabBar;  // empty without tabs
  Rect header;
  Rect rows;    // where the rows of a page go
  Rect pagingLine;
  Rect ticker;
  Rect toolbar;
  int strokeBottom;  // strokes count above this line only

  Rect Row(int index) const;  // 0-based on the page
  // Where an information tab's titles or article stand: the header's and the rows' place.
  Rect InfoArea() const { return {0, header.top, width, rows.bottom}; }
  // A title takes its line, the line under it and half a line of space.
  int InfoEntryHeight() const { return line * 5 / 2; }
  // Column 0 is the name; 1 to 3 the visible data columns.
  Rect Cell(const Rect& line, int column) const;
  // The 0-based row under y, or -1.
  int RowAt(int y) const;
  // The header's end arrow under x: -1 on "<", 1 on ">", 0 elsewhere. An arrow is there only
  // when drawn (left, right) and takes one character's width at its end of the header.
  int HeaderArrowAt(int x, int charWidth, bool left, bool right) const;
  // Which of `parts` equal parts of a bar x falls in.
  static int PartAt(const Rect& bar, int x, int parts);
};

}  // namespace tarvello
