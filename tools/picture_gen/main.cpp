// tarvello-pictures: draws every picture the terminal loads into a Picture folder, each in the
// format its name says (JPEG, BMP, PNG). Where this Qt has no JPEG writer the picture is written
// as PNG under its name; the terminal reads pictures by content, so it still shows. Every picture
// is read back after writing, so a picture the terminal could not load fails the build.
// With --icons it draws the program's desktop icon instead, one PNG per size in the hicolor layout.
// Usage: tarvello-pictures OUTPUT_DIR | tarvello-pictures --icons OUTPUT_DIR
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <cstdio>
#include <string_view>

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

// Reads path back the way the terminal does (by content) and checks its size.
bool ReadsBack(const QString& path, QSize size) {
  QImageReader reader(path);
  reader.setDecideFormatFromContent(true);
  return reader.read().size() == size;
}

bool WriteChecked(const QImage& image, const QString& path, QSize size) {
  return Write(image, path, FormatFor(path)) && ReadsBack(path, size);
}

int DrawIcons(const QDir& folder) {
  for (int side : tarvello::pictures::kAppIconSizes) {
    const QString size = QStringLiteral("%1x%1").arg(side);
    const QString apps = folder.filePath(QStringLiteral("hicolor/%1/apps").arg(size));
    const QString path = apps + QStringLiteral("/tarvello.png");
    if (!QDir().mkpath(apps) || !WriteChecked(tarvello::pictures::DrawAppIcon(QSize(side, side)), path, QSize(side, side))) {
      std::fprintf(stderr, "tarvello-pictures: cannot write %s\n", path.toLocal8Bit().constData());
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const bool icons = argc == 3 && std::string_view(argv[1]) == "--icons";
  if (argc != 2 && !icons) {
    std::fprintf(stderr, "usage: tarvello-pictures OUTPUT_DIR | tarvello-pictures --icons OUTPUT_DIR\n");
    return 2;
  }
  const char* output = argv[argc - 1];
  QDir folder(QString::fromLocal8Bit(output));
  if (!folder.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "tarvello-pictures: cannot create %s\n", output);
    return 1;
  }
  if (icons) return DrawIcons(folder);
  for (const auto& spec : tarvello::pictures::Catalogue()) {
    QString name = QString::fromLatin1(spec.file);
    QString path = folder.filePath(name);
    if (!WriteChecked(spec.draw(spec.size), path, spec.size)) {
      std::fprintf(stderr, "tarvello-pictures: cannot write %s\n", path.toLocal8Bit().constData());
      return 1;
    }
  }
  return 0;
}
