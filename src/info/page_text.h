// Lays a page text out in display lines: split at line feeds (carriage returns dropped), spaces
// and ideographic spaces taken out of the first ten characters of each line, which is then indented
// by two ideographic spaces, and wrapped to the page width. Every character counts as the width of
// one wide character, or half of it below code 128.
//
// The company finances come as comma-separated pieces: each piece is a line of its own, shown as
// it stands (no trimming, no indent). A downloaded article also loses the byte-order marks of the
// first ten characters, and counts every character below 256 narrow.
// Pure functions, any thread.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "info/page_content.h"

namespace tarvello {

// wide_width: the width of "中" in the page font. A page narrower than one character still takes
// one character per display line, so the layout always ends.
std::vector<std::u16string> WrapPageText(std::u16string_view text, int page_width, int wide_width,
                                         TextForm form = TextForm::kLines);

}  // namespace tarvello
