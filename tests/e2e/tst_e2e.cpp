// The built program on a virtual X display under a session manager made for the test
// (TestSessionManager, from libSM), driven with real X input by xdotool and checked on the screen
// and in the files it writes. Of the window it knows the board's geometry only. The cases follow
// one another like the sessions of one user: a game played, kept at a checkpoint, saved and loaded
// through the menu; a logout cancelled, one that saves; the next login with the game as it was;
// a logout that throws it away, the empty board at the login after it, and Konec.

#include "TestSessionManager.h"
#include "tests/support/BoardFacts.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QtCore>

using namespace trevak::testing;

// In the window's client area: A1 bottom left, 40 pixels a square.
static QPoint centreOf(int square)
{
    return {44 + 40 * ((square - 1) % 8), 332 - 40 * ((square - 1) / 8)};
}

class TestEndToEnd : public QObject {
    Q_OBJECT
    TestSessionManager manager;
    QTemporaryDir folder;  // the program's own, where it saves games
    QTemporaryDir home;
    QProcess game;
    QPoint origin;  // of the window's client area, its bottom 384 rows
    QStringList restartCommand;  // as the program gave it at the last save

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
        QStringList search {
            "search", "--all", "--onlyvisible", "--pid", QString::number(game.processId()),
            "--name", title};
        if (wait)
            search.insert(1, "--sync");
        return xdo(search).section('\n', 0, 0);
    }

    void click(const QString &square) { click(centreOf(squareNamed(square))); }
    void click(QPoint at)
    {
        xdo({"mousemove", QString::number(origin.x() + at.x()),
             QString::number(origin.y() + at.y()), "click", "1"});
    }
    void clickZpet() { click(QPoint(448, 280)); }
    void clickVpred() { click(QPoint(448, 328)); }

    // "Hra", then the item by its underlined letter.
    void menu(const QString &letter)
    {
        xdo({"windowfocus", "--sync", window("^Trevak$"), "key", "--clearmodifiers", "alt+h"});
        xdo({"key", "--clearmodifiers", letter});
    }

    // Types `text` into the dialog titled `title` and presses `key` until the dialog is gone
    // (a completer's popup may take the first Return).
    bool answer(const QString &title, const QString &key, const QString &text = {})
    {
        const QString dialog = window(title);
        xdo({"windowfocus", "--sync", dialog, "type", "--delay", "15", text});
        for (int attempt = 0; attempt < 3 && !dialog.isEmpty(); ++attempt) {
            xdo({"key", "--clearmodifiers", key});
            if (QTest::qWaitFor([&] { return window(title, false) != dialog; }, 2000))
                return true;
        }
        return false;
    }

    // Waits until the board shows `squares`: discs, the knight red on the last, the rest bare.
    bool shows(const QStringList &squares)
    {
        return QTest::qWaitFor(
            [&] {
                const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
                for (int square = 1; square <= 64; ++square) {
                    const QColor seen = screen.pixelColor(origin + centreOf(square));
                    const qsizetype step = squares.indexOf(nameOf(square));
                    const QColor bare = isDark(square) ? QColor(128, 64, 64) : QColor(Qt::white);
                    bool right = seen.red() >= 200 && seen.green() <= 80;  // the knight
                    if (step < 0)
                        right = seen == bare;
                    else if (step + 1 < squares.size())
                        right = seen == Qt::black;  // a disc
                    if (!right)
                        return false;
                }
                return true;
            },
            15000);
    }

    // Starts the program; waits for the manager to have it and for its window.
    void start(const QStringList &command)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home.path());
        environment.insert("XDG_RUNTIME_DIR", home.path());
        environment.remove("XDG_DATA_HOME");
        environment.insert("SESSION_MANAGER", manager.address);
        game.setProcessEnvironment(environment);
        manager.events.clear();
        game.start(command.first(), command.mid(1));
        // Qt waits for the manager's reply before it makes the window.
        QTRY_VERIFY_WITH_TIMEOUT(manager.events.contains("registered"), 15000);
        QMap<QString, int> geometry;  // lines "X=..", "Y=..", "WIDTH=..", "HEIGHT=.."
        for (const QString &line :
             xdo({"getwindowgeometry", "--shell", window("^Trevak$")}).split('\n'))
            geometry[line.section('=', 0, 0)] = line.section('=', 1).toInt();
        origin = QPoint(geometry["X"], geometry["Y"] + geometry["HEIGHT"] - 384);
    }

    // The manager saw `expected` since the last save; then the next save's events count.
    bool saved(const QStringList &expected)
    {
        if (!QTest::qWaitFor([&] { return manager.events == expected; }, 15000)) {
            qWarning() << "the manager saw" << manager.events;
            return false;
        }
        restartCommand = manager.properties.value("RestartCommand");
        manager.events.clear();
        return true;
    }
    bool asks()
    {
        return QTest::qWaitFor([&] { return manager.events == QStringList {"asks to interact"}; },
                               15000);
    }
    // The file a session keeps its game in, as the restart command names the session.
    QString keptGame() const
    {
        return home.filePath(".local/share/Trevak/sessions/" + restartCommand.value(2));
    }
    static QByteArray contentOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>";
    }
    // The program ended by itself or with the session, with no error, and left the manager.
    bool ended()
    {
        return (game.state() == QProcess::NotRunning || game.waitForFinished(15000))
            && game.exitStatus() == QProcess::NormalExit && game.exitCode() == 0
            && QTest::qWaitFor([&] { return !manager.client; }, 15000);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QGuiApplication::platformName() == "xcb",
                 "needs an X display (CTest uses xvfb-run)");
        QString error;
        QVERIFY2(manager.listen(&error), qPrintable(error));
        // A copy of the binary in a folder of its own: the game saves beside its executable.
        QVERIFY(QFile::copy(TREVAK_BINARY, folder.filePath("trevak")));
        QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Placed, two jumps, a click that is no jump; two steps back, one forward.
    void playBackAndForward()
    {
        start({folder.filePath("trevak")});
        QVERIFY(saved({"registered", "saved"}));  // a new program is asked to save at once
        QVERIFY(shows({}));
        for (const char *square : {"A1", "B3", "C1", "D1"})
            click(square);
        QVERIFY(shows({"A1", "B3", "C1"}));
        clickZpet();
        clickZpet();
        QVERIFY(shows({"A1"}));
        clickVpred();
        QVERIFY(shows({"A1", "B3"}));
    }

    // The session keeps the game and asks nothing; the game goes on.
    void checkpointKeepsTheGame()
    {
        manager.checkpoint();
        QVERIFY(saved({"saved"}));
        QCOMPARE(restartCommand.mid(0, 2), QStringList({folder.filePath("trevak"), "-session"}));
        // The saved game's lines, then the step shown and Uložit on.
        QCOMPARE(contentOf(keptGame()), savedGameBytes({1, 18, 3}) + "2\r\n1\r\n");
        const QStringList discard = manager.properties.value("DiscardCommand");
        manager.saveComplete();
        QVERIFY(shows({"A1", "B3"}));
        QCOMPARE(QProcess::execute(discard.first(), discard.mid(1)), 0);
        QVERIFY(!QFile::exists(keptGame()));
    }

    // Hra > Uložit saves the whole record, the step taken back too; Hra > Načíst, Ne to the offer
    // (its key N: Escape does not answer it) and the file from the open dialog.
    void saveAndLoad()
    {
        menu("u");
        QVERIFY(answer("^Uložit partii\\.$", "Return", "hra"));
        QCOMPARE(contentOf(folder.filePath("hra.txt")), savedGameBytes({1, 18, 3}));
        menu("a");
        QVERIFY(answer("^Uložit$", "n"));
        QVERIFY(answer("^Otevřít$", "Return", "hra.txt"));
        QVERIFY(shows({"A1", "B3", "C1"}));
        clickZpet();
        QVERIFY(shows({"A1", "B3"}));
    }

    void logoutCancelled()
    {
        manager.logOut();
        QVERIFY(asks());
        QVERIFY(answer("^Konec$", "Escape"));  // as Zrušit
        QVERIFY(saved({"asks to interact", "interaction done, logout cancelled", "not saved"}));
        manager.logoutCancelled();
        QVERIFY(shows({"A1", "B3"}));
        QCOMPARE(game.state(), QProcess::Running);
    }

    void logoutWithAnoSavesTheGame()
    {
        manager.logOut();
        QVERIFY(asks());
        QVERIFY(answer("^Konec$", "Return"));
        QVERIFY(answer("^Uložit partii\\.$", "Return", "odhlaseni"));  // ASCII: typed reliably
        QVERIFY(saved({"asks to interact", "interaction done", "saved"}));
        QCOMPARE(contentOf(folder.filePath("odhlaseni.txt")), savedGameBytes({1, 18, 3}));
        manager.die();
        QVERIFY(ended());
    }

    // The next login shows the game as it was: the step taken back can be replayed.
    void loginBringsTheGameBack()
    {
        QVERIFY(QFile::exists(keptGame()));
        start(restartCommand);
        QVERIFY(saved({"registered"}));  // under its old id: no save asked
        QVERIFY(shows({"A1", "B3"}));
        clickVpred();
        QVERIFY(shows({"A1", "B3", "C1"}));
    }

    void logoutWithNeKeepsNoGame()
    {
        manager.logOut();
        QVERIFY(asks());
        QVERIFY(answer("^Konec$", "n"));
        QVERIFY(saved({"asks to interact", "interaction done", "saved"}));
        QVERIFY(!QFile::exists(keptGame()));
        manager.die();
        QVERIFY(ended());
    }

    // The login after Ne shows the empty board; Hra > Konec, Ano and a name save and end.
    void loginAfterNeThenKonec()
    {
        start(restartCommand);
        QVERIFY(saved({"registered"}));
        QVERIFY(shows({}));
        click("A1");
        click("B3");
        QVERIFY(shows({"A1", "B3"}));
        menu("k");
        QVERIFY(answer("^Konec$", "Return"));
        QVERIFY(answer("^Uložit partii\\.$", "Return", "konec"));
        QVERIFY(ended());
        QCOMPARE(contentOf(folder.filePath("konec.txt")), savedGameBytes({1, 18}));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files, QDir::Name),
                 QStringList({"hra.txt", "konec.txt", "odhlaseni.txt", "trevak"}));
    }
};

QTEST_MAIN(TestEndToEnd)
#include "tst_e2e.moc"
