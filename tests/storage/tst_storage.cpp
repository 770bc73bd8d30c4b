// Saved games: the bytes written, the reader's verdict on any input, and writing all or nothing.

#include "storage/SavedGameFormat.h"
#include "storage/SavedGameWriter.h"

#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <atomic>
#include <functional>
#include <thread>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace trevak;
using Setup = std::function<bool(const QDir &)>;  // prepares the folder; false: not possible here
Q_DECLARE_METATYPE(trevak::Tour)
Q_DECLARE_METATYPE(Setup)

namespace {

constexpr qint64 kMostBytesRead = 64 * 1026 + 512;  // 64 longest lines with CR LF, one chunk ahead
const QByteArray kShortBytes = "1\r\n18\r\n3\r\n" + QByteArray("0\r\n").repeated(61);
const Tour kShort{1, 18, 3};  // A1, B3, C1
const Tour kFull{1, 11, 5, 15, 32, 47, 64, 54, 48, 63, 53, 59, 49, 34, 17, 2, 12, 6, 16, 22, 7, 24, 39, 56, 62, 52,
                 58, 41, 26, 9, 3, 18, 33, 43, 60, 50, 35, 25, 10, 4, 19, 13, 28, 45, 30, 20, 37, 27, 42, 57, 51, 36,
                 21, 31, 14, 8, 23, 29, 44, 38, 55, 40, 46, 61};

// The tour's 64 entries, each ended by one of `ends` in turn.
QByteArray linesOf(const Tour &tour, const QByteArrayList &ends = {"\r\n"})
{
    QByteArray bytes;
    for (int k = 0; k < kSquareCount; ++k)
        bytes += QByteArray::number(tour[k]) + ends[k % ends.size()];
    return bytes;
}
// The 1,18,3 game with line `line` holding `text`.
QByteArray shortWith(int line, const QByteArray &text)
{
    QByteArrayList lines = kShortBytes.split('\n');
    lines[line - 1] = text + '\r';
    return lines.join('\n');
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
QByteArray contentOf(const QString &path)  // of a regular file only: a pipe would block
{
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
bool linkTo(const QDir &dir, const char *target) { return QFile::link(target, dir.filePath("hra.txt")); }
// Hidden entries included, so that a left-over temporary file shows.
QStringList entriesIn(const QDir &dir)
{
    return dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// What this process has read from files so far, as the kernel counts it ("rchar: N").
qint64 bytesReadByProcess() { return contentOf(QStringLiteral("/proc/self/io")).split('\n')[0].mid(7).toLongLong(); }

// `head`, then `pattern` repeated for ever (nothing when empty), at most `piece` bytes per read;
// read() fails once `failAfter` bytes are out. Unbuffered, so `position` is what the reader took.
struct PatternDevice : QIODevice {
    PatternDevice(const QByteArray &head, const QByteArray &pattern, qint64 piece, qint64 failAfter)
        : head(head), pattern(pattern), piece(piece), failAfter(failAfter) { open(ReadOnly | Unbuffered); }
    qint64 readData(char *data, qint64 max) override
    {
        if (position == failAfter)
            return -1;
        const qint64 count = std::min({max, piece, pattern.isEmpty() ? head.size() - position : max,
                                       failAfter < 0 ? max : failAfter - position});
        for (qint64 i = 0; i < count; ++i, ++position)
            data[i] = position < head.size() ? head[position] : pattern[(position - head.size()) % pattern.size()];
        return count;
    }
    qint64 writeData(const char *, qint64) override { return -1; }
    QByteArray head, pattern;
    qint64 piece, failAfter, position = 0;
};

}  // namespace

class TestStorage : public QObject {
    Q_OBJECT

private slots:
    void readsInput_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<Tour>("tour");           // all zeros when refused
        QTest::addColumn<QString>("problem");     // empty when accepted
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("pattern");  // repeated for ever after head; NULs: a sparse 1 GiB file
        QTest::addColumn<qint64>("failAfter");    // reading fails after this many bytes
        const auto row = [](const char *name, const QByteArray &head, const Tour &tour, const QString &problem = {},
                            int line = 0, const QByteArray &pattern = {}, qint64 failAfter = -1) {
            QTest::newRow(name) << head << tour << problem << line << pattern << failAfter;
        };
        const QByteArray nuls(1, '\0');
        row("1,18,3", kShortBytes, kShort);
        row("full tour, written", formatSavedGame(kFull), kFull);
        row("one step", linesOf(Tour{64}), Tour{64});
        row("LF", linesOf(kShort, {"\n"}), kShort);
        row("CR", linesOf(kShort, {"\r"}), kShort);
        row("mixed line ends", linesOf(kFull, {"\r\n", "\n", "\r"}), kFull);
        row("blanks and tabs", " 1\r\n\t18\t\r\n \t 3 \t \r\n0   \r\n" + kShortBytes.mid(13), kShort);
        row("leading zeros", "001\r\n0018\r\n3\r\n00\r\n" + kShortBytes.mid(13, 177) + "0000\r\n", kShort);
        row("no final terminator", kShortBytes.chopped(2), kShort);
        row("more than 64 lines", kShortBytes + "nesmysl\r\n99\r\n\r\n" + QByteArray(5000, 'x'), kShort);
        row("a game, then endless NULs", kShortBytes, kShort, {}, 0, nuls);
        row("not knight's jumps", linesOf(Tour{1, 2, 3, 64}), Tour{1, 2, 3, 64});
        row("line of 1024 bytes", shortWith(2, "18" + QByteArray(1022, ' ')), kShort);

        const QString notNumber = QStringLiteral("Řádek %1 neobsahuje číslo pole.");
        row("empty file", "", {}, "Soubor je prázdný.");
        row("63 lines", kShortBytes.chopped(3), {}, "Soubor končí řádkem 63, uložená partie má 64 řádků.");
        row("empty line", "\n" + kShortBytes, {}, "Řádek 1 je prázdný.", 1);
        row("letters", shortWith(7, "abc"), {}, notNumber.arg(7), 7);
        row("two numbers", shortWith(4, "1 2"), {}, notNumber.arg(4), 4);
        row("NUL byte", shortWith(3, QByteArray("3\0", 2)), {}, notNumber.arg(3), 3);
        row("endless NULs", "", {}, notNumber.arg(1), 1, nuls);
        row("65", shortWith(3, "0065"), {}, "Řádek 3 obsahuje číslo větší než 64.", 3);
        row("huge number", shortWith(2, "99999999999999999999999"), {}, "Řádek 2 obsahuje číslo větší než 64.", 2);
        row("line of 1025 bytes", shortWith(2, "18" + QByteArray(1023, ' ')), {}, "Řádek 2 je delší než 1024 bajtů.", 2);
        row("endless digits", "", {}, "Řádek 1 je delší než 1024 bajtů.", 1, "7");
        row("zeros only", linesOf(Tour{}), {}, "Soubor neobsahuje žádný tah.");
        row("gap", linesOf(Tour{1, 18, 0, 3}), {}, "Řádek 3 obsahuje 0, ale na řádku 4 partie pokračuje.", 3);
        row("square twice", linesOf(Tour{5, 18, 3, 4, 6, 7, 8, 9, 10, 18}), {},
            "Pole 18 je uvedeno na řádku 2 i na řádku 10.", 10);
        row("read fails at once", kShortBytes, {}, "Soubor nelze přečíst.", 0, nuls, 0);
        row("read fails in line 64", kShortBytes, {}, "Soubor nelze přečíst.", 0, nuls, 191);
    }
    // In chunks, one byte per read (splitting every CR LF) and from a file: one verdict from the first few KiB.
    void readsInput()
    {
        QFETCH(QByteArray, head);
        QFETCH(Tour, tour);
        QFETCH(QString, problem);
        QFETCH(int, line);
        QFETCH(QByteArray, pattern);
        QFETCH(qint64, failAfter);
        PatternDevice chunks(head, pattern, 1 << 16, failAfter), oneByte(head, pattern, 1, failAfter);
        QList<SavedGameRead> reads{readSavedGame(chunks), readSavedGame(oneByte)};
        QVERIFY2(chunks.position <= kMostBytesRead, qPrintable(QString::number(chunks.position)));
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("hra.txt"));
        if (failAfter < 0 && pattern.count('\0') == pattern.size()) {
            QVERIFY(writeFile(path, head) && (pattern.isEmpty() || QFile::resize(path, 1LL << 30)));
            const qint64 before = bytesReadByProcess();
            reads << readSavedGameFile(path);
            QVERIFY(bytesReadByProcess() - before <= kMostBytesRead);
        }
        for (const SavedGameRead &read : reads) {
            QCOMPARE(read.problem, problem);
            QCOMPARE(read.line, line);
            QCOMPARE(read.ok, problem.isEmpty());
            QCOMPARE(read.tour, tour);
        }
    }

    void refusesPathsThatAreNoFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("problem");
        QTest::newRow("missing") << "chybí.txt" << "Soubor neexistuje.";
        QTest::newRow("directory") << "složka.txt" << "Vybraná cesta je složka.";
        QTest::newRow("FIFO") << "roura.txt" << "Vybraná cesta není běžný soubor.";
        QTest::newRow("unreadable") << "zamčeno.txt" << "Soubor nelze otevřít, chybí oprávnění ke čtení.";
    }
    void refusesPathsThatAreNoFiles()
    {
        QFETCH(QString, name);
        QFETCH(QString, problem);
        if (name == "zamčeno.txt" && ::geteuid() == 0)
            QSKIP("Root can read any file.");
        QTemporaryDir temp;
        const QDir dir(temp.path());
        const QString locked = dir.filePath("zamčeno.txt");
        QVERIFY(writeFile(locked, "") && QFile::setPermissions(locked, QFile::WriteOwner));
        QVERIFY(dir.mkdir("složka.txt") && ::mkfifo(QFile::encodeName(dir.filePath("roura.txt")).constData(), 0600) == 0);
        ::alarm(5);  // opening a pipe that nobody writes to would block: end the test instead
        const SavedGameRead read = readSavedGameFile(dir.filePath(name));
        ::alarm(0);
        QCOMPARE(read.problem, problem);
        QCOMPARE(read.line, 0);
        QVERIFY(!read.ok);
    }

