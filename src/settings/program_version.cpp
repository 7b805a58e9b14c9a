#include "settings/program_version.h"

#include <algorithm>
#include <vector>

namespace tarvello {

namespace {

constexpr int kNumberCap = 1000000;

// The numbers of the text in order, trailing zeros dropped ("V3.3.0" is "V3.3").
template <typename Char>
std::vector<int> VersionNumbers(std::basic_string_view<Char> text) {
  std::vector<int> numbers;
  int current = -1;
  for (Char c : text) {
    if (c >= '0' && c <= '9') {
      current = std::min(kNumberCap, (current < 0 ? 0 : current * 10) + static_cast<int>(c - '0'));
    } else if (current >= 0) {
      numbers.push_back(current);
      current = -1;
    }
  }
  if (current >= 0) numbers.push_back(current);
  while (numbers.size() > 1 && numbers.back() == 0) numbers.pop_back();
  return numbers;
}

template <typename Char>
bool Newer(std::basic_string_view<Char> candidate, std::basic_string_view<Char> current) {
  const std::vector<int> a = VersionNumbers(candidate);
  const std::vector<int> b = VersionNumbers(current);
  if (a.empty()) return false;
  return std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end());
}

}  // namespace

bool IsNewerVersion(std::u16string_view candidate, std::u16string_view current) {
  return Newer(candidate, current);
}

bool IsNewerVersion(std::string_view candidate, std::string_view current) { return Newer(candidate, current); }

}  // namespace tarvello
