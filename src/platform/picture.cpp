#include "platform/picture.h"

#include <QImageReader>
#include <QString>
#include <utility>

#include "base/program_folder.h"

namespace tarvello {

namespace {

QImage Read(const QString& path) {
  QImageReader reader(path);
  reader.setDecideFormatFromContent(true);
  return reader.read();
}

}  // namespace

// A program folder may hold no pictures of its own; the pictures shipped with the program (beside
// the executable, or in the installed data folder) then stand in.
Picture Picture::Load(std::string_view name) {
  QImage image = Read(QString::fromStdString(ProgramPath(name)));
  if (image.isNull()) image = Read(QString::fromStdString(ShippedPath(name)));
  return FromImage(std::string(name), std::move(image));
}

Picture Picture::FromImage(std::string name, QImage image) {
  Picture picture;
  picture.name_ = std::move(name);
  picture.image_ = std::move(image);
  return picture;
}

}  // namespace tarvello
