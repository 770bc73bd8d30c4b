// Saved games: the bytes written, the reader's verdict on any input, and writing all or nothing.

#include "storage/SavedGameFormat.h"
#include "storage/SavedGameWriter.h"
#include "storage/SessionRecord.h"
#include <QTest>
#include <QtCore>
#include <csignal>
#include <numeric>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
using namespace trevak;
using Setup = std::function<bool(const QDir &)>;  // prepares the folder
const Tour kShort {1, 18, 3};  // A1, B3, C1
const QByteArray kShortBytes = "1\r\n18\r\n3\r\n" + QByteArray("0\r\n").repeated(61);
const Tour kFull = [] {
    Tour tour;
    std::iota(tour.begin(), tour.end(), 1);
    return tour;
}();  // no jumps: allowed
// Line k holds step k's square, or `text` if it is line `line`, and ends with ends[k % size].
static QByteArray linesOf(const Tour &tour, const QByteArrayList &ends = {"\r\n"}, int line = 0,
                          const QByteArray &text = {})
{
    QByteArray bytes;
    for (int k = 0; k < kSquareCount; ++k)
        bytes += (k + 1 == line ? text : QByteArray::number(tour[k])) + ends[k % ends.size()];
    return bytes;
}
static QByteArray shortWith(int line, const QByteArray &text)
{
    return linesOf(kShort, {"\r\n"}, line, text);
}
// Writes `bytes` to `name` in the folder, then leaves the file only the permissions `only`, if
// given.
static Setup file(const QString &name, const QByteArray &bytes, QFile::Permissions only = {})
{
    return [=](const QDir &dir) {
        QFile out(dir.filePath(name));
        return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size()
            && (!only || out.setPermissions(only));
    };
}
static QByteArray contentOf(const QString &path)  // of a regular file only: a pipe would block
{
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                      : QByteArray();
}
static bool makeFifo(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}
static qint64 bytesReadByProcess()
{
    return contentOf("/proc/self/io").split('\n')[0].mid(7).toLongLong();
}  // "rchar: N"
class TestStorage : public QObject {
    Q_OBJECT
private slots:
    void readsInput_data()
    {
        QTest::addColumn<QByteArray>(
            "bytes");  // what hra.txt holds, and velká.txt before it grows to 1 GiB of NULs
        QTest::addColumn<QString>(
            "path");  // read; anything but a regular file is refused at once, not waited on
        QTest::addColumn<Tour>("tour");  // all zeros when refused
        QTest::addColumn<QString>("problem");  // after "line: " when on a line, empty when accepted
        const auto row = [](const char *name, const QByteArray &bytes, const Tour &tour,
                            const QString &problem = {}, const QString &path = "hra.txt") {
            QTest::newRow(name) << bytes << path << tour << problem;
        };
        row("1,18,3", kShortBytes, kShort);
        row("full tour, written", formatSavedGame(kFull), kFull);
        row("one step", linesOf(Tour {64}), Tour {64});
        row("LF", linesOf(kShort, {"\n"}), kShort);
        row("CR", linesOf(kShort, {"\r"}), kShort);
        row("mixed line ends", linesOf(kFull, {"\r\n", "\n", "\r"}), kFull);
        row("CR LF across 512 bytes", QByteArray(510, ' ') + "1\r\n" + kShortBytes.mid(3),
            kShort);  // CR 511, LF 512
        row("blanks and tabs", " 1\r\n\t18\t\r\n \t 3 \t \r\n0   \r\n" + kShortBytes.mid(13),
            kShort);
        row("leading zeros", "001\r\n0018\r\n3\r\n00\r\n" + kShortBytes.mid(13, 177) + "0000\r\n",
            kShort);
        row("no final terminator", kShortBytes.chopped(2), kShort);
        row("more than 64 lines", kShortBytes + "nesmysl\r\n99\r\n\r\n" + QByteArray(5000, 'x'),
            kShort);
        row("a game, then 1 GiB of NULs", kShortBytes, kShort, {}, "velká.txt");
        row("not knight's jumps", linesOf(Tour {1, 2, 3, 64}), Tour {1, 2, 3, 64});
        row("line of 1024 bytes", shortWith(2, "18" + QByteArray(1022, ' ')), kShort);
        row("empty file", "", {}, "Soubor je prázdný.");
        row("63 lines", kShortBytes.chopped(3), {},
            "Soubor končí řádkem 63, uložená partie má 64 řádků.");
        row("empty line", "\n" + kShortBytes, {}, "1: Řádek 1 je prázdný.");
        row("letters", shortWith(7, "abc"), {}, "7: Řádek 7 neobsahuje číslo pole.");
        row("two numbers", shortWith(4, "1 2"), {}, "4: Řádek 4 neobsahuje číslo pole.");
        row("NUL byte", shortWith(3, QByteArray("3\0", 2)), {},
            "3: Řádek 3 neobsahuje číslo pole.");
        row("1 GiB of NULs", "", {}, "1: Řádek 1 neobsahuje číslo pole.", "velká.txt");
        row("65", shortWith(3, "0065"), {}, "3: Řádek 3 obsahuje číslo větší než 64.");
        row("huge number", shortWith(2, "99999999999999999999999"), {},
            "2: Řádek 2 obsahuje číslo větší než 64.");
        row("line of 1025 bytes", shortWith(2, "18" + QByteArray(1023, ' ')), {},
            "2: Řádek 2 je delší než 1024 bajtů.");
        row("2 MiB of digits", QByteArray(2 << 20, '7'), {}, "1: Řádek 1 je delší než 1024 bajtů.");
        row("zeros only", linesOf(Tour {}), {}, "Soubor neobsahuje žádný tah.");
        row("gap", linesOf(Tour {1, 18, 0, 3}), {},
            "3: Řádek 3 obsahuje 0, ale na řádku 4 partie pokračuje.");
        row("square twice", linesOf(Tour {5, 18, 3, 4, 6, 7, 8, 9, 10, 18}), {},
            "10: Pole 18 je uvedeno na řádku 2 i na řádku 10.");
        row("missing", kShortBytes, {}, "Soubor neexistuje.", "chybí.txt");
        row("folder", kShortBytes, {}, "Vybraná cesta je složka.", "složka.txt");
        row("FIFO", kShortBytes, {}, "Vybraná cesta není běžný soubor.", "roura");
        row("first read fails", kShortBytes, {}, "Soubor nelze přečíst.", "/proc/self/mem");
        row("unreadable", kShortBytes, {},
            ::geteuid() ? "Soubor nelze otevřít, chybí oprávnění ke čtení." : "Soubor je prázdný.",
            "zamčeno.txt");  // root opens any file
    }

