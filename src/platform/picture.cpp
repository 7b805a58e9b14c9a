#include "platform/picture.h"

#include <QCoreApplication>
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

// A program folder chosen with --home may hold no pictures of its own; the pictures installed
// beside the executable then stand in.
Picture Picture::Load(std::string_view name) {
  QImage image = Read(QString::fromStdString(ProgramPath(name)));
  if (image.isNull() && QCoreApplication::instance() != nullptr) {
    image = Read(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                 QString::fromStdString(std::string(name)).replace(QLatin1Char('\\'), QLatin1Char('/')));
  }
  return FromImage(std::string(name), std::move(image));
}

Picture Picture::FromImage(std::string name, QImage image) {
  Picture picture;
  picture.name_ = std::move(name);
  picture.image_ = std::move(image);
  return picture;
}

}  // namespace tarvello
