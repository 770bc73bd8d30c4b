// The built program on a virtual X display under a real session manager (TestSessionManager, from
// libSM): a checkpoint, a logout cancelled, a logout that saves, the next login with the game as it
// was, a logout that throws it away, and the login after that. The cases follow one another like
// the sessions of one user; the program is a black box driven with real X input by xdotool.

#include "TestSessionManager.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QtCore>

static QPoint centreOf(int square)  // in the client area: A1 bottom left, 40 pixels a square
{
    return {44 + 40 * ((square - 1) % 8), 332 - 40 * ((square - 1) / 8)};
}
static const QPoint kBackButton {448, 280};
static const QPoint kForwardButton {448, 328};

static QByteArray savedGame(const QList<int> &squares)  // 64 lines, 0 after the last, CR LF
{
    QByteArray bytes;
    for (int step = 0; step < 64; ++step)
        bytes += QByteArray::number(squares.value(step)) + "\r\n";
    return bytes;
}

class TestSession : public QObject {
    Q_OBJECT
    TestSessionManager manager;
    QTemporaryDir folder, home;  // the program's own folder, where it saves games; its HOME
    QProcess game;
    QPoint origin;  // of the client area, the window's bottom 384 rows
    QStringList restartCommand;  // as the program gave it at the last save

    QString xdo(const QStringList &arguments)
    {
        QProcess tool;
        tool.start("xdotool", arguments);
        tool.waitForFinished(15000);
        return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
    }
    QString window(const QString &title)  // the program's window so titled, once it shows
    {
        return xdo({"search", "--sync", "--all", "--onlyvisible", "--pid",
                    QString::number(game.processId()), "--name", title})
            .section('\n', 0, 0);
    }
    void click(QPoint at)
    {
        xdo({"mousemove", QString::number(origin.x() + at.x()),
             QString::number(origin.y() + at.y()), "click", "1"});
    }
    // Types `text` into the dialog titled `title`, then presses `key`.
    void answer(const QString &title, const QString &key, const QString &text = {})
    {
        xdo({"windowfocus", "--sync", window(title), "type", "--delay", "15", text});
        xdo({"key", "--clearmodifiers", key});
    }

    // Waits until the board shows `tour`: discs, the knight red on its last square, the rest bare.
    bool shows(const QList<int> &tour)
    {
        for (const QDeadlineTimer deadline(15000); !deadline.hasExpired(); QTest::qWait(50)) {
            const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
            int right = 0;
            for (int square = 1; square <= 64; ++square) {
                const QColor centre = screen.pixelColor(origin + centreOf(square));
                const qsizetype step = tour.indexOf(square);
                const bool dark = ((square - 1) % 8 + (square - 1) / 8) % 2 == 0;
                right += step < 0 ? centre == (dark ? QColor(128, 64, 64) : QColor(Qt::white))
                    : step + 1 < tour.size() ? centre == Qt::black
                                             : centre.red() >= 200 && centre.green() <= 80;
            }
            if (right == 64)
                return true;
        }
        return false;
    }

