#include "account/fill_in.h"

namespace tarvello {

std::u16string FillIn(std::u16string_view format, std::initializer_list<std::u16string_view> texts) {
  std::u16string out;
  auto next = texts.begin();
  for (std::size_t at = 0; at < format.size(); ++at) {
    if (format[at] == u'%' && at + 1 < format.size() && format[at + 1] == u's' && next != texts.end()) {
      out += *next++;
      ++at;
    } else {
      out += format[at];
    }
  }
  return out;
}

}  // namespace tarvello
