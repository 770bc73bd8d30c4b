// The baseline for the start-up figures: the least a Qt Widgets program with the game's
// window shape can do. A main window with a one-item menu and a 561 x 384 client area.

#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Prázdné okno"));
    QMenu *game = window.menuBar()->addMenu(QStringLiteral("&Hra"));
    QObject::connect(game->addAction(QStringLiteral("&Konec")), &QAction::triggered, &app,
                     &QApplication::quit);
    window.setCentralWidget(new QWidget(&window));
    window.resize(561, 384 + window.menuBar()->sizeHint().height());
    window.show();
    return QApplication::exec();
}
