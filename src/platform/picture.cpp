#include "platform/picture.h"

#include <QImageReader>
#include <QString>
#include <algorithm>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "base/program_folder.h"

namespace tarvello {

struct Picture::Decoded {
  QString path;  // the file it was read from; empty when it was made in memory
  QSize size;    // of the full picture

  std::mutex mutex;
  QImage full;                 // guarded by mutex; null once let go
  bool read_again = false;     // guarded by mutex; the file had to be read again: full stays
  std::vector<QImage> scaled;  // guarded by mutex; most recently drawn first
};

namespace {

QImage Read(const QString& path) {
  QImageReader reader(path);
  reader.setDecideFormatFromContent(true);
  return reader.read();
}

// The file a name is read from, and what tells one version of it from the next.
struct FileKey {
  std::string path;
  std::uintmax_t size = 0;
  std::filesystem::file_time_type time;
  friend auto operator<=>(const FileKey&, const FileKey&) = default;
};

std::optional<FileKey> KeyOf(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return std::nullopt;
  const std::filesystem::file_time_type time = std::filesystem::last_write_time(path, error);
  if (error) return std::nullopt;
  return FileKey{path, size, time};
}

std::mutex g_loaded_mutex;
std::map<FileKey, std::weak_ptr<Picture::Decoded>>& Loaded() {
  static auto* loaded = new std::map<FileKey, std::weak_ptr<Picture::Decoded>>;  // lives for the run
  return *loaded;
}

}  // namespace

// A program folder may hold no pictures of its own; the pictures shipped with the program (beside
// the executable, or in the installed data folder) then stand in.
Picture Picture::Load(std::string_view name) {
  Picture picture;
  picture.name_ = std::string(name);
  for (const std::string& path : {ProgramPath(name), ShippedPath(name)}) {
    const std::optional<FileKey> key = KeyOf(path);
    if (!key) continue;
    const std::lock_guard<std::mutex> lock(g_loaded_mutex);
    std::weak_ptr<Decoded>& slot = Loaded()[*key];
    picture.decoded_ = slot.lock();
    if (picture.decoded_ != nullptr) return picture;
    const QString file = QString::fromStdString(path);
    picture = FromImage(std::string(name), Read(file));
    if (picture.IsEmpty()) continue;
    picture.decoded_->path = file;
    slot = picture.decoded_;
    return picture;
  }
  return picture;
}

Picture Picture::FromImage(std::string name, QImage image) {
  Picture picture;
  picture.name_ = std::move(name);
  if (image.isNull()) return picture;
  picture.decoded_ = std::make_shared<Decoded>();
  picture.decoded_->size = image.size();
  picture.decoded_->full = std::move(image);
  return picture;
}

QImage Picture::ScaledTo(QSize pixels) const {
  if (decoded_ == nullptr || pixels.isEmpty()) return QImage();
  Decoded& decoded = *decoded_;
  const std::lock_guard<std::mutex> lock(decoded.mutex);
  for (auto it = decoded.scaled.begin(); it != decoded.scaled.end(); ++it) {
    if (it->size() != pixels) continue;
    std::rotate(decoded.scaled.begin(), it, it + 1);
    return decoded.scaled.front();
  }
  if (decoded.full.isNull()) {
    decoded.full = Read(decoded.path);
    decoded.read_again = true;
  }
  if (decoded.full.isNull()) return QImage();  // the file went away meanwhile
  QImage scaled = pixels == decoded.size ? decoded.full
                                         : decoded.full.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  decoded.scaled.insert(decoded.scaled.begin(), scaled);
  if (decoded.scaled.size() > kKeptSizes) decoded.scaled.pop_back();
  // A picture read from a file can be read again for a size it was not drawn at yet; one that had
  // to be is drawn at more sizes than it keeps, and keeps its full decoding from then on.
  if (!decoded.path.isEmpty() && !decoded.read_again) decoded.full = QImage();
  return scaled;
}

}  // namespace tarvello
