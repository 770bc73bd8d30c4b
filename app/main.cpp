// Trevak: the knight's tour on an 8x8 board.

#include "app/FrmTrevak.h"
#include "app/QtToolkit.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trevak"));
    QApplication::setApplicationVersion(QStringLiteral(TREVAK_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.example.Trevak"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/trevak.png")));

    // The dialogs' standard buttons speak the desktop's language (Ano, Ne, Zrušit on a Czech one).
    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslations);

    trevak::QtToolkit toolkit;
    trevak::FrmTrevak window(toolkit);
    toolkit.setDialogParent(&window);
    window.show();
    return QApplication::exec();
}
