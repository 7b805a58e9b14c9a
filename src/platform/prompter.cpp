#include "platform/prompter.h"

#include "platform/scripted_prompter.h"

namespace tarvello {
namespace {

Prompter* installed = nullptr;

}  // namespace

Prompter& ActivePrompter() {
  static ScriptedPrompter cautious;
  return installed != nullptr ? *installed : cautious;
}

void InstallPrompter(Prompter* prompter) { installed = prompter; }

}  // namespace tarvello
