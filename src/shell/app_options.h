// AppOptions: the terminal's command line. --screen WxH picks the handheld screen in logical pixels
// (default 480x640; 240x320 and 240x240 are the other common ones), --scale N enlarges the window
// on the desktop, --home DIR picks the program folder, --tour DIR saves a picture of every screen
// into DIR and ends; --help and --version ask for the usage text or the version and nothing else.
// Parsing is pure; bad values give an error text and change nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"

namespace tarvello {

struct AppOptions {
  Size screen{480, 640};
  double scale = 1.0;
  std::string home;      // empty: the folder ChooseProgramFolders picks
  std::string tour_dir;  // empty: run normally
  bool help = false;
  bool version = false;
};

inline constexpr int kMinScreenSide = 120;
inline constexpr int kMaxScreenSide = 2048;
inline constexpr double kMaxScale = 8.0;

// "WxH" with both sides between kMinScreenSide and kMaxScreenSide.
std::optional<Size> ParseScreenSize(std::string_view text);
// A number above 0 and at most kMaxScale.
std::optional<double> ParseScale(std::string_view text);
// Reads args (without the program name) into options; false with error set on a bad option.
bool ParseAppOptions(const std::vector<std::string>& args, AppOptions& options, std::string& error);
// The text --help prints.
const char* AppUsage();

}  // namespace tarvello
