// The soak: one terminal walks every main-menu cell and the screens behind it by keys and taps,
// round after round, for TARVELLO_SOAK_MINUTES minutes (2 when unset), against the simulator
// through a proxy that in turn passes answers cleanly, delays them, garbles them, splits them into
// single bytes, cuts the connection and drops them, and restarts the simulator once a cycle. It
// samples the process now and then, prints the samples as a table, and fails when a screen stops
// answering, when the terminal asks to end, or when a sample past the warm-up breaks its bounds.
// `make soak MINUTES=N` runs it alone; `make test` runs it for the default two minutes.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "e2e/terminal_walk.h"
#include "protocol/comm_log.h"
#include "shell/menu_cells.h"
#include "text/text_codec.h"
#include "soak_probe.h"

namespace tarvello {
namespace {

using namespace std::chrono_literals;
using std::chrono::seconds;

// However long a fault holds an answer back, a screen in front settles within this.
constexpr std::chrono::milliseconds kAnswerWait = 120s;
// A user's pace: the events of a key or a tap run this long before the walk looks at the outcome.
constexpr std::chrono::milliseconds kStepPause = 250ms;
constexpr seconds kPhaseLength = 15s;

struct LinkPhase {
  const char* name;
  testing::Fault fault;
  bool restart;  // the simulator restarts as the phase begins
};

const std::array<LinkPhase, 7> kPhases = {{
    {"clean", {testing::Fault::kClean}, false},
    {"delay 700 ms", {testing::Fault::kDelay, 700ms}, false},
    {"garble", {testing::Fault::kGarble, 0ms, 17}, false},
    {"split", {testing::Fault::kSplit}, false},
    {"cut after 300 B", {testing::Fault::kCut, 0ms, 300}, false},
    {"drop", {testing::Fault::kStall}, false},
    {"server restart", {testing::Fault::kClean}, true},
}};

seconds SoakLength() {
  const char* minutes = std::getenv("TARVELLO_SOAK_MINUTES");
  const int value = minutes != nullptr ? std::atoi(minutes) : 0;
  return std::chrono::minutes(value > 0 ? value : 2);
}

class SoakWalk : public testing::TerminalWalk {
 protected:
  seconds Elapsed() const {
    return std::chrono::duration_cast<seconds>(std::chrono::steady_clock::now() - start_);
  }
  Window* InFront() { return terminal_->frame().current_screen(); }
  // The screen in front by its class and the title over it, for a failure to name it.
  std::string ScreenName() {
    return std::string(InFront()->metaObject()->className()) + " \"" + text::ToUtf8(terminal_->frame().title()) + "\"";
  }
  // After a step's pause, no navigation under way and a screen in front to take the next key.
  bool Settled() {
    testing::ProcessEventsUntil([] { return false; }, kStepPause);
    return testing::ProcessEventsUntil([&] { return InFront() != nullptr && !terminal_->Busy(); },
                                       kAnswerWait);
  }

  // Moves on to the next phase once the current one has lasted its length, restarting the
  // simulator for a phase that asks for it. False when the simulator did not come back.
  bool FollowPhase() {
    if (Elapsed() < phase_began_ + kPhaseLength) return true;
    phase_ = (phase_ + 1) % kPhases.size();
    phase_began_ = Elapsed();
    proxy_->SetFault(kPhases[phase_].fault);
    proxy_->ForgetRequests();  // the proxy keeps them for tests that read them; the soak does not
    if (!kPhases[phase_].restart) return true;
    // On a loaded machine the simulator may take longer than one wait to build its market.
    for (int attempt = 0; attempt < 3; ++attempt) {
      simulator_.reset();
      simulator_ = std::make_unique<testing::SimulatorProcess>(sim_folder_.path(), ports_);
      if (simulator_->WaitForPorts().has_value()) return true;
    }
    return false;
  }

  // Enters cell from the menu by keys, presses Down twice and Enter on the screen in front, taps
  // its middle and its menu button, then goes back to the menu with Esc. The step the terminal
  // did not answer; empty when it answered every one.
  std::string VisitCell(int cell) {
    const std::string where = "cell " + std::to_string(cell) + " (" + kPhases[phase_].name + "): ";
    CDlgMain* menu = terminal_->main_screen();
    if (!Settled()) return where + "the progress window stays over the menu";
    if (InFront() != menu) return where + "a screen came over the menu: " + ScreenName();
    EnterMenuCell(cell);
    if (!Settled()) return where + "Enter on the menu";
    if (InFront() != menu) ++screens_opened_;
    for (const KeyCode key : {kKeyDown, kKeyDown, kKeyEnter}) {
      InFront()->SendKey(key);
      if (!Settled()) return where + "a key on the screen it opened";
    }
    Window& screen = *InFront();
    testing::Tap(screen, {screen.width() / 2, screen.height() / 2});
    if (!Settled()) return where + "a tap in the middle";
    TapBarCell(*InFront(), 0);
    if (!Settled()) return where + "a tap on the menu button";
    for (int presses = 0; InFront() != menu; ++presses) {
      if (presses == 12) return where + "Esc does not lead back to the menu";
      InFront()->SendKey(kKeyBack);
      if (!Settled()) return where + "Esc";
    }
    return {};
  }

  void Sample(int rounds) {
    testing::SoakSample sample = testing::SampleThisProcess(Elapsed(), home_ / CommLog::kFileName);
    sample.rounds = rounds;
    sample.fault = kPhases[phase_].name;
    samples_.push_back(sample);
  }

  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::size_t phase_ = 0;
  seconds phase_began_{0};
  std::vector<testing::SoakSample> samples_;
  int screens_opened_ = 0;  // menu cells whose Enter brought another screen to the front
};

TEST_F(SoakWalk, EveryScreenKeepsAnsweringOnABadLinkAndNothingGrowsPastItsBound) {
  const seconds length = SoakLength();
  const seconds every = std::clamp<seconds>(length / 30, 5s, 120s);
  const seconds warm_up = length / 6;
  ASSERT_TRUE(StartSimulator());
  ASSERT_TRUE(StartTerminal());
  start_ = std::chrono::steady_clock::now();
  Sample(0);
  std::size_t baseline = SIZE_MAX;  // the first sample after the warm-up and a whole round
  std::string stuck;
  int rounds = 0;
  while (Elapsed() < length && stuck.empty() && !ended_) {
    for (int cell = 0; cell < kMenuCells && stuck.empty() && !ended_; ++cell) {
      if (!FollowPhase()) stuck = "the simulator did not restart";
      if (stuck.empty()) stuck = VisitCell(cell);
      if (Elapsed() < samples_.back().at + every) continue;
      Sample(rounds);
      if (baseline == SIZE_MAX && rounds > 0 && Elapsed() >= warm_up) baseline = samples_.size() - 1;
    }
    ++rounds;
  }
  Sample(rounds);
  std::printf("soak: %lld minutes, %d rounds of %d menu cells, %d of them opened a screen\n%s",
              static_cast<long long>(length.count() / 60), rounds, kMenuCells, screens_opened_,
              testing::SampleTable(samples_).c_str());
  EXPECT_EQ(stuck, "") << "the terminal stopped answering";
  EXPECT_FALSE(ended_) << "the terminal asked to end the program";
  for (const std::string& broken : testing::BrokenBounds(samples_, baseline)) ADD_FAILURE() << broken;
}

}  // namespace
}  // namespace tarvello
