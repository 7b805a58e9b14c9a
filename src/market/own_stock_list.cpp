#include "market/own_stock_list.h"

#include <algorithm>
#include <mutex>

#include "market/own_list_file.h"
#include "storage/profile_file.h"

namespace tarvello {

namespace {

namespace lists = own_list_file;

// Serialises every list operation of the process: each reads NUMBER and the entries, then writes
// several of them, and another thread must not change the file in between.
std::mutex g_listMutex;

const SecurityCode kShanghaiComposite(u"SH000001");
const SecurityCode kShenzhenComponent(u"SZ399001");

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
  return lists::Read(file_).codes;
}

bool OwnStockList::Contains(const SecurityCode& code) const {
  std::lock_guard<std::mutex> guard(g_listMutex);
  return IndexOf(lists::Read(file_), code) >= 0;
}

bool OwnStockList::Add(const SecurityCode& code) {
  std::lock_guard<std::mutex> guard(g_listMutex);
  if (!code.IsWellFormed()) return false;
  const lists::Contents contents = ReadDense(file_);
  if (!contents.dense || IndexOf(contents, code) >= 0) return false;
  return lists::Append(file_, static_cast<int>(contents.codes.size()), code);
}

bool OwnStockList::Remove(const SecurityCode& code) {
  std::lock_guard<std::mutex> guard(g_listMutex);
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
