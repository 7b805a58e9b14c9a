#include "platform/phone_dialer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "platform/qt_test_app.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

constexpr char16_t kHostile[] = u"0\"; touch pwned; $(touch pwned) `touch pwned` | x";

TEST(CommandDialerTest, TheNumberIsOneArgumentAfterTheCommandsOwnWords) {
  const struct {
    std::u16string_view command;
    std::vector<std::u16string> line;
  } cases[] = {
      {u"dial", {u"dial", kHostile}},
      {u"  /usr/bin/dial \t--ask  now ", {u"/usr/bin/dial", u"--ask", u"now", kHostile}},
      {u"", {}},
      {u"   ", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(CommandDialer(c.command).CommandLine(kHostile), c.line);
}

// The dialer runs a real program that writes down its arguments: the number arrives whole, and
// nothing in it runs.
TEST(CommandDialerTest, AProgramReceivesTheNumberUnchangedAndNoShellRunsIt) {
  testing::QtApp app;
  testing::TempFolder folder;
  const std::filesystem::path script = folder / "dial.sh";
  const std::filesystem::path out = folder / "arguments";
  testing::WriteBytes(script, "#!/bin/sh\ncd \"$(dirname \"$0\")\"\nprintf '%s\\n' \"$#\" \"$@\" > arguments.new\nmv arguments.new arguments\n");
  ASSERT_EQ(::chmod(script.c_str(), 0755), 0);
  CommandDialer dialer(std::u16string(script.u16string()) + u" --ask");
  ASSERT_TRUE(dialer.Dial(kHostile));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!std::filesystem::exists(out) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_EQ(testing::ReadBytes(out),
            "2\n--ask\n0\"; touch pwned; $(touch pwned) `touch pwned` | x\n");
  EXPECT_FALSE(std::filesystem::exists(folder / "pwned"));
}

TEST(CommandDialerTest, AMissingProgramOrCommandDialsNothing) {
  testing::QtApp app;
  EXPECT_FALSE(CommandDialer(u"/nonexistent/tarvello-dialer").Dial(u"1"));
  EXPECT_FALSE(CommandDialer(u"").Dial(u"1"));
}

}  // namespace
}  // namespace tarvello
