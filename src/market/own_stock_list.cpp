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

// One list file's lock and last read. The lock serialises every operation on that file: each
// reads NUMBER and the entries, then writes several of them, and another thread must not change
// or read the file in between. Files have a lock each, so that a screen asking whether a code is
// self-selected never waits for the recently viewed list being written and flushed.
struct ListFile {
  std::mutex mutex;
  CachedList cached;  // guarded by mutex
};

// A file's state lives for the process: the map only grows, by the few files the lists use, and
// its nodes never move, so a reference stays valid once the map's own lock is let go.
ListFile& ListFileOf(const std::filesystem::path& file) {
  static std::mutex map_mutex;
  static std::unordered_map<std::string, ListFile> files;
  const std::lock_guard<std::mutex> guard(map_mutex);
  return files[file.native()];
}

// Called with list.mutex held.
const CachedList& Fresh(ListFile& list, const std::filesystem::path& file) {
  CachedList& cached = list.cached;
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

const SecurityCode kShanghaiComposite(u"SH000001");
const SecurityCode kShenzhenComponent(u"SZ399001");

// Holds a list file's lock for one change and drops its cached read when the change ends,
// however it ends.
class ListChange {
 public:
  explicit ListChange(const std::filesystem::path& file) : list_(ListFileOf(file)), guard_(list_.mutex) {}
  ~ListChange() { list_.cached.valid = false; }
  ListChange(const ListChange&) = delete;
  ListChange& operator=(const ListChange&) = delete;

 private:
  ListFile& list_;
  const std::lock_guard<std::mutex> guard_;
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

// read on the list as it stands, after any change still waiting and under the file's lock.
template <typename Read>
auto OwnStockList::ReadFresh(Read read) const {
  if (settle_) settle_();
  ListFile& list = ListFileOf(file_);
  const std::lock_guard<std::mutex> guard(list.mutex);
  return read(Fresh(list, file_));
}

std::vector<SecurityCode> OwnStockList::Codes() const {
  return ReadFresh([](const CachedList& list) { return list.codes; });
}

void OwnStockList::Reread() const { const ListChange change(file_); }

bool OwnStockList::Contains(const SecurityCode& code) const {
  return ReadFresh([&code](const CachedList& list) {
    return std::binary_search(list.sorted.begin(), list.sorted.end(), code);
  });
}

bool OwnStockList::Add(const SecurityCode& code) {
  const ListChange change(file_);
  if (!code.IsWellFormed()) return false;
  const lists::Contents contents = ReadDense(file_);
  if (!contents.dense || IndexOf(contents, code) >= 0) return false;
  return lists::Append(file_, static_cast<int>(contents.codes.size()), code);
}

bool OwnStockList::Remove(const SecurityCode& code) {
  const ListChange change(file_);
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
  const ListChange change(file_);
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
  const ListChange change(file_);
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
