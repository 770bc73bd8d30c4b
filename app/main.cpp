// Trevak: the knight's tour on an 8x8 board.

#include "app/GamesFolder.h"
#include "app/MainWindow.h"
#include "app/QtPlatformServices.h"
#include "app/Startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    trevak::describeApplication();

    trevak::QtPlatformServices services;
    trevak::MainWindow window(services, trevak::savedGamesFolder());
    services.setDialogParent(&window);
    window.show();
    return QApplication::exec();
}
