#pragma once
// The game and the desktop session (the X session management protocol, which Qt speaks for the
// program): a logout asks before the game is lost while the session manager allows questions,
// the game is kept for the session whenever the manager saves it, and a start by the manager for
// that session shows it again.

#include <QObject>
#include <QString>

class QSessionManager;

namespace trevak {

class MainWindow;

class SessionKeeper : public QObject {
    Q_OBJECT
public:
    explicit SessionKeeper(MainWindow &window);

    // When the session manager started the program for a saved session, shows the game kept for
    // it. A missing or unreadable record leaves the empty board, without a word.
    void restoreSession();

    // Where sessions keep their games, one file each: in the user's data folder, looked up only
    // when a session needs it.
    static QString folder();
    // The record of the session `id` with the key `key`; empty for names that could lead out of
    // the folder or are not what a session manager gives.
    static QString recordPath(const QString &folder, const QString &id, const QString &key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void askBeforeLogout(QSessionManager &manager);
    void keepGame(QSessionManager &manager);

    MainWindow &m_window;
    // The save request at whose logout the player said "Ne": that session keeps no game.
    QString m_discardedAtKey;
};

}  // namespace trevak
