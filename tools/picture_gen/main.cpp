// tarvello-pictures: draws every picture the terminal loads into a Picture folder, each in the
// format its name says (JPEG, BMP, PNG). Where this Qt has no JPEG writer the picture is written
// as PNG under its name; the terminal reads pictures by content, so it still shows.
// Usage: tarvello-pictures OUTPUT_DIR
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>
#include <cstdio>

#include "catalogue.h"

namespace {

QByteArray FormatFor(const QString& file) {
  QString suffix = QFileInfo(file).suffix().toLower();
  if (suffix == QLatin1String("jpg")) return "jpeg";
  return suffix.toLatin1();
}

bool Write(const QImage& image, const QString& path, QByteArray format) {
  if (!QImageWriter::supportedImageFormats().contains(format)) {
    std::fprintf(stderr, "tarvello-pictures: no %s writer, %s written as PNG\n",
                 format.constData(), path.toLocal8Bit().constData());
    format = "png";
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  QImageWriter writer(&file, format);
  if (format == "jpeg") writer.setQuality(92);
  QImage output = format == "png" ? image : image.convertToFormat(QImage::Format_RGB32);
  if (!writer.write(output)) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: tarvello-pictures OUTPUT_DIR\n");
    return 2;
  }
  QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "tarvello-pictures: cannot create %s\n", argv[1]);
    return 1;
  }
  for (const auto& spec : tarvello::pictures::Catalogue()) {
    QString name = QString::fromLatin1(spec.file);
    QString path = folder.filePath(name);
    if (!Write(spec.draw(spec.size), path, FormatFor(name))) {
      std::fprintf(stderr, "tarvello-pictures: cannot write %s\n", path.toLocal8Bit().constData());
      return 1;
    }
  }
  return 0;
}
