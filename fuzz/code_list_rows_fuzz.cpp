// Feeds arbitrary bytes as the answer of the background alert check: the code-list rows are read,
// every row is checked against alerts of each condition and the fired alerts' texts are built.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "market/alert_crossing.h"
#include "market/code_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvello;
  std::vector<QuoteRow> rows;
  ReadCodeListRows(data, size, rows);
  std::vector<Alert> alerts;
  for (const QuoteRow& row : rows) {
    for (int condition = 0; condition < kAlertConditionCount; ++condition) {
      alerts.push_back({row.code, static_cast<AlertCondition>(condition), 1});
    }
  }
  AlertCrossings crossings;
  for (const AlertFiring& firing : crossings.Check(alerts, rows)) AlertMessage(firing);
  return 0;
}
