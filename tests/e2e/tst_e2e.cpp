// The built program on a virtual X display under the test's own session manager (libSM's manager
// side), played by keyboard through xdotool and checked in the files it keeps and saves, along one
// user's sessions: a checkpoint; logouts cancelled, saved and thrown away; the logins after them.

#include "tests/support/BoardFacts.h"

#include <QtGui>
#include <QtTest>
#include <span>

// After Qt's headers: its macros (Bool, Status, True) must not meet them.
#include <X11/SM/SMlib.h>

using namespace trevak::testing;

// The session manager: one program at a time, every question it asks for granted.
static struct {
    QString address;  // for SESSION_MANAGER
    SmsConn client = nullptr;
    // What the program did, in order: "registered", "asks to interact", "interaction done" or
    // "logout cancelled", "saved" or "not saved".
    QStringList events;
    QHash<QString, QStringList> properties;  // by name: the restart and discard commands
    int listenerCount = 0;
    IceListenObj *listeners = nullptr;
} manager;

// What libSM calls for the program's messages; only those Qt sends.
static Status newClient(SmsConn, SmPointer, unsigned long *mask, SmsCallbacks *calls, char **)
{
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask
        | SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask
        | SmsDeletePropertiesProcMask;
    calls->register_client.callback = [](SmsConn client, SmPointer, char *previousId) {
        // A program the session restarts comes back under its id.
        char *id = previousId ? previousId : SmsGenerateClientID(client);
        SmsRegisterClientReply(client, id);
        std::free(id);
        manager.client = client;
        manager.events << "registered";
        return Status(1);
    };
    calls->interact_request.callback = [](SmsConn client, SmPointer, int) {
        manager.events << "asks to interact";
        SmsInteract(client);
    };
    calls->interact_done.callback = [](SmsConn, SmPointer, Bool cancelled) {
        manager.events << (cancelled ? "logout cancelled" : "interaction done");
    };
    calls->save_yourself_done.callback = [](SmsConn, SmPointer, Bool success) {
        manager.events << (success ? "saved" : "not saved");
    };
    calls->close_connection.callback = [](SmsConn client, SmPointer, int count, char **reasons) {
        SmFreeReasons(count, reasons);
        IceConn connection = SmsGetIceConnection(client);
        SmsCleanUp(client);
        IceSetShutdownNegotiation(connection, False);
        IceCloseConnection(connection);
        manager.client = nullptr;
    };
    calls->set_properties.callback = [](SmsConn, SmPointer, int count, SmProp **properties) {
        for (SmProp *property : std::span(properties, count)) {
            QStringList values;
            for (const SmPropValue &value : std::span(property->vals, property->num_vals))
                values << QString::fromUtf8(static_cast<char *>(value.value), value.length);
            manager.properties[property->name] = values;
            SmFreeProperty(property);
        }
        std::free(properties);
    };
    calls->delete_properties.callback = [](SmsConn, SmPointer, int count, char **names) {
        for (char *name : std::span(names, count)) {
            manager.properties.remove(name);
            std::free(name);
        }
        std::free(names);
    };
    return 1;
}

class TestEndToEnd : public QObject {
    Q_OBJECT
    QTemporaryDir folder;  // the program's own, where it saves games
    QTemporaryDir home;
    QProcess game;

    QString xdo(const QStringList &arguments)
    {
        QProcess tool;
        tool.start("xdotool", arguments);
        tool.waitForFinished(15000);
        return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
    }

    // The program's visible window titled `title`; with `wait`, once it shows.
    QString window(const QString &title, bool wait = true)
    {
        const QString pid = QString::number(game.processId());
        QStringList search {"search", "--all", "--onlyvisible", "--pid", pid, "--name", title};
        if (wait)
            search.insert(1, "--sync");
        return xdo(search).section('\n', 0, 0);
    }

