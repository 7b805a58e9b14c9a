#include "futures/fund_flow_pie.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace tarvello {
namespace {

constexpr double kRadiansPerDegree = 0.017444444444444446;
constexpr int kTop = 90;
constexpr int kLastEnd = 451;

struct Amount {
  std::int32_t value;
  ColorRef fill;
};

}  // namespace

Point PieRimPoint(Point centre, int radius, int degree) {
  const double angle = degree * kRadiansPerDegree;
  return {static_cast<int>(centre.x + radius * std::cos(angle)), static_cast<int>(centre.y - radius * std::sin(angle))};
}

std::vector<PieSlice> FundFlowPie(const SecurityFundFlow& f, Point centre, int radius) {
  const std::array<Amount, 7> amounts = {{{f.largeIn, 0x3F3FBF},
                                          {f.mediumIn, 0x1E1E63},
                                          {f.smallIn, 0x15153F},
                                          {f.otherAmount, kPlainWhite},
                                          {f.smallOut, 0x3F3F15},
                                          {f.mediumOut, 0x7F7F2A},
                                          {f.largeOut, 0xBFBF3F}}};
  std::int64_t sum = 0;
  for (const Amount& amount : amounts) {
    if (amount.value < 0) return {};
    sum += amount.value;
  }
  if (sum == 0) return {};
  std::vector<PieSlice> slices;
  int end = kTop;
  for (std::size_t i = 0; i < amounts.size(); ++i) {
    PieSlice slice;
    slice.fill = amounts[i].fill;
    slice.startDegree = end;
    end = i + 1 == amounts.size() ? kLastEnd : end + static_cast<int>(360 * std::int64_t{amounts[i].value} / sum);
    slice.endDegree = end;
    slice.points.push_back(centre);
    for (int degree = slice.startDegree; degree <= slice.endDegree; ++degree) {
      slice.points.push_back(PieRimPoint(centre, radius, degree));
    }
    slices.push_back(std::move(slice));
  }
  return slices;
}

}  // namespace tarvello
