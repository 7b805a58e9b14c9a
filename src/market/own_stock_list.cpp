#include "market/own_stock_list.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <string>
#include <unordered_map>

#include "market/own_list_file.h"
#include "storage/profile_file.h"

namespace tarvello {

namespace {

namespace lists = own_list_file;

// Serialises every list operation of the process: each reads NUMBER and the entries, then writes
// several of them, and another thread must not change the file in between.
std::mutex g_listMutex;

// How long a read of a list is trusted before the file's size and time are looked at again: a
// change made through this class is seen at once, a change by hand within this time.
constexpr std::chrono::milliseconds kRecheckAfter{200};

struct FileStamp {
  bool exists = false;
  std::filesystem::file_time_type written;
  std::uintmax_t size = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

FileStamp StampOf(const std::filesystem::path& file) {
  std::error_code error;
  FileStamp stamp;
  stamp.size = std::filesystem::file_size(file, error);
  if (error) return {};
  stamp.written = std::filesystem::last_write_time(file, error);
  stamp.exists = !error;
  return stamp;
}

// The last read of one list file, with its codes sorted for the membership test.
struct CachedList {
  bool valid = false;
  FileStamp stamp;
  std::chrono::steady_clock::time_point checked;
  std::vector<SecurityCode> codes;
  std::vector<SecurityCode> sorted;
};

// Guarded by g_listMutex.
std::unordered_map<std::string, CachedList> g_cache;

const CachedList& Fresh(const std::filesystem::path& file) {
  CachedList& cached = g_cache[file.native()];
  const auto now = std::chrono::steady_clock::now();
  if (cached.valid && now - cached.checked < kRecheckAfter) return cached;
  const FileStamp stamp = StampOf(file);
  if (!cached.valid || stamp != cached.stamp) {
    cached.codes = own_list_file::Read(file).codes;
    cached.sorted = cached.codes;
    std::sort(cached.sorted.begin(), cached.sorted.end());
    cached.stamp = stamp;
    cached.valid = true;
  }
  cached.checked = now;
  return cached;
}

void Forget(const std::filesystem::path& file) { g_cache[file.native()].valid = false; }

const SecurityCode kShanghaiComposite(u"SH000001");
const SecurityCode kShenzhenComponent(u"SZ399001");

// Drops the cached read of a list when a change to it ends, however it ends.
class ForgetOnExit {
 public:
  explicit ForgetOnExit(const std::filesystem::path& file) : file_(file) {}
  ~ForgetOnExit() { Forget(file_); }
  ForgetOnExit(const ForgetOnExit&) = delete;
  ForgetOnExit& operator=(const ForgetOnExit&) = delete;

