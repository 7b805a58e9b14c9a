#include "storage/path_lock.h"

#include <map>
#include <memory>
#include <string>

namespace tarvello {

std::mutex& PathLock(const std::filesystem::path& path) {
  static std::mutex registry_mutex;
  // Guarded by registry_mutex; entries are never removed, so references stay valid.
  static std::map<std::string, std::unique_ptr<std::mutex>> locks;
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) absolute = path;
  const std::string key = absolute.lexically_normal().string();
  std::lock_guard<std::mutex> guard(registry_mutex);
  std::unique_ptr<std::mutex>& lock = locks[key];
  if (!lock) lock = std::make_unique<std::mutex>();
  return *lock;
}

}  // namespace tarvello
