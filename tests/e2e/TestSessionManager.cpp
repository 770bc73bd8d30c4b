#include "TestSessionManager.h"

#include <QSocketNotifier>

#include <X11/SM/SMlib.h>
#include <cstdlib>

namespace {

TestSessionManager *managerOf(SmPointer data)
{
    return static_cast<TestSessionManager *>(data);
}

Bool anyHost(char *)
{
    return True;  // the socket is local and the test's own; no authentication
}

Status registerClient(SmsConn connection, SmPointer data, char *previousId)
{
    // A program the session restarts comes back under its id; a new one is asked to save at
    // once, as managers do.
    char *id = previousId ? previousId : SmsGenerateClientID(connection);
    SmsRegisterClientReply(connection, id);
    std::free(id);
    managerOf(data)->client = connection;
    managerOf(data)->events << "registered";
    if (!previousId)
        SmsSaveYourself(connection, SmSaveLocal, False, SmInteractStyleNone, False);
    return 1;
}

void interactRequest(SmsConn connection, SmPointer data, int)
{
    managerOf(data)->events << "asks to interact";
    SmsInteract(connection);
}

void interactDone(SmsConn, SmPointer data, Bool cancelled)
{
    managerOf(data)->events << (cancelled ? "interaction done, logout cancelled"
                                          : "interaction done");
}

void saveYourselfDone(SmsConn, SmPointer data, Bool success)
{
    managerOf(data)->events << (success ? "saved" : "not saved");
}

void closeConnection(SmsConn connection, SmPointer data, int count, char **reasons)
{
    SmFreeReasons(count, reasons);
    IceConn ice = SmsGetIceConnection(connection);
    SmsCleanUp(connection);
    IceSetShutdownNegotiation(ice, False);
    IceCloseConnection(ice);
    managerOf(data)->client = nullptr;
    managerOf(data)->events << "disconnected";
}

void setProperties(SmsConn, SmPointer data, int count, SmProp **properties)
{
    for (int i = 0; i < count; ++i) {
        QStringList values;
        for (int v = 0; v < properties[i]->num_vals; ++v) {
            const SmPropValue &value = properties[i]->vals[v];
            values << QString::fromUtf8(static_cast<const char *>(value.value), value.length);
        }
        managerOf(data)->properties[properties[i]->name] = values;
        SmFreeProperty(properties[i]);
    }
    std::free(properties);
}

void deleteProperties(SmsConn, SmPointer data, int count, char **names)
{
    for (int i = 0; i < count; ++i) {
        managerOf(data)->properties.remove(names[i]);
        std::free(names[i]);
    }
    std::free(names);
}

Status newClient(SmsConn, SmPointer manager, unsigned long *mask, SmsCallbacks *callbacks, char **)
{
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask
        | SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask
        | SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask
        | SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
    callbacks->register_client = {registerClient, manager};
    callbacks->interact_request = {interactRequest, manager};
    callbacks->interact_done = {interactDone, manager};
    callbacks->save_yourself_request
        = {[](SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}, manager};
    callbacks->save_yourself_phase2_request
        = {[](SmsConn c, SmPointer) { SmsSaveYourselfPhase2(c); }, manager};
    callbacks->save_yourself_done = {saveYourselfDone, manager};
    callbacks->close_connection = {closeConnection, manager};
    callbacks->set_properties = {setProperties, manager};
    callbacks->delete_properties = {deleteProperties, manager};
    callbacks->get_properties
        = {[](SmsConn c, SmPointer) { SmsReturnProperties(c, 0, nullptr); }, manager};
    return 1;
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
    if (!SmsInitialize("Trevak tests", "1", newClient, this, anyHost, sizeof reason, reason)
        || !IceListenForConnections(&m_listenerCount, &m_listeners, sizeof reason, reason)) {
        *error = QString::fromLocal8Bit(reason);
        return false;
    }
    for (int i = 0; i < m_listenerCount && address.isEmpty(); ++i) {
        IceListenObj listener = m_listeners[i];
        char *where = IceGetListenConnectionString(listener);
        if (QByteArray(where).startsWith("local/")) {  // no TCP: nothing outside is to reach it
            address = QString::fromLocal8Bit(where);
            IceSetHostBasedAuthProc(listener, anyHost);
            auto *incoming = new QSocketNotifier(IceGetListenConnectionNumber(listener),
                                                 QSocketNotifier::Read, this);
            connect(incoming, &QSocketNotifier::activated, this, [this, listener] {
                IceAcceptStatus status;
                IceConn connection = IceAcceptConnection(listener, &status);
                auto *messages = new QSocketNotifier(IceConnectionNumber(connection),
                                                     QSocketNotifier::Read, this);
                connect(messages, &QSocketNotifier::activated, this, [this, connection, messages] {
                    if (IceProcessMessages(connection, nullptr, nullptr)
                        == IceProcessMessagesSuccess)
                        return;
                    messages->setEnabled(false);  // the program is gone, or closed the connection
                    messages->deleteLater();
                });
            });
        }
        std::free(where);
    }
    *error = QStringLiteral("no local socket");
    return !address.isEmpty();
}

void TestSessionManager::die()
{
    SmsDie(client);
}

void TestSessionManager::saveComplete()
{
    SmsSaveComplete(client);
}

void TestSessionManager::logoutCancelled()
{
    SmsShutdownCancelled(client);
}

void TestSessionManager::saveYourself(bool shutdown)
{
    // Both kinds of state, as the desktops ask; questions only when logging out.
    SmsSaveYourself(client, SmSaveBoth, shutdown,
                    shutdown ? SmInteractStyleAny : SmInteractStyleNone, False);
}
