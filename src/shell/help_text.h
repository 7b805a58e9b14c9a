// The help page's text: what each of the twelve main-menu cells opens, how the keys work, and the
// consultation telephone number. Lines are separated by line feeds.
#pragma once

#include <string_view>

namespace tarvello {

std::u16string_view HelpText();

}  // namespace tarvello
