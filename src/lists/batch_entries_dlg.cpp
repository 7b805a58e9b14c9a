// The quote list's side of the batch panel: opening it over the page shown for one of the batch
// entries, and handing the outcome to the model once the panel has written the self-selected list.
#include <memory>

#include "lists/batch_list_stock_dlg.h"
#include "lists/batch_panel_layout.h"
#include "lists/batch_panel_model.h"
#include "lists/stock_list_dlg.h"
#include "market/own_stock_list.h"

namespace tarvello {

void CStockListDlg::OpenBatchPanel(unsigned command) {
  const ListQuery q = model_.query();
  const std::optional<BatchEntry> entry = BatchEntryFor(command, q.mode);
  if (!entry || !parts_.selfSelected) return;
  if (batch_ == nullptr) {
    BatchPanelParts panel{parts_.exchange, parts_.selfSelected,
                          [this](const BatchOutcome& outcome) { AfterBatch(outcome); }};
    batch_ = new CBatchListStockDlg(std::move(panel), this);
  }
  const std::shared_ptr<const ListView> view = model_.view();
  std::vector<BatchRow> page;
  if (q.mode == kModeFutures) {
    for (const FuturesRow& row : view->rows.futures) page.push_back({row.code, row.name});
  } else {
    for (const QuoteRow& row : view->rows.quotes) page.push_back({row.code, row.name});
  }
  batch_->Open(*entry, page, BatchPanelArea(width(), height(), Layout().line));
}

void CStockListDlg::AfterBatch(const BatchOutcome& outcome) {
  model_.AfterBatch(outcome);
  Follow();
}

}  // namespace tarvello
