#include "platform/prompter.h"

#include "platform/scripted_prompter.h"

namespace tarvello {
namespace {

Prompter* installed_prompter = nullptr;

}  // namespace

Prompter& ActivePrompter() {
  static ScriptedPrompter cautious;
  return installed_prompter != nullptr ? *installed_prompter : cautious;
}

void InstallPrompter(Prompter* prompter) { installed_prompter = prompter; }

}  // namespace tarvello
