// Feeds arbitrary bytes to the batch panel as a name answer for a typed code, and as text typed
// into a code cell: the name reader, the market prefix cycle and the typed-code rules.
#include <cstddef>
#include <cstdint>
#include <string>

#include "lists/batch_name_lookup.h"
#include "lists/batch_panel_model.h"
#include "market/own_stock_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvello;
  const SecurityCode asked(u"SH600001");
  const std::u16string name = NameInAnswer(data, size, asked);

  std::u16string typed;
  for (std::size_t i = 0; i + 1 < size && typed.size() < 16; i += 2) {
    typed.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
  }
  // The list file is never written: nothing typed is applied.
  const OwnStockList list("/nonexistent/batch-fuzz/SelectStock.ini");
  BatchPanelModel model;
  model.Fill(BatchEntry::kTypeCodes, {}, list);
  if (model.CommitCode(0, NextMarketPrefix(typed))) model.SetName(0, NextMarketPrefix(typed), name);
  model.CommitCode(0, typed);
  return 0;
}
