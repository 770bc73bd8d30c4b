// Trevak: the knight's tour on an 8x8 board.

#include "app/CommandLine.h"
#include "app/GamesFolder.h"
#include "app/MainWindow.h"
#include "app/QtPlatformServices.h"
#include "app/SessionKeeper.h"
#include "app/Startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (trevak::answerHelpOrVersion(argc, argv))
        return 0;
    QApplication app(argc, argv);
    trevak::describeApplication();
    trevak::refuseUnknownArguments();

    trevak::QtPlatformServices services;
    trevak::MainWindow window(services, trevak::savedGamesFolder());
    services.setDialogParent(&window);
    trevak::SessionKeeper session(window);
    session.restoreSession();
    window.show();
    return QApplication::exec();
}
