#include "lists/batch_list_stock_dlg.h"

#include <QLineEdit>
#include <QString>
#include <algorithm>

#include "base/text_metrics.h"
#include "lists/batch_name_lookup.h"
#include "lists/list_request.h"
#include "market/own_stock_list.h"
#include "platform/qt_text.h"
#include "platform/prompter.h"

namespace tarvello {
namespace {

// The panel's own messages: the buttons post them, as a tap must not run a list change inside
// the pen handler; the worker posts kMsgNamesFound when names have come in.
constexpr int kMsgApply = 2029;
constexpr int kMsgClose = 2030;
constexpr int kMsgMarket = 2031;
constexpr int kMsgNamesFound = 0x8101;
// The worker re-arms a refresh timer after each exchange; the panel has nothing to refresh.
constexpr unsigned kLookupTimer = 3003;
constexpr int kFallbackRowHeight = 16;
constexpr const char* kEditStyle = "QLineEdit { background: white; color: black; border: 1px solid #6080a0; }";

}  // namespace

CBatchListStockDlg::CBatchListStockDlg(BatchPanelParts parts, QWidget* parent)
    : DataScreen(kLookupTimer, std::chrono::hours(1), nullptr, parent),
      parts_(std::move(parts)),
      edit_(new QLineEdit(this)),
      keypad_picture_(Picture::Load("Picture/KeyBoard.jpg")) {
  edit_->setMaxLength(static_cast<int>(SecurityCode::kCompleteLength));
  edit_->setStyleSheet(kEditStyle);
  edit_->hide();
  QObject::connect(edit_, &QLineEdit::returnPressed, this, [this] { CommitEdit(); });
  hide();
}

CBatchListStockDlg::~CBatchListStockDlg() { StopRefreshing(); }

void CBatchListStockDlg::Open(BatchEntry entry, const std::vector<BatchRow>& page, const Rect& area) {
  Close();
  if (parts_.selfSelected) model_.Fill(entry, page, *parts_.selfSelected);
  setGeometry(area.left, area.top, area.Width(), area.Height());
  show();
  raise();
  Invalidate();
  SoftKeysChanged();
}


BatchPanelLayout CBatchListStockDlg::Layout() const {
  int line = line_ > 0 ? line_ : SharedTextMetrics().LineHeight();
  if (line <= 0) line = kFallbackRowHeight;
  return BatchPanelLayout(width(), height(), line, model_.typing());
}

// Typed codes keep the newest item in sight; the check-box entries scroll by strokes.
int CBatchListStockDlg::FirstShownItem() const {
  const int count = static_cast<int>(model_.items().size());
  const int shown = Layout().VisibleRows();
  if (model_.typing()) return std::max(0, count - shown);
  return std::clamp(scroll_, 0, std::max(0, count - shown));
}

void CBatchListStockDlg::OnPenDown(Point at) { pen_down_ = at; }

void CBatchListStockDlg::OnPenUp(Point at) {
  const BatchPanelLayout layout = Layout();
  const int dy = at.y - pen_down_.y;
  if (!model_.typing() && layout.items.Contains(pen_down_) && std::abs(dy) >= layout.rowHeight) {
    const int shown = std::max(1, layout.VisibleRows());
    scroll_ = std::clamp(FirstShownItem() + (dy < 0 ? shown : -shown), 0,
                         std::max(0, static_cast<int>(model_.items().size()) - shown));
    Invalidate();
    return;
  }
  const Point tap = pen_down_;
  switch (layout.ButtonAt(tap)) {
    case BatchButton::kConfirm: PostMessage(kMsgApply, model_.typing() ? 1 : 0, 0); return;
    case BatchButton::kMarket: PostMessage(kMsgMarket, 0, 0); return;
    case BatchButton::kCancel: PostMessage(kMsgClose, 0, 0); return;
    case BatchButton::kNone: break;
  }
  if (const int key = layout.KeyAt(tap); key >= 0) {
    PressKey(key);
  } else if (const int row = layout.RowAt(tap); row >= 0) {
    TapItem(FirstShownItem() + row);
  }
}

// A tap on either cell of a row checks it, or, when typing, edits its code: only codes are typed.
void CBatchListStockDlg::TapItem(int item) {
  if (item < 0 || item >= static_cast<int>(model_.items().size())) return;
  if (!model_.typing()) {
    model_.Toggle(static_cast<std::size_t>(item));
    Invalidate();
    return;
  }
  OpenEdit(item);
}

void CBatchListStockDlg::PressKey(int key) {
  if (!model_.typing() || model_.items().empty()) return;
  if (edit_row_ < 0) OpenEdit(static_cast<int>(model_.items().size()) - 1);
  const std::u16string_view text = BatchPanelLayout::KeyText(key);
  if (text == kKeyCommit) {
    CommitEdit();
  } else if (text == kKeyBackspace) {
    edit_->backspace();
  } else {
    edit_->insert(QString::fromStdU16String(std::u16string(text)));  // refused past 8 characters
  }
  edit_->setFocus();
}

void CBatchListStockDlg::OpenEdit(int item) {
  CommitEdit();
  if (item < 0 || item >= static_cast<int>(model_.items().size())) return;
  const BatchPanelLayout layout = Layout();
  const Rect cell = layout.CodeCell(layout.Row(item - FirstShownItem()));
  edit_row_ = item;
  edit_->setGeometry(cell.left, cell.top, cell.Width(), cell.Height());
  edit_->setText(ToQString(model_.items()[static_cast<std::size_t>(item)].code));
  edit_->end(false);
  edit_->show();
  edit_->setFocus();
}

void CBatchListStockDlg::CommitEdit() {
  if (edit_row_ < 0) return;
  const auto item = static_cast<std::size_t>(edit_row_);
  edit_row_ = -1;
  edit_->hide();
  CommitCode(item, edit_->text().toStdU16String());
}

void CBatchListStockDlg::CommitCode(std::size_t item, std::u16string code) {
  if (model_.CommitCode(item, code)) {
    {
      std::lock_guard<std::mutex> lock(lookup_mutex_);
      asked_.push_back(Lookup{item, std::move(code), {}});
    }
    RequestRefresh(false);
  }
  Invalidate();
}

// The open edit box's prefix, or else the last item's code.
void CBatchListStockDlg::CycleMarket() {
  if (!model_.typing() || model_.items().empty()) return;
  if (edit_row_ >= 0) {
    edit_->setText(ToQString(NextMarketPrefix(edit_->text().toStdU16String())));
    edit_->end(false);
    edit_->setFocus();
    return;
  }
  const std::size_t last = model_.items().size() - 1;
  CommitCode(last, NextMarketPrefix(model_.items()[last].code));
}

bool CBatchListStockDlg::RunExchange() {
  std::vector<Lookup> asked;
  {
    std::lock_guard<std::mutex> lock(lookup_mutex_);
    asked.swap(asked_);
  }
  if (asked.empty()) return false;
  for (Lookup& lookup : asked) {
    const SecurityCode code(lookup.code);
    Bytes answer(kNameAnswerCapacity);
    const int received = parts_.exchange ? parts_.exchange(BuildSecurityQuery(code), answer) : -1;
    const std::size_t length = received > 0 ? std::min(static_cast<std::size_t>(received), answer.size()) : 0;
    lookup.name = NameInAnswer(answer.data(), length, code);
  }
  {
    std::lock_guard<std::mutex> lock(lookup_mutex_);
    for (Lookup& lookup : asked) found_.push_back(std::move(lookup));
  }
  PostMessage(kMsgNamesFound, 0, 0);
  return true;
}

void CBatchListStockDlg::OnTimer(unsigned id) { KillTimer(id); }

void CBatchListStockDlg::hideEvent(QHideEvent* event) {
  DataScreen::hideEvent(event);
  if (!isHidden()) Close();
}

void CBatchListStockDlg::OnMessage(const Message& message) {
  switch (message.id) {
    case kMsgApply: Confirm(); break;
    case kMsgClose: Close(); break;
    case kMsgMarket: CycleMarket(); break;
    case kMsgNamesFound: TakeNames(); break;
    default: break;
  }
}

void CBatchListStockDlg::TakeNames() {
  std::vector<Lookup> found;
  {
    std::lock_guard<std::mutex> lock(lookup_mutex_);
    found.swap(found_);
  }
  for (const Lookup& lookup : found) model_.SetName(lookup.index, lookup.code, lookup.name);
  Invalidate();
  if (apply_when_named_ && !model_.NamesPending()) Apply();
}

// A code still being looked up is waited for, so that it is added once its name is known.
void CBatchListStockDlg::Confirm() {
  if (isHidden()) return;
  CommitEdit();
  if (model_.NamesPending()) {
    apply_when_named_ = true;
    return;
  }
  Apply();
}

void CBatchListStockDlg::Apply() {
  const BatchOutcome outcome = parts_.selfSelected ? model_.Apply(*parts_.selfSelected) : BatchOutcome{model_.entry(), 0};
  Close();
  if (const std::optional<std::u16string> text = BatchMessage(outcome)) {
    ActivePrompter().MessageBox(*text, u"批量管理自选", PromptButtons::kOk);
  }
  if (parts_.applied) parts_.applied(outcome);
}

void CBatchListStockDlg::Close() {
  edit_row_ = -1;
  edit_->hide();
  model_.Clear();
  scroll_ = 0;
  apply_when_named_ = false;
  {
    std::lock_guard<std::mutex> lock(lookup_mutex_);
    asked_.clear();
    found_.clear();
  }
  hide();
  SoftKeysChanged();
}

// Enter is the edit box's own (it takes the typed code); the soft keys are the panel's buttons.
void CBatchListStockDlg::OnKeyDown(KeyCode key) {
  if (key == kKeySoftLeft) {
    PostMessage(kMsgApply, model_.typing() ? 1 : 0, 0);
  } else if (key == kKeySoftRight || key == kKeyBack) {
    PostMessage(kMsgClose, 0, 0);
  } else if (key >= '0' && key <= '9' && model_.typing() && !model_.items().empty()) {
    if (edit_row_ < 0) OpenEdit(static_cast<int>(model_.items().size()) - 1);
    edit_->insert(QString(QChar(static_cast<char16_t>(key))));
  }
}

}  // namespace tarvello
