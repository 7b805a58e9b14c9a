#include "platform/screen_tour.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QSaveFile>
#include <QThread>
#include <QWidget>
#include <cstdio>
#include <utility>

namespace tarvello {
namespace {

// False when the time limit passed before the stop's data arrived.
bool WaitUntilReady(const std::function<bool()>& ready) {
  QElapsedTimer clock;
  clock.start();
  QApplication::processEvents();
  while (ready && !ready() && clock.elapsed() < ScreenTour::kDataTimeLimit.count()) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  // A paint may change what another widget shows (a screen naming itself in the title bar): a
  // few more rounds let those repaints land before the picture is taken.
  for (int round = 0; round < 3; ++round) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(10);
  }
  return !ready || ready();
}

bool SavePng(const QPixmap& picture, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (!picture.save(&file, "PNG")) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace

void ScreenTour::AddStop(std::string name, std::function<void()> enter,
                         std::function<bool()> ready) {
  stops_.push_back(Stop{std::move(name), std::move(enter), std::move(ready)});
}

int ScreenTour::Run(QWidget& target, const std::string& dir) const {
  QDir folder(QString::fromStdString(dir));
  if (!folder.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "tarvello: cannot create %s\n", dir.c_str());
    return -1;
  }
  int saved = 0;
  for (const Stop& stop : stops_) {
    if (stop.enter) stop.enter();
    if (!WaitUntilReady(stop.ready)) {
      std::fprintf(stderr, "tarvello: %s saved before its data arrived\n", stop.name.c_str());
    }
    QString path = folder.filePath(QString::fromStdString(stop.name) + QStringLiteral(".png"));
    if (!SavePng(target.grab(), path)) {
      std::fprintf(stderr, "tarvello: cannot write %s\n", path.toLocal8Bit().constData());
      return -1;
    }
    ++saved;
  }
  return saved;
}

}  // namespace tarvello