    // Presses the keys named, as in "Tab space", in the program's window.
    void press(const QString &keys)
    {
        const QStringList focused {"windowfocus", "--sync", window("^Trevak$")};
        xdo(focused + QStringList {"key", "--clearmodifiers"} + keys.split(' '));
    }

    // Types `text` into the dialog titled `title`, presses `key` and waits until it is gone.
    bool answer(const QString &title, const QString &key, const QString &text = {})
    {
        const QString dialog = window(title);
        xdo({"windowfocus", "--sync", dialog, "type", "--delay", "15", text});
        xdo({"key", "--clearmodifiers", key});
        return QTest::qWaitFor([&] { return window(title, false) != dialog; }, 15000);
    }

    // Starts the program; waits for the manager to have it and for its window.
    void start(const QStringList &command)
    {
        game.start(command.first(), command.mid(1));
        // Qt waits for the reply before it makes the window. A restarted program is asked no save.
        QCOMPARE(managerHeard(), QStringList({"registered"}));
        QVERIFY(!window("^Trevak$").isEmpty());
    }

    // What the program told the manager since last asked, once it waits for an answer or is saved.
    QStringList managerHeard()
    {
        const QStringList waits {"registered", "asks to interact", "saved", "not saved"};
        (void)QTest::qWaitFor(
            [&] { return waits.contains(manager.events.value(manager.events.size() - 1)); }, 15000);
        return std::exchange(manager.events, {});
    }

    // The file a session keeps its game in, as the restart command names the session.
    QString keptGame() const
    {
        const QString session = manager.properties.value("RestartCommand").value(2);
        return home.filePath(".local/share/Trevak/sessions/" + session);
    }

    // What a checkpoint keeps of the game, which it does without asking.
    QByteArray checkpoint()
    {
        SmsSaveYourself(manager.client, SmSaveBoth, False, SmInteractStyleNone, False);
        const QStringList heard = managerHeard();
        return heard == QStringList {"saved"} ? contentOf(keptGame()) : heard.join(", ").toUtf8();
    }

