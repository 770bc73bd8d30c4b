// Saved games on disk: any bytes and any kind of file read, the session's game, all-or-none writes.

#include "storage/SavedGameFormat.h"
#include "storage/SavedGameWriter.h"
#include "storage/SessionRecord.h"
#include "tests/support/BoardFacts.h"

#include <QtTest>
#include <csignal>
#include <cstdarg>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace trevak;
using namespace trevak::testing;

// The reader's open() comes here; QFile's goes to open64. A file named vyměněná.txt gives its place
// to a pipe with no writer at the moment it is opened, after whatever look at the path came before.
extern "C" int open(const char *path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? va_arg(arguments, mode_t) : 0;
    va_end(arguments);
    const bool swapped = QByteArrayView(path).endsWith("/vyměněná.txt");
    if (swapped && (::unlink(path) != 0 || ::mkfifo(path, 0600) != 0))
        qFatal("no pipe could take the place of %s", path);
    return ::openat(AT_FDCWD, path, flags, mode);
}

const QByteArray kGame = savedGame("H8 G6 F8");  // the game of most rows

// The game with line `line` holding `text` instead.
static QByteArray gameWith(int line, const QByteArray &text)
{
    QByteArrayList lines = kGame.split('\n');
    lines[line - 1] = text + '\r';
    return lines.join('\n');
}

