// The catalogue of the program's pictures: every file the screens load from the Picture folder,
// with the size it is drawn at (twice the largest screen's need, so it stays sharp when stretched
// or scaled) and the function that draws it. The format follows the file's extension.
#pragma once

#include <QImage>
#include <QSize>
#include <vector>

namespace tarvello::pictures {

struct PictureSpec {
  const char* file;  // name inside the Picture folder, e.g. "back.jpg"
  QSize size;
  QImage (*draw)(QSize size);
};

std::vector<PictureSpec> Catalogue();

// Backgrounds, bars and buttons.
QImage DrawBack(QSize size);
QImage DrawKeyBar(QSize size);
QImage DrawLogo(QSize size);
QImage DrawToolBar(QSize size);
QImage DrawKeyBoard(QSize size);
QImage DrawSwitch(QSize size);
QImage DrawTabStrip(QSize size);
QImage DrawKLineMenu(QSize size);
QImage DrawStartupBar(QSize size);
QImage DrawBusyBar(QSize size);
QImage DrawDelete(QSize size);
QImage DrawCall(QSize size);
QImage DrawSeparator(QSize size);
// The twelve menu cells, index 0 to 11.
QImage DrawMenuIcon(int index, QSize size);
// The program's icon for the desktop menu, square.
QImage DrawAppIcon(QSize size);
// The sizes the desktop icon is drawn at, each into hicolor/NxN/apps/tarvello.png.
inline constexpr int kAppIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

}  // namespace tarvello::pictures
