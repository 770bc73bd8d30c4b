// Trevak: the knight's tour on an 8x8 board.

#include "app/FrmTrevak.h"
#include "app/QtToolkit.h"
#include "app/Startup.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    trevak::describeApplication();
    QTranslator qtTranslations;
    trevak::installQtTranslations(qtTranslations, QLocale());

    trevak::QtToolkit toolkit;
    trevak::FrmTrevak window(toolkit);
    toolkit.setDialogParent(&window);
    window.show();
    return QApplication::exec();
}
