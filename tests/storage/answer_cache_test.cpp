#include "storage/answer_cache.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/temp_folder.h"

namespace tarvello {
namespace {

using Clock = std::chrono::system_clock;

Clock::time_point At(int seconds) { return Clock::time_point(std::chrono::seconds(1'700'000'000 + seconds)); }
std::vector<std::uint8_t> Answer(std::string_view text) { return {text.begin(), text.end()}; }
CacheEntry Entry(std::string key, int seconds, std::string_view text) { return {std::move(key), At(seconds), Answer(text)}; }

class AnswerCacheTest : public ::testing::Test {
 protected:
  testing::TempFolder folder_;
  std::filesystem::path path_ = folder_ / kAnswerCacheFileName;
};

// A key's newest answer comes back from the file with its moment; Clear drops entries and file.
TEST_F(AnswerCacheTest, TheNewestAnswerOfAKeyComesBackUntilClearedAndTheOldestGoFirst) {
  {
    AnswerCache cache(path_);
    cache.Put("detail SH600001", Answer("{old}"), At(1));
    cache.Put("kline SH600001 7 0", Answer("{bars}"), At(2));
    cache.Put("detail SH600001", Answer("{new}"), At(3));
    EXPECT_TRUE(cache.Save());
  }
  AnswerCache reread(path_);
  EXPECT_EQ(reread.Find("detail SH600001"), Entry("detail SH600001", 3, "{new}"));
  EXPECT_EQ(reread.Find("kline SH600001 7 0"), Entry("kline SH600001 7 0", 2, "{bars}"));
  EXPECT_FALSE(reread.Find("detail SH600002"));
  EXPECT_TRUE(reread.Clear());
  EXPECT_FALSE(reread.Find("detail SH600001") || std::filesystem::exists(path_) || reread.Size() != 0);
  // The oldest go first, and what cannot fit is not kept.
  const std::size_t record = CacheRecordSize(Entry("a", 0, "0123456789"));
  AnswerCache cache(path_, 3 * record);
  for (const auto& [key, seconds] : {std::pair{"a", 5}, {"b", 1}, {"c", 9}, {"d", 7}}) {
    cache.Put(key, Answer("0123456789"), At(seconds));
  }
  EXPECT_FALSE(cache.Find("b")) << "the oldest moment went";
  cache.Put("e", std::vector<std::uint8_t>(3 * record), At(10));
  cache.Put("", Answer("x"), At(11));
  cache.Put(std::string(kMaxCacheKeyLength + 1, 'k'), Answer("x"), At(11));
  EXPECT_TRUE(!cache.Find("e") && cache.Find("a") && cache.Find("c") && cache.Find("d"));
  ASSERT_TRUE(cache.Save());
  EXPECT_EQ(AnswerCache(path_, 2 * record).Size(), 2 * record) << "a smaller bound holds when reading";
}

// The put that finds no write for a spacing has the cache's own thread write the file, and the
// cache's end waits for that write: the file holds the answer without a call to Save.
TEST_F(AnswerCacheTest, AWriteAPutMakesDueReachesTheFileWithoutSave) {
  for (int round = 0; round < 20; ++round) {
    std::filesystem::remove(path_);
    {
      AnswerCache cache(path_);
      cache.Put("detail SH600001", Answer("{due}"), At(round));
    }
    EXPECT_EQ(AnswerCache(path_).Find("detail SH600001"), Entry("detail SH600001", round, "{due}"));
  }
}

// Each damage of a file with three records, and the keys that must still read.
TEST_F(AnswerCacheTest, ADamagedRecordIsDroppedAndTheOthersStay) {
  const std::vector<CacheEntry> entries{Entry("a", 1, "{first}"), Entry("b", 2, "{second}"), Entry("c", 3, "{third}")};
  const std::size_t b = 8 + CacheRecordSize(entries[0]);  // where b's record starts, after the header
  const struct {
    const char* name;
    std::function<void(std::string&)> damage;
    std::vector<std::string> kept;
  } cases[] = {
      {"a byte of b's answer", [&](std::string& f) { f[b + 17] ^= 1; }, {"a", "c"}},
      {"b's check", [&](std::string& f) { f[b + CacheRecordSize(entries[1]) - 1] ^= 1; }, {"a", "c"}},
      {"cut inside c", [](std::string& f) { f.resize(f.size() - 3); }, {"a", "b"}},
      {"b's length past the end", [&](std::string& f) { f[b + 3] = '\x7F'; }, {"a"}},
      {"a foreign header", [](std::string& f) { f[0] = 'X'; }, {}},
  };
  for (const auto& c : cases) {
    std::string file = EncodeCacheFile(entries);
    c.damage(file);
    testing::WriteBytes(path_, file);
    const AnswerCache cache(path_);
    std::vector<std::string> kept;
    for (const CacheEntry& entry : entries) {
      if (cache.Find(entry.key) == entry) kept.push_back(entry.key);
    }
    EXPECT_EQ(kept, c.kept) << c.name;
  }
}

}  // namespace
}  // namespace tarvello
