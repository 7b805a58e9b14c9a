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
  time.tm_year = 110;
  time.tm_mon = 4;
  time.tm_mday = 2;
  time.tm_hour = 9;
  time.tm_min = 5;
  time.tm_sec = 7;
  return time;
}

std::string Header(long position) {
  std::string number = std::to_string(position);
  return std::string(32 - number.size(), ' ') + number + " \r\n";
}

class CommLogTest : public ::testing::Test {
 protected:
  std::string File() const { return ReadBytes(folder_ / CommLog::kFileName); }

  testing::TempFolder folder_;
};

TEST_F(CommLogTest, FirstEntryCreatesHeaderSpaceLineEntryAndEndMarker) {
  CommLog log(folder_.path(), May2nd2010);
  log.Write("CCommunicate::Connect");
  const std::string entry = "2010-05-02 09:05:07: CCommunicate::Connect\r\n";
  EXPECT_EQ(File(), Header(38 + static_cast<long>(entry.size())) + " \r\n" + entry + "**End**\r\n");
  log.WriteNumber("Connect end %d", 12);
  const std::string second = "2010-05-02 09:05:07: Connect end 12\r\n";
  const long position = 38 + static_cast<long>(entry.size() + second.size());
  EXPECT_EQ(File(), Header(position) + " \r\n" + entry + second + "**End**\r\n");
}

TEST_F(CommLogTest, ExistingLogContinuesAtItsStatedPosition) {
  {
    CommLog log(folder_.path(), May2nd2010);
    log.Write("one");
  }
  CommLog reopened(folder_.path(), May2nd2010);
  reopened.Write("two");
  const std::string body = " \r\n2010-05-02 09:05:07: one\r\n2010-05-02 09:05:07: two\r\n";
  EXPECT_EQ(File(), Header(35 + static_cast<long>(body.size())) + body + "**End**\r\n");
}

TEST_F(CommLogTest, DamagedHeaderStartsAFreshPass) {
  WriteBytes(folder_ / CommLog::kFileName, "garbage that is not a header at all\r\nold\r\n");
  CommLog log(folder_.path(), May2nd2010);
  log.Write("x");
  const std::string entry = "2010-05-02 09:05:07: x\r\n";
  EXPECT_EQ(File().substr(0, 38 + entry.size() + 9),
            Header(38 + static_cast<long>(entry.size())) + " \r\n" + entry + "**End**\r\n");
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
  EXPECT_EQ(file.substr(0, 38), Header(38) + " \r\n");
  EXPECT_EQ(file.substr(38, 9), "**End**\r\n");
  EXPECT_EQ(file.size(), static_cast<std::size_t>(position + entry));

  log.Write("newest");
  file = File();
  const std::string newest = "2010-05-02 09:05:07: newest\r\n";
  EXPECT_EQ(file.substr(0, 38 + newest.size() + 9),
            Header(38 + static_cast<long>(newest.size())) + " \r\n" + newest + "**End**\r\n");
  EXPECT_EQ(file.size(), static_cast<std::size_t>(position + entry));
}

TEST_F(CommLogTest, UnopenableFileTurnsLoggingSilentlyOff) {
  CommLog log(folder_ / "missing-folder", May2nd2010);
  log.Write("nothing happens");
  log.Write("still nothing");
  EXPECT_FALSE(std::filesystem::exists(folder_ / "missing-folder"));
}

}  // namespace
}  // namespace tarvello
