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

void useCzechQtTexts()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const QLocale czech(QLocale::Czech, QLocale::Czechia);
    QLocale::setDefault(czech);
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(czech, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

}  // namespace trevak
