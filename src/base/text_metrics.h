// TextMetrics: the measures of the screen font that every screen lays itself out with. The main
// screen takes them once from its canvas and shares them; geometry is then expressed in text lines
// (LineHeight) and fractions of the client width, so one layout fits every screen size.
// A plain value; copy it freely. The shared record is set once at start, before other threads
// run, and only read afterwards.
#pragma once

namespace tarvello {

struct TextMetrics {
  int height = 0;             // ascent + descent of the font
  int external_leading = 0;   // the gap the font asks for between lines
  int average_char_width = 0;
  int max_char_width = 0;

  // One text line: the font height plus its external leading.
  int LineHeight() const { return height + external_leading; }
  // Tool bars and headers are one and a half text lines high.
  int BarHeight() const { return LineHeight() * 3 / 2; }
};

// The metrics of the screen font that all screens lay out with.
const TextMetrics& SharedTextMetrics();
void SetSharedTextMetrics(const TextMetrics& metrics);

}  // namespace tarvello
