#include "platform/qt_chinese.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

#include "qt_test_app.h"

namespace tarvello {
namespace {

// The exit question and every other Yes/No box of the program show Chinese buttons.
TEST(QtChineseTest, MessageBoxButtonsReadInChinese) {
  testing::EnsureQtApp();
  QTranslator translator;
  std::string error;
  ASSERT_TRUE(InstallQtChinese(translator, error)) << error;
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tarvello"), QStringLiteral("?"),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
  EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith(QStringLiteral("是")))
      << box.button(QMessageBox::Yes)->text().toStdString();
  EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith(QStringLiteral("否")));
  EXPECT_TRUE(box.button(QMessageBox::Ok)->text().startsWith(QStringLiteral("确定")));
  EXPECT_TRUE(box.button(QMessageBox::Cancel)->text().startsWith(QStringLiteral("取消")));
  QCoreApplication::removeTranslator(&translator);
}

}  // namespace
}  // namespace tarvello
