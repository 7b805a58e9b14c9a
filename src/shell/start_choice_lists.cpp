#include "shell/start_choice_lists.h"

namespace tarvello {

const std::vector<std::u16string>& StartChoiceLists::Items(List list) {
  static const std::vector<std::u16string> carriers = {u"中国移动", u"中国联通", u"中国电信"};
  static const std::vector<std::u16string> servers = {u"移动服务器", u"电信服务器", u"联通服务器"};
  static const std::vector<std::u16string> access_points = {u"CMNET", u"CMWAP"};
  switch (list) {
    case List::kServers:
      return servers;
    case List::kAccessPoints:
      return access_points;
    default:
      return carriers;
  }
}

void StartChoiceLists::Toggle(List list) { shown_ = shown_ == list ? List::kCarriers : list; }

void StartChoiceLists::Select(int index) {
  if (index < 0 || index >= static_cast<int>(Items(shown_).size())) return;
  selection_[static_cast<std::size_t>(shown_)] = index;
}

}  // namespace tarvello
