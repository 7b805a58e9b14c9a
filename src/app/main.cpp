// The terminal's entry point: a window showing the handheld's screen.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Tarvello"));
  window.resize(480, 640);
  window.show();
  return QApplication::exec();
}
