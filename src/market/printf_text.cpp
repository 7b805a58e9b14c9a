#include "market/printf_text.h"

#include <cstdarg>
#include <cstdio>

#include "text/text_codec.h"

namespace tarvello {

std::u16string PrintfText(const char* format, ...) {
  // The longest figure a screen shows is a double in "%.3f" (a few hundred digits at worst).
  char buffer[512];
  va_list args;
  va_start(args, format);
  const int written = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (written < 0) return {};
  const std::size_t length = static_cast<std::size_t>(written) < sizeof buffer
                                 ? static_cast<std::size_t>(written)
                                 : sizeof buffer - 1;
  return text::FromUtf8(std::string_view(buffer, length));
}

}  // namespace tarvello
