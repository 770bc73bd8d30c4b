#pragma once
// What the program sets up before its window opens: its name, version and icon, and Qt's
// own translations so the dialogs' standard buttons speak the desktop's language.

#include <QLocale>

class QApplication;
class QTranslator;

namespace trevak {

void describeApplication();

// Installs Qt's translations for `locale` into the application; false when there are none.
bool installQtTranslations(QTranslator &translator, const QLocale &locale);

}  // namespace trevak
