// Wide text of the program as Qt text, for the places where the platform hands text to Qt.
// Pure; any thread.
#pragma once

#include <QString>
#include <string_view>

namespace tarvello {

inline QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace tarvello
