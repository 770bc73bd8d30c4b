// The built program on a virtual X display, driven with real X input by xdotool: one game from
// start to leaving, checked on the screen and in the files it writes. Of the window it knows the
// board's geometry only: a black box.

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QtCore>

static QPoint centreOf(int square)  // in the client area: A1 bottom left, 40 pixels a square
{
    return {44 + 40 * ((square - 1) % 8), 332 - 40 * ((square - 1) / 8)};
}

class TestEndToEnd : public QObject {
    Q_OBJECT
    QTemporaryDir folder, home;
    QProcess game;
    QPoint origin;  // of the client area, the window's bottom 384 rows

    QString xdo(const QStringList &arguments)
    {
        QProcess tool;
        tool.start("xdotool", arguments);
        tool.waitForFinished(15000);
        return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
    }

    // The game's visible window titled `title`; with `wait`, once it shows.
    QString window(const QString &title, bool wait = true)
    {
        const QStringList search {
            "--all", "--onlyvisible", "--pid", QString::number(game.processId()), "--name", title};
        return xdo(QStringList {"search"} + (wait ? QStringList {"--sync"} : QStringList {})
                   + search)
            .section('\n', 0, 0);
    }

    void click(QPoint at)
    {
        xdo({"mousemove", QString::number(origin.x() + at.x()),
             QString::number(origin.y() + at.y()), "click", "1"});
    }

    // Types `text` into the dialog titled `title` and presses `key`, again while the dialog stays
    // (a completer's popup may take the first Return).
    bool answer(const QString &title, const QString &key, const QString &text = {})
    {
        const QString dialog = window(title);
        xdo({"windowfocus", "--sync", dialog, "type", "--delay", "15", text});
        for (int attempt = 0; attempt < 3 && !dialog.isEmpty(); ++attempt) {
            xdo({"key", "--clearmodifiers", key});
            QTest::qWait(500);
            if (window(title, false) != dialog)
                return true;
        }
        return false;
    }

    void menu(const QString &letter)  // "Hra", then the item by its underlined letter
    {
        xdo({"windowfocus", "--sync", window("^Trevak$"), "key", "--clearmodifiers", "alt+h"});
        xdo({"key", "--clearmodifiers", letter});
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

    QByteArray saved(const char *name)
    {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>";
    }

private slots:
    void oneGame()
    {
        QVERIFY2(QGuiApplication::platformName() == "xcb",
                 "needs an X display (CTest uses xvfb-run)");
        // A copy of the binary in a fresh folder: the game saves beside its executable.
        QVERIFY(QFile::copy(TREVAK_BINARY, folder.filePath("trevak")));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home.path());
        environment.insert("XDG_RUNTIME_DIR", home.path());
        QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        game.setProcessEnvironment(environment);
        game.start(folder.filePath("trevak"));
        QMap<QString, int> geometry;  // lines "X=..", "Y=..", "WIDTH=..", "HEIGHT=.."
        for (const QString &line :
             xdo({"getwindowgeometry", "--shell", window("^Trevak$")}).split('\n'))
            geometry[line.section('=', 0, 0)] = line.section('=', 1).toInt();
        origin = QPoint(geometry["X"], geometry["Y"] + geometry["HEIGHT"] - 384);
        QVERIFY(shows({}));
        const QByteArray a1b3c1 = "1\r\n18\r\n3\r\n"
            + QByteArray("0\r\n").repeated(61);  // as saved: 0 after the last step

        // Place, two jumps, one click that is no jump; two steps back with Zpět, one forward with
        // Vpřed.
        for (int square : {1, 18, 3, 4})
            click(centreOf(square));
        QVERIFY(shows({1, 18, 3}));
        for (int twice = 0; twice < 2; ++twice)
            click({448, 280});
        QVERIFY(shows({1}));
        click({448, 328});
        QVERIFY(shows({1, 18}));

        // Hra > Uložit: the whole record, the step taken back too.
        menu("u");
        QVERIFY(answer("^Uložit partii\\.$", "Return", "hra"));
        QCOMPARE(saved("hra.txt"), a1b3c1);

        // Hra > Načíst: No (its key N; Escape does not answer) to the offer to save, then the file
        // through the open dialog.
        menu("a");
        QVERIFY(answer("^Uložit$", "n") && answer("^Otevřít$", "Return", "hra.txt"));
        QVERIFY(shows({1, 18, 3}));

        // Hra > Konec: Yes to the offer, a name, and the program ends.
        menu("k");
        QVERIFY(answer("^Konec$", "Return") && answer("^Uložit partii\\.$", "Return", "konec"));
        QVERIFY(game.state() == QProcess::NotRunning || game.waitForFinished(15000));
        QCOMPARE(std::pair(game.exitStatus(), game.exitCode()), std::pair(QProcess::NormalExit, 0));
        QCOMPARE(saved("konec.txt"), a1b3c1);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files, QDir::Name),
                 QStringList({"hra.txt", "konec.txt", "trevak"}));
    }
};

QTEST_MAIN(TestEndToEnd)
#include "tst_e2e.moc"
