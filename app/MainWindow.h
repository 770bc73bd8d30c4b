#pragma once
// The main window: the board, the move counter, the gauge, the history buttons and the menus.
// It holds the game, hands each event to it and then shows what the game says.

#include "app/AboutWindow.h"
#include "app/SaveLoadDialogs.h"
#include "game/Game.h"

#include <QMainWindow>
#include <QPointer>
#include <array>

class QAction;
class QLabel;
class QPushButton;

namespace trevak {

class Announcer;
class GaugeWidget;
class PlatformServices;
class SquareWidget;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Saved games are written to and first looked for in `gamesFolder`; with none, saving is
    // refused with a message.
    MainWindow(PlatformServices &services, const QString &gamesFolder, QWidget *parent = nullptr);
    ~MainWindow() override;

    const Game &game() const { return m_game; }
    SquareWidget *square(int square) const { return m_squares[square - 1]; }
    QLabel *moveCounter() const { return m_moveCounter; }
    QLabel *percentLabel() const { return m_percentLabel; }
    GaugeWidget *gauge() const { return m_gauge; }
    QPushButton *backButton() const { return m_backButton; }
    QPushButton *forwardButton() const { return m_forwardButton; }
    QAction *saveAction() const { return m_saveAction; }
    AboutWindow *aboutWindow() const { return m_about; }
    Announcer *announcer() const { return m_announcer; }

    // For the desktop session: the offer to save before a logout, which Cancel stops; a game the
    // session kept; and the session's end, which asks nothing more.
    Answer offerToSaveBeforeLogout();
    void showKeptGame(const GameState &state);
    void endWithSession();

public slots:
    void onSquareClicked(int square);
    void stepBack();
    void stepForward();
    void startNewGame();
    void saveGame();
    void loadGame();
    void leave();
    void showHelp();
    void showAbout();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildBoard(QWidget *client);
    void buildSidePanel(QWidget *client);
    void buildMenus();
    void setTabOrder();
    void moveFocus(int square, int rowStep, int columnStep);
    // The square Tab enters the board on: the knight's, or A1.
    SquareWidget *boardEntry() const;
    // The board is one stop for Tab: the square with the focus while the focus is on the board,
    // else the board's entry.
    void updateBoardTabStop();
    void onFocusChanged(QWidget *now);
    // After a dialog: this window active again, the focus where the player left it.
    void restoreFocus();
    // Where the knight stands and which step is shown, for a screen reader.
    void announcePosition();
    // Brings every control in line with the game; touches only what changed.
    void refresh();

    PlatformServices &m_services;
    Game m_game;
    SaveLoadDialogs m_dialogs;
    bool m_leaving = false;

    std::array<SquareWidget *, kSquareCount> m_squares {};
    GaugeWidget *m_gauge = nullptr;
    QLabel *m_moveCounter = nullptr;
    QLabel *m_percentLabel = nullptr;
    QPushButton *m_backButton = nullptr;
    QPushButton *m_forwardButton = nullptr;
    QAction *m_saveAction = nullptr;
    Announcer *m_announcer = nullptr;
    SquareWidget *m_tabStop = nullptr;
    QPointer<QWidget> m_lastFocus;
    QPointer<AboutWindow> m_about;
};

}  // namespace trevak