    // Starts the program and waits for the manager to have it and for its window.
    void start(const QStringList &command)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home.path());
        environment.insert("XDG_RUNTIME_DIR", home.path());
        environment.remove("XDG_DATA_HOME");
        environment.insert("SESSION_MANAGER", manager.address());
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
    // The manager saw `expected` since the last save; afterwards the next save's events count.
    bool saved(const QStringList &expected)
    {
        for (const QDeadlineTimer deadline(15000);
             manager.events != expected && !deadline.hasExpired(); QTest::qWait(50)) {
        }
        if (manager.events != expected) {
            qWarning() << "the manager saw" << manager.events;
            return false;
        }
        restartCommand = manager.properties.value("RestartCommand");
        manager.events.clear();
        return true;
    }
    QString keptGame() const  // the file the session keeps its game in, as the restart names it
    {
        return home.filePath(".local/share/Trevak/sessions/" + restartCommand.value(2));
    }
    QByteArray contentOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>";
    }
    void ends()  // the session ends: no question, the program ends at once
    {
        manager.die();
        QVERIFY(game.waitForFinished(15000));
        QCOMPARE(std::pair(game.exitStatus(), game.exitCode()), std::pair(QProcess::NormalExit, 0));
        QTRY_VERIFY(!manager.hasClient());
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QGuiApplication::platformName() == "xcb",
                 "needs an X display (CTest uses xvfb-run)");
        QString error;
        QVERIFY2(manager.listen(&error), qPrintable(error));
        // A copy of the binary in a fresh folder: the game saves beside its executable.
        QVERIFY(QFile::copy(TREVAK_BINARY, folder.filePath("trevak")));
        QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // With one step taken back: the session keeps the game and asks nothing; the game goes on.
    void checkpointKeepsTheGameAsksNothing()
    {
        start({folder.filePath("trevak")});
        QVERIFY(saved({"registered", "saved"}));  // a new program is asked to save at once
        for (int square : {1, 18, 3})
            click(centreOf(square));
        click(kBackButton);
        QVERIFY(shows({1, 18}));
        manager.checkpoint();
        QVERIFY(saved({"saved"}));
        QCOMPARE(restartCommand.mid(0, 2), QStringList({folder.filePath("trevak"), "-session"}));
        // The saved game's lines, then the step shown and Zpět, Vpřed, Uložit all on.
        QCOMPARE(contentOf(keptGame()), savedGame({1, 18, 3}) + "2\r\n1\r\n");
        const QStringList discard = manager.properties.value("DiscardCommand");
        manager.saveComplete();
        QVERIFY(shows({1, 18}));
        QVERIFY(QProcess::execute(discard.first(), discard.mid(1)) == 0
                && !QFile::exists(keptGame()));
    }

    void logoutCancelled()
    {
        manager.logOut();
        QTRY_COMPARE_WITH_TIMEOUT(manager.events, QStringList {"asks to interact"}, 15000);
        answer("^Konec$", "Escape");  // as "Zrušit"
        QVERIFY(saved({"asks to interact", "interaction done, logout cancelled", "not saved"}));
        manager.logoutCancelled();
        QVERIFY(shows({1, 18}) && game.state() == QProcess::Running);
    }

    void logoutWithYesSavesTheGame()
    {
        manager.logOut();
        QTRY_COMPARE_WITH_TIMEOUT(manager.events, QStringList {"asks to interact"}, 15000);
        answer("^Konec$", "Return");
        answer("^Uložit partii\\.$", "Return", "odhlaseni");  // ASCII: xdotool types it reliably
        QVERIFY(saved({"asks to interact", "interaction done", "saved"}));
        QCOMPARE(contentOf(folder.filePath("odhlaseni.txt")), savedGame({1, 18, 3}));
        ends();
    }

    // The next login shows the game as it was: the step taken back can be replayed.
    void loginBringsTheGameBack()
    {
        QVERIFY(QFile::exists(keptGame()));
        start(restartCommand);
        QVERIFY(saved({"registered"}));  // under its old id: no save asked
        QVERIFY(shows({1, 18}));
        click(kForwardButton);
        QVERIFY(shows({1, 18, 3}));
    }

    void logoutWithNoKeepsNoGame()
    {
        manager.logOut();
        QTRY_COMPARE_WITH_TIMEOUT(manager.events, QStringList {"asks to interact"}, 15000);
        answer("^Konec$", "n");
        QVERIFY(saved({"asks to interact", "interaction done", "saved"}));
        QVERIFY(!QFile::exists(keptGame()));
        ends();
    }

    // The login after "Ne" starts the empty board; a knight alone is nothing to ask about.
    void noGameAsksNothing()
    {
        const QStringList command = restartCommand;
        start(command);
        QVERIFY(saved({"registered"}));
        QVERIFY(shows({}));
        click(centreOf(20));
        QVERIFY(shows({20}));
        manager.logOut();
        QVERIFY(saved({"saved"}));
        ends();
    }
};

QTEST_MAIN(TestSession)
#include "tst_session.moc"