    // One verdict from the first few KiB of the file.
    void readsInput()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, path);
        QTemporaryDir temp;
        const QDir dir(temp.path());
        QVERIFY(file("hra.txt", bytes)(dir) && file("velká.txt", bytes)(dir)
                && QFile::resize(dir.filePath("velká.txt"), 1LL << 30));
        QVERIFY(file("zamčeno.txt", "", QFile::WriteOwner)(dir) && dir.mkdir("složka.txt")
                && makeFifo(dir.filePath("roura")));
        const qint64 before = bytesReadByProcess();
        ::alarm(10);  // opening a pipe that nobody writes to would block: end the test instead
        const SavedGameRead read = readSavedGameFile(dir.filePath(path));
        ::alarm(0);
        QVERIFY(bytesReadByProcess() - before
                <= 64 * 1026 + 512);  // 64 longest lines with CR LF, one chunk ahead
        QTEST(read.line ? QString("%1: %2").arg(read.line).arg(read.problem) : read.problem,
              "problem");
        QCOMPARE(read.ok, read.problem.isEmpty());
        QTEST(read.tour, "tour");
    }

    // A pipe put in the file's place while it is being opened is refused, never waited on.
    void pipeSwappedInIsRefused()
    {
        QTemporaryDir temp;
        QVERIFY(file("hra.txt", kShortBytes)(QDir(temp.path()))
                && makeFifo(temp.filePath("roura")));
        ::alarm(10);
        const QByteArray path = QFile::encodeName(temp.filePath("střídá.txt")),
                         next = path + ".nový";
        std::jthread swapper(
            [&](std::stop_token stop) {  // stopped and joined when the test ends, however it ends
                for (int i = 0; !stop.stop_requested(); ++i)
                    ::symlink(i % 2 ? "roura" : "hra.txt", next) == 0 && ::rename(next, path) == 0;
            });
        int refused = 0;  // until the pipe has been met a few times: the swapper may start late on
                          // a busy machine
        for (const QDeadlineTimer deadline(8000); refused < 20 && !deadline.hasExpired();) {
            const SavedGameRead read = readSavedGameFile(QFile::decodeName(path));
            refused += read.problem == "Vybraná cesta není běžný soubor." ? 1 : 0;
            QVERIFY(read.ok || read.problem == "Vybraná cesta není běžný soubor."
                    || read.problem == "Soubor neexistuje.");
        }
        ::alarm(0);
        QVERIFY(refused > 0);
    }

    // The game a desktop session keeps: read back as written; anything else is no game at all.
    void keepsSessionGames_data()
    {
        QTest::addColumn<QByteArray>("bytes");  // of the file "relace", beside a folder and a pipe
        QTest::addColumn<QString>("path");
        QTest::addColumn<std::optional<GameState>>("game");
        const auto row = [](const char *name, const QByteArray &bytes,
                            const std::optional<GameState> &game, const QString &path = "relace") {
            QTest::newRow(name) << bytes << path << game;
        };
        row("1,18,3 at step 2, Uložit on", kShortBytes + "2\r\n1\r\n",
            GameState {.tour = kShort, .shownStep = 2, .saveEnabled = true});
        row("all taken back, Uložit off", kShortBytes + "0\r\n0\r\n",
            GameState {.tour = kShort, .shownStep = 0});
        row("step shown beyond the record", kShortBytes + "4\r\n1\r\n", {});
        row("neither on nor off", kShortBytes + "3\r\n2\r\n", {});
        row("a saved game alone", kShortBytes, {});
        row("a line too many", kShortBytes + "3\r\n1\r\n0\r\n", {});
        row("LF only", linesOf(kShort, {"\n"}) + "3\n1\n", {});
        row("no step", linesOf(Tour {}) + "0\r\n0\r\n", {});
        row("missing", {}, {}, "chybí");
        row("folder", {}, {}, "složka");
        row("FIFO", {}, {}, "roura");
    }

    void keepsSessionGames()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, path);
        QFETCH(std::optional<GameState>, game);
        QTemporaryDir temp;
        const QDir dir(temp.path());
        QVERIFY(file("relace", bytes)(dir) && dir.mkdir("složka")
                && makeFifo(dir.filePath("roura")));
        ::alarm(10);  // a pipe must be refused, not waited on
        QCOMPARE(readSessionRecordFile(dir.filePath(path)), game);
        ::alarm(0);
        if (game)
            QCOMPARE(formatSessionRecord(*game), bytes);
    }

    void writesAllOrNothing_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("fileSizeLimit");  // 0: none
        QTest::addColumn<QString>("reason");  // empty: written; %1 is the target's folder
        const auto row = [](const char *name, const Setup &setup, const QString &reason = {},
                            qint64 fileSizeLimit = 0, const QString &target = "hra.txt") {
            QTest::newRow(name) << setup << target << fileSizeLimit << reason;
        };
        const auto link
            = [](const QString &to,
                 const QByteArray &data) {  // hra.txt to `to`, which holds `data` if any
                  return [=](const QDir &dir) {
                      return (data.isNull() || file(to, data)(dir))
                          && QFile::link(to, dir.filePath("hra.txt"));
                  };
              };
        const QString a244(244, 'a'), a245(245, 'a'),
            tooLong = "Název partie je pro systém souborů příliš dlouhý.";
        const QString noGame
            = "Soubor tohoto názvu už existuje a není to uložená partie.";  // and the file is kept
        row("new file", file("jiná.txt", ""));
        row("replacing a saved game", file("hra.txt", formatSavedGame(kFull)));
        row("longest name", file("jiná.txt", ""), {}, 0,
            a244 + ".txt");  // with the temporary's ".XXXXXX": 255 bytes
        row("name a byte too long, older file kept", file(a245 + ".txt", "stará"), tooLong, 0,
            a245 + ".txt");
        row("Czech letters count as bytes", file("jiná.txt", ""), tooLong, 0,
            QString(123, QChar(0x10D)) + ".txt");
        row("missing folder", file("jiná.txt", ""), "Složka %1 neexistuje.", 0, "chybí/hra.txt");
        row("a file for the folder", file("data", ""), "%1 je soubor, ne složka.", 0,
            "data/hra.txt");
        row(
            "directory in the way", [](const QDir &dir) { return dir.mkdir("hra.txt"); },
            "Na místě souboru je složka se stejným názvem.");
        row(
            "read-only folder",
            [](const QDir &dir) {
                return QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
            },
            ::geteuid() ? "Do složky %1 nelze zapisovat." : "");  // root writes anyway
        row("disk full, older file kept", file("hra.txt", formatSavedGame(kFull)),
            "Zápis se nezdařil, disk je možná plný.", 64);
        row("link to a saved game",
            link("jiná.txt", formatSavedGame(kFull)));  // followed: only a saved game is replaced
        row("a file that is no saved game", file("hra.txt", "CMAKE_HOME_DIRECTORY:INTERNAL=/\n"),
            noGame);
        row("a saved game, then the player's notes",
            file("hra.txt", formatSavedGame(kFull) + "moje poznámky\r\n"),
            "Soubor tohoto názvu už existuje a za uloženou partií obsahuje další text.");
        row("a saved game without its last line end",
            file("hra.txt", formatSavedGame(kFull).chopped(2)));
        row("link to no saved game", link("jiná.txt", "x" + formatSavedGame(kFull)), noGame);
        row("dangling link", link("nikde.txt", {}),
            "Pod tímto názvem je odkaz, který nikam nevede.");
        row(
            "FIFO", [](const QDir &dir) { return makeFifo(dir.filePath("hra.txt")); },
            "Pod tímto názvem je zařízení, roura nebo soket, ne soubor.");
    }

    // Afterwards the target holds the 1,18,3 game's 193 bytes or what it held before; nothing else
    // changed.
    void writesAllOrNothing()
    {
        QFETCH(Setup, setup);
        QFETCH(QString, name);
        QFETCH(qint64, fileSizeLimit);
        QFETCH(QString, reason);
        QTemporaryDir temp;
        const QDir dir(temp.path());
        QVERIFY(setup(dir));
        const QString path = dir.filePath(name);
        const auto entries = [&dir] {
            return dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                 | QDir::NoDotAndDotDot);
        };
        QStringList before = entries();  // hidden ones too: a left-over temporary file shows
        const QByteArray old = contentOf(path);
        rlimit saved {};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit capped {fileSizeLimit ? rlim_t(fileSizeLimit) : saved.rlim_cur,
                             saved.rlim_max};
        std::signal(
            SIGXFSZ,
            SIG_IGN);  // a write over the cap fails with EFBIG instead: a full disk, for root too
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &capped), 0);
        const QString result = writeSavedGameFile(path, formatSavedGame(kShort));
        ::setrlimit(RLIMIT_FSIZE, &saved);
        QCOMPARE(result,
                 reason.contains('%') ? reason.arg(QFileInfo(path).absolutePath()) : reason);
        QCOMPARE(contentOf(path), reason.isEmpty() ? kShortBytes : old);
        if (reason.isEmpty() && !before.contains(name))
            before << name;
        before.sort();
        QCOMPARE(entries(), before);
    }
};
QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
