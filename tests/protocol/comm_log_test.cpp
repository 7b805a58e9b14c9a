// The communication log's file: a header stating where the next entry goes, entries behind it,
// an end marker, and a ring that wraps behind the header past its limit.
#include "protocol/comm_log.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_folder.h"

namespace tarvello {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

std::tm May2nd2010() {
  std::tm time{};
  time.tm_year = 110, time.tm_mon = 4, time.tm_mday = 2;
  time.tm_hour = 9, time.tm_min = 5, time.tm_sec = 7;
  return time;
}

std::string Entry(const std::string& message) { return "2010-05-02 09:05:07: " + message + "\r\n"; }

// A file of one pass: the header with the next entry's position, the entries, the end marker.
std::string Pass(const std::string& entries) {
  const std::string position = std::to_string(38 + entries.size());
  return std::string(32 - position.size(), ' ') + position + " \r\n \r\n" + entries + "**End**\r\n";
}

class CommLogTest : public ::testing::Test {
 protected:
  std::string File() const { return ReadBytes(folder_ / CommLog::kFileName); }

  testing::TempFolder folder_;
};

TEST_F(CommLogTest, EntriesGoBehindTheHeaderAReopenedLogContinuesAndADamagedOneStartsAfresh) {
  {
    CommLog log(folder_.path(), May2nd2010);
    log.Write("CCommunicate::Connect");
    EXPECT_EQ(File(), Pass(Entry("CCommunicate::Connect")));
    log.WriteNumber("Connect end %d", 12);
    EXPECT_EQ(File(), Pass(Entry("CCommunicate::Connect") + Entry("Connect end 12")));
  }
  CommLog reopened(folder_.path(), May2nd2010);
  reopened.Write("two");
  EXPECT_EQ(File(), Pass(Entry("CCommunicate::Connect") + Entry("Connect end 12") + Entry("two")));
  // A damaged header starts a fresh pass; a file that cannot be opened turns logging silently off.
  WriteBytes(folder_ / CommLog::kFileName, "garbage that is not a header at all\r\nold\r\n");
  CommLog log(folder_.path(), May2nd2010);
  log.Write("x");
  EXPECT_EQ(File().substr(0, Pass(Entry("x")).size()), Pass(Entry("x")));
  CommLog nowhere(folder_ / "missing-folder", May2nd2010);
  nowhere.Write("nothing happens");
  EXPECT_FALSE(std::filesystem::exists(folder_ / "missing-folder"));
}

TEST_F(CommLogTest, RingWrapsBehindTheHeaderAfterPassingTheLimit) {
  CommLog log(folder_.path(), May2nd2010);
  const std::string message(90, 'm');
  const long entry = 21 + 90 + 2;
  long position = CommLog::kFirstEntry;
  while (position + entry <= CommLog::kRingLimit) {
    log.Write(message);
    position += entry;
  }
  log.Write(message);  // ends beyond the limit and stays at the tail
  std::string file = File();
  EXPECT_EQ(file.substr(0, 47), Pass(""));
  EXPECT_EQ(file.size(), static_cast<std::size_t>(position + entry));

  log.Write("newest");
  file = File();
  EXPECT_EQ(file.substr(0, Pass(Entry("newest")).size()), Pass(Entry("newest")));
  EXPECT_EQ(file.size(), static_cast<std::size_t>(position + entry));
}

}  // namespace
}  // namespace tarvello
