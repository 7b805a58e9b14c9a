#include "shell/app_options.h"

#include <charconv>

namespace tarvello {
namespace {

std::optional<int> ParseSide(std::string_view text) {
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < kMinScreenSide || value > kMaxScreenSide) return std::nullopt;
  return value;
}

}  // namespace

std::optional<Size> ParseScreenSize(std::string_view text) {
  std::size_t x = text.find_first_of("xX");
  if (x == std::string_view::npos) return std::nullopt;
  auto width = ParseSide(text.substr(0, x));
  auto height = ParseSide(text.substr(x + 1));
  if (!width || !height) return std::nullopt;
  return Size{*width, *height};
}

std::optional<double> ParseScale(std::string_view text) {
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (!(value > 0.0 && value <= kMaxScale)) return std::nullopt;
  return value;
}

bool ParseAppOptions(const std::vector<std::string>& args, AppOptions& options, std::string& error) {
  AppOptions parsed = options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (name == "--help" || name == "-h") {
      parsed.help = true;
      continue;
    }
    if (name == "--version") {
      parsed.version = true;
      continue;
    }
    if (name != "--screen" && name != "--scale" && name != "--home" && name != "--tour") {
      error = "unknown option " + name;
      return false;
    }
    if (i + 1 >= args.size()) {
      error = name + " needs a value";
      return false;
    }
    const std::string& value = args[++i];
    if (name == "--screen") {
      auto size = ParseScreenSize(value);
      if (!size) {
        error = "--screen wants WxH, each side from 120 to 2048, not " + value;
        return false;
      }
      parsed.screen = *size;
    } else if (name == "--scale") {
      auto scale = ParseScale(value);
      if (!scale) {
        error = "--scale wants a number above 0 and at most 8, not " + value;
        return false;
      }
      parsed.scale = *scale;
    } else if (name == "--home") {
      parsed.home = value;
    } else {
      parsed.tour_dir = value;
    }
  }
  options = parsed;
  return true;
}

const char* AppUsage() {
  return "usage: tarvello [options]\n"
         "  --screen WxH   the handheld screen in logical pixels (default 480x640)\n"
         "  --scale N      enlarge the window on the desktop (above 0, at most 8; default 1)\n"
         "  --home DIR     the folder of the settings and lists (default: the executable's folder for\n"
         "                 a portable copy, $XDG_DATA_HOME/tarvello or ~/.local/share/tarvello otherwise)\n"
         "  --tour DIR     save a picture of every screen into DIR and end\n"
         "  --help         show this text and end\n"
         "  --version      show the version and end\n";
}

}  // namespace tarvello