// One of everything the readers and the writer may meet, hra.txt holding `bytes`.
static bool fill(const QTemporaryDir &folder, const QByteArray &bytes)
{
    const auto write = [&folder](const QString &name, const QByteArray &bytes) {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    return write("hra.txt", bytes) && write(QString(244, 'a') + ".txt", bytes)
        && write("cizí.txt", "Ahoj\r\n") && write("velká.txt", kGame)
        && QFile::resize(folder.filePath("velká.txt"), 1LL << 30)
        && QFile::link("hra.txt", folder.filePath("vyměněná.txt"))
        && QFile::link("nikde.txt", folder.filePath("nikam.txt"))
        && QDir(folder.path()).mkdir("složka")
        && ::mkfifo(QFile::encodeName(folder.filePath("roura")), 0600) == 0;
}

// The bytes of a regular file; nothing for anything else, which could block the test.
static QByteArray contentOf(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// A read in words: the squares, and whether more follows them; or the line at fault and why.
static QString verdict(const SavedGameRead &read)
{
    if (!read.ok || !read.problem.isEmpty())
        return (read.line ? QString("line %1: ").arg(read.line) : QString()) + read.problem;
    QStringList squares;
    for (int step = 0; step < 64 && read.tour[step] != 0; ++step)
        squares << nameOf(read.tour[step]);
    return squares.join(' ') + (read.textAfterGame ? ", then more" : "");
}

// A row of any of the tables: a file, and what is said of it.
struct Row {
    QString name = "hra.txt";  // of the file read or written
    QByteArray bytes = {};  // of hra.txt
    // The verdict; "as written" or "no game"; "written" or why not, "<složka>" the folder.
    QString says;
    rlim_t sizeLimit = RLIM_INFINITY;  // of any file written
};

static void add(const char *name, const Row &row)
{
    QTest::newRow(name) << row;
}

class TestStorage : public QObject {
    Q_OBJECT
private slots:
    void reads_data()
    {
        QTest::addColumn<Row>("row");
        const QString notNumber = " neobsahuje číslo pole.";
        const QString tooBig = " obsahuje číslo větší než 64.";
        const QString tooShort = "Soubor končí řádkem 63, uložená partie má 64 řádků.";
        const QString gap = "line 4: Řádek 4 obsahuje 0, ale na řádku 5 partie pokračuje.";
        const QString twice = "line 4: Pole 47 je uvedeno na řádku 2 i na řádku 4.";
        const QString longLine = "line 2: Řádek 2 je delší než 1024 bajtů.";
        add("the knight alone, LF", {.bytes = savedGame("A1", "\n"), .says = "A1"});
        add("CR", {.bytes = savedGame("H8 G6 F8", "\r"), .says = "H8 G6 F8"});
        add("blanks and tabs", {.bytes = gameWith(2, " \t47\t "), .says = "H8 G6 F8"});
        add("no end after the last line", {.bytes = kGame.chopped(2), .says = "H8 G6 F8"});
        add("1024 bytes", {.bytes = gameWith(2, "47" + QByteArray(1022, ' ')), .says = "H8 G6 F8"});
        add("1 GiB", {.name = "velká.txt", .says = "H8 G6 F8, then more"});
        add("empty", {.bytes = "", .says = "Soubor je prázdný."});
        add("63 lines", {.bytes = kGame.chopped(3), .says = tooShort});
        add("an empty line", {.bytes = "\n" + kGame, .says = "line 1: Řádek 1 je prázdný."});
        add("letters", {.bytes = gameWith(7, "abc"), .says = "line 7: Řádek 7" + notNumber});
        add("two numbers", {.bytes = gameWith(4, "1 2"), .says = "line 4: Řádek 4" + notNumber});
        add("65", {.bytes = gameWith(3, "0065"), .says = "line 3: Řádek 3" + tooBig});
        add("1025 bytes", {.bytes = gameWith(2, QByteArray(1025, ' ')), .says = longLine});
        add("zeros only", {.bytes = savedGame(""), .says = "Soubor neobsahuje žádný tah."});
        add("a gap", {.bytes = gameWith(5, "1"), .says = gap});
        add("a square twice", {.bytes = gameWith(4, "47"), .says = twice});
        add("missing", {.name = "chybí.txt", .says = "Soubor neexistuje."});
        add("a folder", {.name = "složka", .says = "Vybraná cesta je složka."});
        add("swapped pipe", {.name = "vyměněná.txt", .says = "Vybraná cesta není běžný soubor."});
        add("the first read fails", {.name = "/proc/self/mem", .says = "Soubor nelze přečíst."});
    }

    // One verdict, from no more than the 64 longest lines and one chunk ahead.
    void reads()
    {
        QFETCH(Row, row);
        QTemporaryDir folder;
        QVERIFY(fill(folder, row.bytes));
        // rchar, the first line of /proc/self/io: the bytes this process has read so far.
        const qint64 before = contentOf("/proc/self/io").split('\n')[0].sliced(7).toLongLong();
        const SavedGameRead read = readSavedGameFile(QDir(folder.path()).filePath(row.name));
        const qint64 after = contentOf("/proc/self/io").split('\n')[0].sliced(7).toLongLong();
        QCOMPARE_LE(after - before, 64 * 1026 + 512);
        QCOMPARE(verdict(read), row.says);
    }

    // Read back as written; anything else is no game at all.
    void keepsSessionGames_data()
    {
        QTest::addColumn<Row>("row");
        add("at step 2 of 3, Uložit on", {.bytes = kGame + "2\r\n1\r\n", .says = "as written"});
        add("A1 at step 0", {.bytes = savedGame("A1") + "0\r\n0\r\n", .says = "as written"});
        add("a step shown beyond the record", {.bytes = kGame + "4\r\n1\r\n", .says = "no game"});
        add("Uložit neither on nor off", {.bytes = kGame + "3\r\n2\r\n", .says = "no game"});
        add("no step shown", {.bytes = kGame + "\r\n1\r\n", .says = "no game"});
        add("a letter for the step shown", {.bytes = kGame + "x\r\n1\r\n", .says = "no game"});
        add("a saved game alone", {.bytes = kGame, .says = "no game"});
        add("LF lines", {.bytes = savedGame("A1", "\n") + "1\r\n1\r\n", .says = "no game"});
        add("no step", {.bytes = savedGame("") + "0\r\n0\r\n", .says = "no game"});
        add("a pipe", {.name = "roura", .says = "no game"});
    }

    void keepsSessionGames()
    {
        QFETCH(Row, row);
        QTemporaryDir folder;
        QVERIFY(fill(folder, row.bytes));
        const std::optional<GameState> game = readSessionRecordFile(folder.filePath(row.name));
        const QByteArray back = game ? formatSessionRecord(*game) : "no game";
        QCOMPARE(back, row.says == "as written" ? row.bytes : "no game");
    }

    void writesAllOrNothing_data()
    {
        QTest::addColumn<Row>("row");
        const QString exists = "Soubor tohoto názvu už existuje a ";
        const QString tooLong = "Název partie je pro systém souborů příliš dlouhý.";
        const QString pipe = "Pod tímto názvem je zařízení, roura nebo soket, ne soubor.";
        add("255 bytes with .XXXXXX", {.name = QString(244, 'a') + ".txt", .says = "written"});
        add("a byte too long, č two", {.name = QString(122, u'č') + "a.txt", .says = tooLong});
        add("a missing folder", {.name = "chybí/hra.txt", .says = "Složka <složka> neexistuje."});
        add("a file as folder", {.name = "hra.txt/x", .says = "<složka> je soubor, ne složka."});
        add("a folder",
            {.name = "složka", .says = "Na místě souboru je složka se stejným názvem."});
        add("the disk full", {.says = "Zápis se nezdařil, disk je možná plný.", .sizeLimit = 64});
        add("no saved game", {.name = "cizí.txt", .says = exists + "není to uložená partie."});
        add("a dead link",
            {.name = "nikam.txt", .says = "Pod tímto názvem je odkaz, který nikam nevede."});
        add("a game, then more",
            {.name = "velká.txt", .says = exists + "za uloženou partií obsahuje další text."});
        add("a pipe", {.name = "roura", .says = pipe});
    }

    // Afterwards the target holds the new game or what it held before; nothing else changed.
    void writesAllOrNothing()
    {
        QFETCH(Row, row);
        QTemporaryDir folder;
        QVERIFY(fill(folder, savedGame("E1 F3 G5")));
        const QString path = folder.filePath(row.name);
        // Hidden ones too: a temporary file left behind would show.
        const auto all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
        const QStringList before = QDir(folder.path()).entryList(all);
        const QByteArray old = contentOf(path);
        // Over the limit a write fails with EFBIG, as on a full disk, for root too.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit {};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit unlimited = limit;
        limit.rlim_cur = std::min(row.sizeLimit, limit.rlim_cur);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        const QString reason = writeSavedGameFile(path, kGame);
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        QCOMPARE(reason.isEmpty() ? "written" : reason,
                 row.says.replace("<složka>", QFileInfo(path).absolutePath()));
        QCOMPARE(contentOf(path), reason.isEmpty() ? kGame : old);
        QCOMPARE(QDir(folder.path()).entryList(all), before);
    }
};

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
