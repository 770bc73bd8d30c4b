#include "TestSessionManager.h"

#include <QSocketNotifier>

#include <X11/SM/SMlib.h>
#include <cstdlib>

struct TestSessionManager::Callbacks {
    static Status newClient(SmsConn connection, SmPointer manager, unsigned long *mask,
                            SmsCallbacks *callbacks, char **failure);
};

namespace {

TestSessionManager *managerOf(SmPointer data)
{
    return static_cast<TestSessionManager *>(data);
}

Bool anyHost(char *)
{
    return True;  // the socket is local and the test's own; no authentication
}

}  // namespace

TestSessionManager::~TestSessionManager()
{
    if (m_listeners)
        IceFreeListenObjs(m_listenerCount, m_listeners);
}

bool TestSessionManager::listen(QString *error)
{
    char reason[256] = "";
    if (!SmsInitialize("Trevak tests", "1", Callbacks::newClient, this, anyHost, sizeof reason,
                       reason)
        || !IceListenForConnections(&m_listenerCount, &m_listeners, sizeof reason, reason)) {
        *error = QString::fromLocal8Bit(reason);
        return false;
    }
    QStringList local;
    for (int i = 0; i < m_listenerCount; ++i) {
        IceListenObj listener = m_listeners[i];
        char *where = IceGetListenConnectionString(listener);
        const QString address = QString::fromLocal8Bit(where);
        std::free(where);
        if (!address.startsWith("local/"))
            continue;  // no TCP: nothing outside the machine is to reach it
        local << address;
        IceSetHostBasedAuthProc(listener, anyHost);
        auto *incoming = new QSocketNotifier(IceGetListenConnectionNumber(listener),
                                             QSocketNotifier::Read, this);
        connect(incoming, &QSocketNotifier::activated, this,
                [this, listener] { acceptConnection(listener); });
    }
    m_address = local.join(',');
    *error = QStringLiteral("no local socket");
    return !local.isEmpty();
}

void TestSessionManager::acceptConnection(IceListenObj listener)
{
    IceAcceptStatus status;
    IceConn connection = IceAcceptConnection(listener, &status);
    if (!connection)
        return;
    auto *messages
        = new QSocketNotifier(IceConnectionNumber(connection), QSocketNotifier::Read, this);
    connect(messages, &QSocketNotifier::activated, this, [this, connection, messages] {
        const IceProcessMessagesStatus result = IceProcessMessages(connection, nullptr, nullptr);
        if (result == IceProcessMessagesSuccess)
            return;
        messages->setEnabled(false);  // the socket is closed below or already
        messages->deleteLater();
        if (result == IceProcessMessagesIOError) {  // the program is gone
            if (m_client && SmsGetIceConnection(m_client) == connection) {
                SmsCleanUp(m_client);
                m_client = nullptr;
                events << "disconnected";
            }
            IceSetShutdownNegotiation(connection, False);
            IceCloseConnection(connection);
        }
    });
}

void TestSessionManager::die()
{
    SmsDie(m_client);
}

void TestSessionManager::saveComplete()
{
    SmsSaveComplete(m_client);
}

void TestSessionManager::logoutCancelled()
{
    SmsShutdownCancelled(m_client);
}

void TestSessionManager::saveYourself(bool shutdown)
{
    // Both kinds of state, as the desktops ask; questions only when logging out.
    SmsSaveYourself(m_client, SmSaveBoth, shutdown,
                    shutdown ? SmInteractStyleAny : SmInteractStyleNone, False);
}

Status TestSessionManager::Callbacks::newClient(SmsConn, SmPointer manager, unsigned long *mask,
                                                SmsCallbacks *callbacks, char **)
{
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask
        | SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask
        | SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask
        | SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
    callbacks->register_client
        = {[](SmsConn connection, SmPointer data, char *previousId) {
               // A program the session restarts comes back under its id.
               char *id = previousId ? previousId : SmsGenerateClientID(connection);
               SmsRegisterClientReply(connection, id);
               std::free(id);
               managerOf(data)->m_client = connection;
               managerOf(data)->events << "registered";
               // A new program is asked to save at once, as managers do.
               if (!previousId)
                   SmsSaveYourself(connection, SmSaveLocal, False, SmInteractStyleNone, False);
               return Status(1);
           },
           manager};
    callbacks->interact_request = {[](SmsConn connection, SmPointer data, int) {
                                       managerOf(data)->events << "asks to interact";
                                       SmsInteract(connection);
                                   },
                                   manager};
    callbacks->interact_done
        = {[](SmsConn, SmPointer data, Bool cancelled) {
               managerOf(data)->events
                   << (cancelled ? "interaction done, logout cancelled" : "interaction done");
           },
           manager};
    callbacks->save_yourself_request
        = {[](SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}, manager};
    callbacks->save_yourself_phase2_request
        = {[](SmsConn connection, SmPointer) { SmsSaveYourselfPhase2(connection); }, manager};
    callbacks->save_yourself_done = {[](SmsConn, SmPointer data, Bool success) {
                                         managerOf(data)->events
                                             << (success ? "saved" : "not saved");
                                     },
                                     manager};
    callbacks->close_connection
        = {[](SmsConn connection, SmPointer data, int count, char **reasons) {
               SmFreeReasons(count, reasons);
               IceConn ice = SmsGetIceConnection(connection);
               SmsCleanUp(connection);
               IceSetShutdownNegotiation(ice, False);
               IceCloseConnection(ice);
               managerOf(data)->m_client = nullptr;
               managerOf(data)->events << "disconnected";
           },
           manager};
    callbacks->set_properties
        = {[](SmsConn, SmPointer data, int count, SmProp **properties) {
               for (int i = 0; i < count; ++i) {
                   QStringList values;
                   for (int v = 0; v < properties[i]->num_vals; ++v)
                       values << QString::fromUtf8(
                           static_cast<const char *>(properties[i]->vals[v].value),
                           properties[i]->vals[v].length);
                   managerOf(data)->properties[properties[i]->name] = values;
                   SmFreeProperty(properties[i]);
               }
               std::free(properties);
           },
           manager};
    callbacks->delete_properties = {[](SmsConn, SmPointer data, int count, char **names) {
                                        for (int i = 0; i < count; ++i) {
                                            managerOf(data)->properties.remove(names[i]);
                                            std::free(names[i]);
                                        }
                                        std::free(names);
                                    },
                                    manager};
    callbacks->get_properties
        = {[](SmsConn connection, SmPointer) { SmsReturnProperties(connection, 0, nullptr); },
           manager};
    return 1;
}
