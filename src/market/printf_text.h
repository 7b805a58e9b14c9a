// PrintfText: printf-style formatting straight into the wide text the screens draw. Formats are
// UTF-8 literals ("%0.1f万"); the result is converted once. Safe from any thread.
#pragma once

#include <string>

namespace tarvello {

std::u16string PrintfText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tarvello
