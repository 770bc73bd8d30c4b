#include "app/Startup.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

namespace trevak {

void describeApplication()
{
    QApplication::setApplicationName(QStringLiteral("Trevak"));
    QApplication::setApplicationVersion(QStringLiteral(TREVAK_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.example.Trevak"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/trevak.png")));
}

bool installQtTranslations(QTranslator &translator, const QLocale &locale)
{
    if (!translator.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QApplication::installTranslator(&translator);
}

}  // namespace trevak