    // A pipe put in the file's place while it is being opened is refused, never waited on.
    void pipeSwappedInIsNotWaitedOn()
    {
        QTemporaryDir temp;
        const QDir dir(temp.path());
        QVERIFY(writeFile(dir.filePath("hra.txt"), kShortBytes));
        QVERIFY(::mkfifo(QFile::encodeName(dir.filePath("roura")).constData(), 0600) == 0);
        const QByteArray path = QFile::encodeName(dir.filePath("střídá.txt")), next = path + ".nový";
        std::atomic<bool> done = false;
        std::thread swapper([&] {
            for (int i = 0; !done; ++i)
                ::symlink(i % 2 ? "roura" : "hra.txt", next) == 0 && ::rename(next, path) == 0;
        });
        ::alarm(10);
        int refused = 0;  // until the pipe has been met a few times: the swapper may start late on a busy machine
        for (const QDeadlineTimer deadline(8000); refused < 20 && !deadline.hasExpired();) {
            const SavedGameRead read = readSavedGameFile(QFile::decodeName(path));
            refused += read.problem == "Vybraná cesta není běžný soubor." ? 1 : 0;
            QVERIFY(read.ok || read.problem == "Vybraná cesta není běžný soubor." || read.problem == "Soubor neexistuje.");
        }
        ::alarm(0);
        done = true;
        swapper.join();
        QVERIFY(refused > 0);
    }

