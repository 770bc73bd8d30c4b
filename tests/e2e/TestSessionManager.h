#pragma once
// A session manager for the tests, made from libSM's manager side: it listens on a local ICE
// socket, takes one program at a time, sends it what a desktop sends at a checkpoint, a logout
// and the end of the session, grants every question it asks for, and notes what the program
// answers and which properties (restart and discard commands) it sets.

#include <QHash>
#include <QObject>
#include <QStringList>

// libSM's handle; its header defines macros (Status, Bool) that Qt's headers must not meet.
struct _SmsConn;
struct _IceListenObj;

class TestSessionManager : public QObject {
public:
    ~TestSessionManager() override;
    // Starts listening; false with the reason in `error` when that fails.
    bool listen(QString *error);
    // What SESSION_MANAGER must hold for a program to find this manager.
    QString address;
    // What the program did, in order: "registered", "asks to interact", "interaction done",
    // "interaction done, logout cancelled", "saved", "not saved", "disconnected".
    QStringList events;
    // The program's properties by name, each as its list of values.
    QHash<QString, QStringList> properties;
    _SmsConn *client = nullptr;

    void checkpoint() { saveYourself(false); }
    void logOut() { saveYourself(true); }
    void die();
    void saveComplete();
    void logoutCancelled();

private:
    void saveYourself(bool shutdown);

    int m_listenerCount = 0;
    _IceListenObj **m_listeners = nullptr;
};