 private:
  const std::filesystem::path& file_;
};

// The list as it stands, rewritten first in its dense form when the file was damaged, so that the
// key of every code is its index.
lists::Contents ReadDense(const std::filesystem::path& file) {
  lists::Contents contents = lists::Read(file);
  if (contents.readable && !contents.dense && lists::Rewrite(file, contents.codes)) {
    contents.dense = true;
  }
  return contents;
}

std::ptrdiff_t IndexOf(const lists::Contents& contents, const SecurityCode& code) {
  const auto found = std::find(contents.codes.begin(), contents.codes.end(), code);
  return found == contents.codes.end() ? -1 : found - contents.codes.begin();
}

bool WriteCode(const std::filesystem::path& file, std::size_t index, const SecurityCode& code) {
  return ProfileFile::WriteString(lists::kListSection, lists::CodeKey(index), code.text(), file);
}

}  // namespace

OwnStockList OwnStockList::SelfSelected(const std::filesystem::path& programFolder) {
  return OwnStockList(programFolder / "SelectStock.ini");
}

OwnStockList OwnStockList::RecentlyViewed(const std::filesystem::path& programFolder) {
  return OwnStockList(programFolder / "LastViewStock.ini");
}

std::vector<SecurityCode> OwnStockList::Codes() const {
  std::lock_guard<std::mutex> guard(g_listMutex);
  return Fresh(file_).codes;
}

void OwnStockList::Reread() const {
  std::lock_guard<std::mutex> guard(g_listMutex);
  Forget(file_);
}

bool OwnStockList::Contains(const SecurityCode& code) const {
  std::lock_guard<std::mutex> guard(g_listMutex);
  const std::vector<SecurityCode>& sorted = Fresh(file_).sorted;
  return std::binary_search(sorted.begin(), sorted.end(), code);
}

bool OwnStockList::Add(const SecurityCode& code) {
  std::lock_guard<std::mutex> guard(g_listMutex);
  const ForgetOnExit forget(file_);
  if (!code.IsWellFormed()) return false;
  const lists::Contents contents = ReadDense(file_);
  if (!contents.dense || IndexOf(contents, code) >= 0) return false;
  return lists::Append(file_, static_cast<int>(contents.codes.size()), code);
}

bool OwnStockList::Remove(const SecurityCode& code) {
  std::lock_guard<std::mutex> guard(g_listMutex);
  const ForgetOnExit forget(file_);
  const lists::Contents contents = ReadDense(file_);
  const std::ptrdiff_t found = IndexOf(contents, code);
  if (!contents.dense || found < 0) return false;
  const std::size_t index = static_cast<std::size_t>(found);
  const std::size_t count = contents.codes.size();
  if (count == 1) return lists::Rewrite(file_, {});
  // NUMBER first, then the entry goes; the last code, if it was not the one removed, fills the gap.
  if (!ProfileFile::WriteInt(lists::kNumberSection, lists::kNumberKey, static_cast<int>(count - 1),
                             file_) ||
      !ProfileFile::DeleteEntry(lists::kListSection, lists::CodeKey(index), u"delete", file_)) {
    return false;
  }
  const std::size_t last = count - 1;
  if (index == last) return true;
  return ProfileFile::DeleteEntry(lists::kListSection, lists::CodeKey(last), u"delete", file_) &&
         WriteCode(file_, index, contents.codes[last]);
}

bool OwnStockList::MoveUp(const SecurityCode& code) { return Move(code, true); }

bool OwnStockList::MoveDown(const SecurityCode& code) { return Move(code, false); }

bool OwnStockList::Move(const SecurityCode& code, bool up) {
  std::lock_guard<std::mutex> guard(g_listMutex);
  const ForgetOnExit forget(file_);
  const lists::Contents contents = ReadDense(file_);
  const std::ptrdiff_t found = IndexOf(contents, code);
  if (!contents.dense || found < 0) return false;
  const std::size_t index = static_cast<std::size_t>(found);
  if (up ? index == 0 : index + 1 >= contents.codes.size()) return false;
  const std::size_t neighbour = up ? index - 1 : index + 1;
  return WriteCode(file_, index, contents.codes[neighbour]) && WriteCode(file_, neighbour, code);
}

void OwnStockList::EnsureDefault() {
  std::error_code error;
  if (std::filesystem::exists(file_, error) || error) return;
  Add(kShanghaiComposite);
  Add(kShenzhenComponent);
}

bool OwnStockList::Remember(const SecurityCode& code) {
  std::lock_guard<std::mutex> guard(g_listMutex);
  const ForgetOnExit forget(file_);
  if (!code.IsWellFormed()) return false;
  const lists::Contents contents = ReadDense(file_);
  if (!contents.dense || IndexOf(contents, code) >= 0) return false;
  const std::size_t count = contents.codes.size();
  if (count < kRecentLimit) return lists::Append(file_, static_cast<int>(count), code);
  if (count > kRecentLimit) {
    std::vector<SecurityCode> newest(contents.codes.end() - (kRecentLimit - 1),
                                     contents.codes.end());
    newest.push_back(code);
    return lists::Rewrite(file_, newest);
  }
  // A full list shifts towards index 0 in place: the oldest code drops out at the top.
  bool written = true;
  for (std::size_t i = 0; i + 1 < count && written; ++i)
    written = WriteCode(file_, i, contents.codes[i + 1]);
  return written && WriteCode(file_, count - 1, code);
}

}  // namespace tarvello
