// ProgressDialPresenter: what the dial flow shows, on the shared progress window and through the
// active prompter. The dial flow runs on an exchanging worker; every call is carried over to the
// user-interface thread and waited for.
// Thread-safe.
#pragma once

#include <string>

#include "app/ui_thread_call.h"
#include "platform/prompter.h"
#include "protocol/network_bringup.h"
#include "shell/progress_dlg.h"

namespace tarvello {

class ProgressDialPresenter : public DialPresenter {
 public:
  ProgressDialPresenter(CDlgFlag& progress, UiThreadCall& ui) : progress_(progress), ui_(ui) {}

  void ShowProgress(std::u16string_view text) override {
    OnUi([this, copy = std::u16string(text)] {
      progress_.SetForm(ProgressForm::kDialling);
      progress_.SetText(copy);
      progress_.show();
      progress_.raise();
    });
  }
  void SetProgressText(std::u16string_view text) override {
    OnUi([this, copy = std::u16string(text)] { progress_.SetText(copy); });
  }
  void HideProgress() override {
    OnUi([this] { progress_.hide(); });
  }
  void ShowMessage(std::u16string_view text, std::u16string_view caption) override {
    OnUi([copy = std::u16string(text), title = std::u16string(caption)] {
      ActivePrompter().MessageBox(copy, title, PromptButtons::kOk);
    });
  }

 private:
  template <typename Work>
  void OnUi(Work work) {
    ui_.Run([work = std::move(work)]() mutable {
      work();
      return true;
    }, false);
  }

  CDlgFlag& progress_;
  UiThreadCall& ui_;
};

}  // namespace tarvello
