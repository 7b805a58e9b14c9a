// FillIn: puts texts into the "%s" places of a fixed message, in order. A "%s" without a text left
// stays as it is. Pure function, any thread.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace tarvello {

std::u16string FillIn(std::u16string_view format, std::initializer_list<std::u16string_view> texts);

}  // namespace tarvello