    void writesAllOrNothing_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("fileSizeLimit");  // 0: none
        QTest::addColumn<QString>("reason");        // empty: written; %1 is the target's folder
        const Setup none = [](const QDir &) { return true; };
        const Setup older = [](const QDir &dir) { return writeFile(dir.filePath("hra.txt"), formatSavedGame(kFull)); };
        const QString a244(244, 'a'), a245(245, 'a');
        const QString tooLong = QStringLiteral("Název partie je pro systém souborů příliš dlouhý.");
        QTest::newRow("new file") << none << "hra.txt" << 0LL << QString();
        QTest::newRow("replacing a file") << older << "hra.txt" << 0LL << QString();
        // The temporary "<name>.XXXXXX" beside it must fit in 255 bytes as well.
        QTest::newRow("longest name") << none << a244 + ".txt" << 0LL << QString();
        QTest::newRow("name a byte too long, older file kept")
            << Setup([=](const QDir &dir) { return writeFile(dir.filePath(a245 + ".txt"), "stará"); })
            << a245 + ".txt" << 0LL << tooLong;
        QTest::newRow("Czech letters count as bytes") << none << QString(123, QChar(0x10D)) + ".txt" << 0LL << tooLong;
        QTest::newRow("missing folder") << none << "chybí/hra.txt" << 0LL << QStringLiteral("Složka %1 neexistuje.");
        QTest::newRow("directory in the way") << Setup([](const QDir &dir) { return dir.mkdir("hra.txt"); })
                                              << "hra.txt" << 0LL << "Na místě souboru je složka se stejným názvem.";
        QTest::newRow("read-only folder")
            << Setup([](const QDir &dir) {
                   return QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner) && ::geteuid();
               })
            << "hra.txt" << 0LL << QStringLiteral("Do složky %1 nelze zapisovat.");
        QTest::newRow("disk full, older file kept") << older << "hra.txt" << 64LL
                                                    << QStringLiteral("Zápis se nezdařil, disk je možná plný.");
        // Only a saved game is replaced, after following links; anything else of the name stays.
        const QString noGame = QStringLiteral("Soubor tohoto názvu už existuje a není to uložená partie.");
        QTest::newRow("link to a saved game") << Setup([](const QDir &dir) {
            return writeFile(dir.filePath("jiná.txt"), formatSavedGame(kFull)) && linkTo(dir, "jiná.txt");
        }) << "hra.txt" << 0LL << QString();
        QTest::newRow("a file that is no saved game")
            << Setup([](const QDir &dir) { return writeFile(dir.filePath("hra.txt"), "CMAKE_HOME_DIRECTORY:INTERNAL=/\n"); })
            << "hra.txt" << 0LL << noGame;
        QTest::newRow("link to no saved game") << Setup([](const QDir &dir) {
            return writeFile(dir.filePath("jiná.txt"), "x" + formatSavedGame(kFull)) && linkTo(dir, "jiná.txt");
        }) << "hra.txt" << 0LL << noGame;
        QTest::newRow("dangling link") << Setup([](const QDir &dir) { return linkTo(dir, "nikde.txt"); }) << "hra.txt" << 0LL
                                       << "Pod tímto názvem je odkaz, který nikam nevede.";
        QTest::newRow("FIFO") << Setup([](const QDir &dir) {
            return ::mkfifo(QFile::encodeName(dir.filePath("hra.txt")).constData(), 0600) == 0;
        }) << "hra.txt" << 0LL << "Pod tímto názvem je zařízení, roura nebo soket, ne soubor.";
        QTest::newRow("a file for the folder") << Setup([](const QDir &dir) { return writeFile(dir.filePath("data"), ""); })
                                               << "data/hra.txt" << 0LL << QStringLiteral("%1 je soubor, ne složka.");
    }
    // Afterwards the target holds the 1,18,3 game's 193 bytes or what it held before; nothing else changed.
    void writesAllOrNothing()
    {
        QFETCH(Setup, setup);
        QFETCH(QString, name);
        QFETCH(qint64, fileSizeLimit);
        QFETCH(QString, reason);
        QTemporaryDir temp;
        const QDir dir(temp.path());
        if (!setup(dir))
            QSKIP("Permissions do not stop root.");
        const QString path = dir.filePath(name);
        QStringList entries = entriesIn(dir);
        const QByteArray old = contentOf(path);
        // A cap on the size of the files this process writes acts as a full disk, for root too.
        rlimit saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit capped{fileSizeLimit ? rlim_t(fileSizeLimit) : saved.rlim_cur, saved.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);  // fail the write with EFBIG instead
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &capped), 0);
        const QString result = writeSavedGameFile(path, formatSavedGame(kShort));
        ::setrlimit(RLIMIT_FSIZE, &saved);
        QCOMPARE(result, reason.contains('%') ? reason.arg(QFileInfo(path).absolutePath()) : reason);
        QCOMPARE(contentOf(path), reason.isEmpty() ? kShortBytes : old);
        if (reason.isEmpty() && !entries.contains(name))
            entries << name;
        entries.sort();
        QCOMPARE(entriesIn(dir), entries);
    }
};

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