    static QByteArray contentOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>";
    }

    // The program ends by itself or with the session, with no error, and leaves the manager.
    void ends()
    {
        QVERIFY(game.state() == QProcess::NotRunning || game.waitForFinished(15000));
        QCOMPARE(game.exitStatus(), QProcess::NormalExit);
        QCOMPARE(game.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!manager.client, 15000);
    }

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), "xcb");  // an X display: CTest uses xvfb-run
        char reason[256] = "";
        const auto anyHost = [](char *) {
            return Bool(True);
        };  // local and the test's own
        QVERIFY2(
            SmsInitialize("Trevak tests", "1", newClient, nullptr, anyHost, 256, reason)
                && IceListenForConnections(&manager.listenerCount, &manager.listeners, 256, reason),
            reason);
        // Only the local socket: nothing outside is to reach the manager.
        for (IceListenObj listener : std::span(manager.listeners, manager.listenerCount)) {
            char *where = IceGetListenConnectionString(listener);
            if (manager.address.isEmpty() && QByteArray(where).startsWith("local/")) {
                manager.address = QString::fromLocal8Bit(where);
                IceSetHostBasedAuthProc(listener, anyHost);
                auto *incoming = new QSocketNotifier(IceGetListenConnectionNumber(listener),
                                                     QSocketNotifier::Read, this);
                connect(incoming, &QSocketNotifier::activated, this, [this, listener] {
                    IceAcceptStatus status;
                    IceConn connection = IceAcceptConnection(listener, &status);
                    auto *messages = new QSocketNotifier(IceConnectionNumber(connection),
                                                         QSocketNotifier::Read, this);
                    connect(messages, &QSocketNotifier::activated, this, [connection, messages] {
                        // Done when the program is gone or closed the connection.
                        if (IceProcessMessages(connection, nullptr, nullptr)
                            != IceProcessMessagesSuccess)
                            messages->setEnabled(false);
                    });
                });
            }
            std::free(where);
        }
        QVERIFY2(!manager.address.isEmpty(), "no local socket");
        qputenv("SESSION_MANAGER", manager.address.toLocal8Bit());
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(home.path()));
        qunsetenv("XDG_DATA_HOME");
        // A copy of the binary in a folder of its own: the game saves beside its executable.
        QVERIFY(QFile::copy(TREVAK_BINARY, folder.filePath("trevak")));
    }

    void cleanupTestCase() { IceFreeListenObjs(manager.listenerCount, manager.listeners); }

    // Placed, two jumps; two steps back, one forward. A checkpoint keeps the game, the step shown
    // and Uložit on; its discard command removes it.
    void playThenCheckpoint()
    {
        start({folder.filePath("trevak")});
        press("space");  // A1
        press("Up Up Right Return");  // B3
        press("Right Down Down Return");  // C1
        press("Tab space space");  // Zpět, Zpět
        press("Tab space");  // Vpřed
        // The keys come by X, the checkpoint by the manager: asked again until the keys are in.
        QTRY_COMPARE_WITH_TIMEOUT(checkpoint(), savedGame("A1 B3 C1") + "2\r\n1\r\n", 15000);
        const QStringList discard = manager.properties.value("DiscardCommand");
        QCOMPARE(QProcess::execute(discard.first(), discard.mid(1)), 0);
        QVERIFY(!QFile::exists(keptGame()));
    }

    // A logout cancelled, then one answered Ano, which saves the game; the session keeps it too.
    void logoutCancelledThenAno()
    {
        SmsSaveYourself(manager.client, SmSaveBoth, True, SmInteractStyleAny, False);  // log out
        QCOMPARE(managerHeard(), QStringList({"asks to interact"}));
        QVERIFY(answer("^Konec$", "Escape"));  // as Zrušit
        QCOMPARE(managerHeard(), QStringList({"logout cancelled", "not saved"}));
        SmsShutdownCancelled(manager.client);
        SmsSaveYourself(manager.client, SmSaveBoth, True, SmInteractStyleAny, False);  // log out
        QCOMPARE(managerHeard(), QStringList({"asks to interact"}));
        QVERIFY(answer("^Konec$", "Return"));
        QVERIFY(answer("^Uložit partii\\.$", "Return", "odhlaseni"));  // ASCII: typed reliably
        QCOMPARE(managerHeard(), QStringList({"interaction done", "saved"}));
        QCOMPARE(contentOf(folder.filePath("odhlaseni.txt")), savedGame("A1 B3 C1"));
        SmsDie(manager.client);
        ends();
    }

    // The next login has the game as it was: the step taken back can be replayed. A logout
    // answered Ne keeps no game, and the login after it has none. Hra > Konec ends the program
    // unasked.
    void loginsAfterAnoAndNe()
    {
        start(manager.properties.value("RestartCommand"));
        QCOMPARE(checkpoint(), savedGame("A1 B3 C1") + "2\r\n0\r\n");
        press("Tab Tab space");  // Vpřed, from the knight
        QTRY_COMPARE_WITH_TIMEOUT(checkpoint(), savedGame("A1 B3 C1") + "3\r\n0\r\n", 15000);
        SmsSaveYourself(manager.client, SmSaveBoth, True, SmInteractStyleAny, False);  // log out
        QCOMPARE(managerHeard(), QStringList({"asks to interact"}));
        QVERIFY(answer("^Konec$", "n"));
        QCOMPARE(managerHeard(), QStringList({"interaction done", "saved"}));
        QVERIFY(!QFile::exists(keptGame()));
        SmsDie(manager.client);
        ends();
        start(manager.properties.value("RestartCommand"));
        QCOMPARE(checkpoint(), "<missing>");
        press("alt+h k");  // Hra > Konec by their underlined letters
        ends();
    }
};

QTEST_MAIN(TestEndToEnd)
#include "tst_e2e.moc"
