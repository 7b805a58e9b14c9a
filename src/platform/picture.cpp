#include "platform/picture.h"

#include <QImageReader>
#include <QString>
#include <utility>

#include "base/program_folder.h"

namespace tarvello {

Picture Picture::Load(std::string_view name) {
  QImageReader reader(QString::fromStdString(ProgramPath(name)));
  reader.setDecideFormatFromContent(true);
  return FromImage(std::string(name), reader.read());
}

Picture Picture::FromImage(std::string name, QImage image) {
  Picture picture;
  picture.name_ = std::move(name);
  picture.image_ = std::move(image);
  return picture;
}

}  // namespace tarvello
