// The lists the start dialog's combo box can show: the carriers (whose choice "拨号" sets up),
// the quote server groups and the access point kinds. Two buttons of the dialog switch the box
// between them; each list keeps its own selection across the switches. Plain value; the dialog
// owns it on the user-interface thread.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace tarvello {

class StartChoiceLists {
 public:
  enum class List { kCarriers, kServers, kAccessPoints };

  static const std::vector<std::u16string>& Items(List list);

  // Shows list, or the carriers again when list is already shown.
  void Toggle(List list);
  List shown() const { return shown_; }
  // Selects an entry of the shown list; an index outside it is ignored.
  void Select(int index);
  int selected() const { return Selected(shown_); }
  int Selected(List list) const { return selection_[static_cast<std::size_t>(list)]; }
  int carrier() const { return Selected(List::kCarriers); }

 private:
  List shown_ = List::kCarriers;
  std::array<int, 3> selection_{};
};

}  // namespace tarvello
