#include "app/SessionKeeper.h"

#include "app/MainWindow.h"
#include "app/PlatformServices.h"
#include "storage/SavedGameWriter.h"
#include "storage/SessionRecord.h"

#include <QDir>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QSessionManager>
#include <QStandardPaths>

namespace trevak {

SessionKeeper::SessionKeeper(MainWindow &window) : QObject(&window), m_window(window)
{
    // Direct: the manager waits for the answers before it goes on with the logout.
    connect(qApp, &QGuiApplication::commitDataRequest, this, &SessionKeeper::askBeforeLogout,
            Qt::DirectConnection);
    connect(qApp, &QGuiApplication::saveStateRequest, this, &SessionKeeper::keepGame,
            Qt::DirectConnection);
    qApp->installEventFilter(this);
}

QString SessionKeeper::folder()
{
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                           + QLatin1String("/sessions"));
}

QString SessionKeeper::recordPath(const QString &folder, const QString &id, const QString &key)
{
    // Qt gives the id and key of "-session ID_KEY" split at the first underscore; managers make
    // ids of letters and digits, Qt the keys of digits and an underscore.
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_-]{1,200}$"));
    if (id.isEmpty() || key.isEmpty() || !plain.match(id + QLatin1Char('_') + key).hasMatch())
        return {};
    return folder + QLatin1Char('/') + id + QLatin1Char('_') + key;
}

void SessionKeeper::restoreSession()
{
    if (!qApp->isSessionRestored())
        return;
    const QString path = recordPath(folder(), qApp->sessionId(), qApp->sessionKey());
    if (path.isEmpty())
        return;
    if (const std::optional<GameState> state = readSessionRecordFile(path))
        m_window.showKeptGame(*state);
}

void SessionKeeper::askBeforeLogout(QSessionManager &manager)
{
    // Interaction is asked for only when there is something to ask: other programs wait for it.
    if (!m_window.game().hasJumpRecorded() || !manager.allowsInteraction())
        return;
    switch (m_window.offerToSaveBeforeLogout()) {
    case Answer::Cancel:
        manager.cancel();
        break;
    case Answer::No:
        m_discardedAtKey = manager.sessionKey();
        break;
    case Answer::Yes:
        break;
    }
}

void SessionKeeper::keepGame(QSessionManager &manager)
{
    // Qt makes a new key for every save request, so a "Ne" counts for its own request only.
    const bool discarded = manager.sessionKey() == m_discardedAtKey;
    const QByteArray record = formatSessionRecord(m_window.game().state());
    const QString path = recordPath(folder(), manager.sessionId(), manager.sessionKey());
    if (discarded || record.isEmpty() || path.isEmpty() || !QDir().mkpath(folder())
        || !writeSavedGameFile(path, record).isEmpty())
        return;  // the restart shows the empty board
    manager.setDiscardCommand(
        {QStringLiteral("rm"), QStringLiteral("-f"), QStringLiteral("--"), path});
}

bool SessionKeeper::eventFilter(QObject *watched, QEvent *event)
{
    // The session manager's "die" reaches the program as the application's Quit, on which Qt
    // would close the window, and the window would ask about the game after the session is over.
    // Whatever could be asked was asked during the save request, and the session keeps the game.
    if (watched == qApp && event->type() == QEvent::Quit) {
        m_window.endWithSession();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace trevak
