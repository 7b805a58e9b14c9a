// Qt's own texts in Simplified Chinese: the standard buttons of message boxes ("是", "否",
// "确定", "取消") and the other texts Qt draws itself, from the qtbase translation that the
// system's Qt translations package installs. Without it Qt's English texts stay.
// User-interface thread, once the application object exists.
#pragma once

#include <string>

class QTranslator;

namespace tarvello {

// Loads the translation into translator (which must outlive the application's use of it) and
// installs it; false, with what was missing in error, when the translation is not there.
bool InstallQtChinese(QTranslator& translator, std::string& error);

}  // namespace tarvello
