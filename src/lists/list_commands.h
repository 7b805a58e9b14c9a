// The commands of the quote list's popup menu, by their menu identifiers.
#pragma once

namespace tarvello {

enum ListCommand : unsigned {
  kCmdSortVolume = 32854,
  kCmdSortAmount = 32855,
  kCmdServerOrder = 32852,
  kCmdDescending = 32857,
  kCmdAscending = 32858,
  kCmdBatch = 32862,
  kCmdBatchAdd = 32866,
  kCmdHome = 32774,
  kCmdOpenRow = 32776,
  kCmdAddSelfSelected = 32791,
  kCmdDeleteSelfSelected = 32794,
  kCmdSectorFunds = 32889,
  kCmdSectorIndustry = 32890,
  kCmdSectorConcept = 32891,
  kCmdSectorRegion = 32892,
  kCmdSectorFunds1 = 32893,
  kCmdSectorFunds5 = 32894,
  kCmdSectorFunds15 = 32895,
  kCmdAnalysis1 = 32898,
  kCmdAnalysis5 = 32899,
  kCmdAnalysis10 = 32900,
  kCmdAnalysis15 = 32901,
  kCmdBigOrderToday = 32907,
  kCmdFundToday = 32908,
  kCmdBigOrder3 = 32909,
  kCmdBigOrder10 = 32910,
  kCmdSortLatest = 32913,
  kCmdSortChangeRatio = 32914,
  kCmdSortChange = 32915,
  kCmdSortHigh = 32916,
  kCmdSortLow = 32917,
  kCmdSortTurnover = 32918,
  kCmdSortSpeed = 32919,
  kCmdSortPe = 32920,
  kCmdSortThreeDayChange = 32921,
  kCmdSortThreeDayTurnover = 32922,
  kCmdAlerts = 32930,
};

}  // namespace tarvello
