#include "platform/qt_chinese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tarvello {

bool InstallQtChinese(QTranslator& translator, std::string& error) {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                       QStringLiteral("_"), folder)) {
    error = "Qt's Chinese translation (qtbase_zh_CN.qm) is not in " + folder.toStdString();
    return false;
  }
  QCoreApplication::installTranslator(&translator);
  return true;
}

}  // namespace tarvello
