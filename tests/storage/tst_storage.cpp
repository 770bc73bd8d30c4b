// Saved games on disk: the reader's verdict on any bytes and any kind of file, the game a desktop
// session keeps, and writing all or nothing.

#include "storage/SavedGameFormat.h"
#include "storage/SavedGameWriter.h"
#include "storage/SessionRecord.h"
#include "tests/support/BoardFacts.h"

#include <QTest>
#include <QtCore>
#include <csignal>
#include <cstdarg>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace trevak;
using namespace trevak::testing;

// The reader's open() comes here. When `pipeAtOpen` names the path opened, a pipe with no writer
// takes the file's place just then, after whatever look at the path came before.
static QByteArray pipeAtOpen;
extern "C" int open(const char *path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? va_arg(arguments, mode_t) : 0;
    va_end(arguments);
    if (!pipeAtOpen.isEmpty() && pipeAtOpen == path) {
        pipeAtOpen.clear();
        const QByteArray pipe = QByteArray(path) + ".roura";
        if (::mkfifo(pipe.constData(), 0600) != 0 || ::rename(pipe.constData(), path) != 0)
            qFatal("no pipe could take the place of %s", path);
    }
    return int(::syscall(SYS_openat, AT_FDCWD, path, flags, mode));
}

// What a folder holds before a test.
struct Entry {
    enum Kind {
        File,
        Folder,
        Pipe,
        Link,
        LockedFile  // the owner may only write it
    };
    Kind kind;
    QString name;
    QByteArray bytes = {};  // a file's
    QString linkTo = {};
};
static Entry file(const QString &name, const QByteArray &bytes)
{
    return {.kind = Entry::File, .name = name, .bytes = bytes};
}
static Entry symbolicLink(const QString &name, const QString &to)
{
    return {.kind = Entry::Link, .name = name, .linkTo = to};
}

static bool make(const QDir &folder, const QList<Entry> &entries)
{
    for (const Entry &entry : entries) {
        const QString path = folder.filePath(entry.name);
        QFile out(path);
        bool made = true;
        if (entry.kind == Entry::Folder)
            made = folder.mkdir(entry.name);
        else if (entry.kind == Entry::Pipe)
            made = ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
        else if (entry.kind == Entry::Link)
            made = QFile::link(entry.linkTo, path);
        else
            made = out.open(QIODevice::WriteOnly) && out.write(entry.bytes) == entry.bytes.size();
        if (entry.kind == Entry::LockedFile)
            made = made && out.setPermissions(QFile::WriteOwner);
        if (!made)
            return false;
    }
    return true;
}

// The bytes of a regular file; nothing for anything else, which could block the test.
static QByteArray contentOf(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// A1, B3, C1: the short game of most rows.
const Tour kShort {1, 18, 3};
const QByteArray kShortBytes = savedGameBytes({1, 18, 3});

// The lines of `bytes`, line `line` holding `text` instead.
static QByteArray withLine(const QByteArray &bytes, int line, const QByteArray &text)
{
    QByteArrayList lines = bytes.split('\n');
    lines[line - 1] = text + '\r';
    return lines.join('\n');
}
static QByteArray shortGameWith(int line, const QByteArray &text)
{
    return withLine(kShortBytes, line, text);
}

// The reader's verdict in words: the squares read ("A1 B3 C1"), or the line at fault and why.
static QString verdict(const SavedGameRead &read)
{
    QStringList squares;
    for (int step = 0; step < 64 && read.tour[step] != 0; ++step)
        squares << nameOf(read.tour[step]);
    if (read.ok)
        return squares.join(' ');
    const QString line = read.line ? QString("line %1: ").arg(read.line) : QString();
    return line + read.problem + (squares.isEmpty() ? "" : " Yet it read " + squares.join(' '));
}

// A kept game in words: the squares recorded, the step shown, whether Uložit is on.
static QString kept(const std::optional<GameState> &game)
{
    if (!game)
        return "no game";
    QStringList squares;
    for (int step = 0; step < 64 && game->tour[step] != 0; ++step)
        squares << nameOf(game->tour[step]);
    return QString("%1 at step %2%3")
        .arg(squares.join(' '))
        .arg(game->shownStep)
        .arg(game->saveEnabled ? ", Uložit on" : "");
}

struct Read {
    QByteArray bytes;  // of hra.txt; velká.txt holds them too, then NULs up to 1 GiB
    QString verdict;
    QString name = "hra.txt";  // read: one of those, zamčeno.txt, složka.txt or roura
};

struct Session {
    QByteArray bytes;  // of relace
    QString game;
    QString name = "relace";  // read: relace, chybí, složka or roura
};

struct Write {
    QList<Entry> before;  // in the folder
    QString reason;  // why nothing was written, "<složka>" the folder written to; empty: written
    QString name = "hra.txt";  // written to
    rlim_t fileSizeLimit = RLIM_INFINITY;
};

class TestStorage : public QObject {
    Q_OBJECT
private slots:
    void reads_data()
    {
        QTest::addColumn<Read>("read");
        const auto add = [](const char *name, const Read &read) {
            QTest::newRow(name) << read;
        };
        const QString notNumber = " neobsahuje číslo pole.";
        add("A1 B3 C1", {.bytes = kShortBytes, .verdict = "A1 B3 C1"});
        add("one step", {.bytes = savedGameBytes({64}), .verdict = "H8"});
        add("LF", {.bytes = savedGameBytes({1, 18, 3}, "\n"), .verdict = "A1 B3 C1"});
        add("CR", {.bytes = savedGameBytes({1, 18, 3}, "\r"), .verdict = "A1 B3 C1"});
        add("CR and LF in two chunks of 512 bytes",
            {.bytes = QByteArray(510, ' ') + kShortBytes, .verdict = "A1 B3 C1"});
        add("blanks and tabs", {.bytes = shortGameWith(2, " \t18\t "), .verdict = "A1 B3 C1"});
        add("leading zeros",
            {.bytes = withLine(shortGameWith(1, "001"), 4, "000"), .verdict = "A1 B3 C1"});
        add("no end after the last line", {.bytes = kShortBytes.chopped(2), .verdict = "A1 B3 C1"});
        add("more after line 64",
            {.bytes = kShortBytes + "poznámky\r\n99\r\n" + QByteArray(5000, 'x'),
             .verdict = "A1 B3 C1"});
        add("a game, then 1 GiB of NULs",
            {.bytes = kShortBytes, .verdict = "A1 B3 C1", .name = "velká.txt"});
        add("a line of 1024 bytes",
            {.bytes = shortGameWith(2, "18" + QByteArray(1022, ' ')), .verdict = "A1 B3 C1"});
        add("empty", {.bytes = "", .verdict = "Soubor je prázdný."});
        add("63 lines",
            {.bytes = kShortBytes.chopped(3),
             .verdict = "Soubor končí řádkem 63, uložená partie má 64 řádků."});
        add("an empty line",
            {.bytes = "\n" + kShortBytes, .verdict = "line 1: Řádek 1 je prázdný."});
        add("letters",
            {.bytes = shortGameWith(7, "abc"), .verdict = "line 7: Řádek 7" + notNumber});
        add("two numbers",
            {.bytes = shortGameWith(4, "1 2"), .verdict = "line 4: Řádek 4" + notNumber});
        add("65",
            {.bytes = shortGameWith(3, "0065"),
             .verdict = "line 3: Řádek 3 obsahuje číslo větší než 64."});
        add("a huge number",
            {.bytes = shortGameWith(2, "99999999999999999999999"),
             .verdict = "line 2: Řádek 2 obsahuje číslo větší než 64."});
        add("a line of 1025 bytes",
            {.bytes = shortGameWith(2, "18" + QByteArray(1023, ' ')),
             .verdict = "line 2: Řádek 2 je delší než 1024 bajtů."});
        add("2 MiB of digits",
            {.bytes = QByteArray(2 << 20, '7'),
             .verdict = "line 1: Řádek 1 je delší než 1024 bajtů."});
        add("zeros only", {.bytes = savedGameBytes({}), .verdict = "Soubor neobsahuje žádný tah."});
        add("a gap",
            {.bytes = savedGameBytes({1, 18, 0, 3}),
             .verdict = "line 3: Řádek 3 obsahuje 0, ale na řádku 4 partie pokračuje."});
        add("a square twice",
            {.bytes = savedGameBytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 2}),
             .verdict = "line 10: Pole 2 je uvedeno na řádku 2 i na řádku 10."});
        add("missing", {.bytes = "", .verdict = "Soubor neexistuje.", .name = "chybí.txt"});
        add("a folder", {.bytes = "", .verdict = "Vybraná cesta je složka.", .name = "složka.txt"});
        add("a pipe nobody writes to",
            {.bytes = "", .verdict = "Vybraná cesta není běžný soubor.", .name = "roura"});
        add("the first read fails",
            {.bytes = "", .verdict = "Soubor nelze přečíst.", .name = "/proc/self/mem"});
        // Root opens any file.
        add("no right to read",
            {.bytes = "",
             .verdict = ::geteuid() ? "Soubor nelze otevřít, chybí oprávnění ke čtení."
                                    : "Soubor je prázdný.",
             .name = "zamčeno.txt"});
    }

    // One verdict, from no more than the 64 longest lines and one chunk ahead.
    void reads()
    {
        QFETCH(Read, read);
        QTemporaryDir temp;
        const QDir folder(temp.path());
        QVERIFY(make(folder,
                     {file("hra.txt", read.bytes),
                      file("velká.txt", read.bytes),
                      {.kind = Entry::LockedFile, .name = "zamčeno.txt"},
                      {.kind = Entry::Folder, .name = "složka.txt"},
                      {.kind = Entry::Pipe, .name = "roura"}}));
        QVERIFY(QFile::resize(folder.filePath("velká.txt"), 1LL << 30));
        const auto bytesRead = [] {
            return contentOf("/proc/self/io").split('\n')[0].sliced(7).toLongLong();  // rchar
        };
        const qint64 before = bytesRead();
        const SavedGameRead result = readSavedGameFile(folder.filePath(read.name));
        QCOMPARE_LE(bytesRead() - before, 64 * 1026 + 512);
        QCOMPARE(verdict(result), read.verdict);
        QCOMPARE(result.problem.isEmpty(), result.ok);
    }

    // Opened, then judged by what was opened: a pipe that replaces the game in the meantime is
    // refused at once, not waited on.
    void pipeSwappedInIsRefused()
    {
        QTemporaryDir temp;
        const QString path = temp.filePath("hra.txt");
        QVERIFY(make(QDir(temp.path()), {file("hra.txt", kShortBytes)}));
        pipeAtOpen = QFile::encodeName(path);
        const SavedGameRead read = readSavedGameFile(path);
        QVERIFY2(pipeAtOpen.isEmpty(), "the reader never opened the file");
        QCOMPARE(read.problem, "Vybraná cesta není běžný soubor.");
    }

    // Read back as written; anything else is no game at all.
    void keepsSessionGames_data()
    {
        QTest::addColumn<Session>("session");
        const auto add = [](const char *name, const Session &s) {
            QTest::newRow(name) << s;
        };
        add("at step 2, Uložit on",
            {.bytes = kShortBytes + "2\r\n1\r\n", .game = "A1 B3 C1 at step 2, Uložit on"});
        add("all taken back, Uložit off",
            {.bytes = kShortBytes + "0\r\n0\r\n", .game = "A1 B3 C1 at step 0"});
        add("the knight alone",
            {.bytes = savedGameBytes({20}) + "1\r\n0\r\n", .game = "D3 at step 1"});
        add("a step shown beyond the record",
            {.bytes = kShortBytes + "4\r\n1\r\n", .game = "no game"});
        add("Uložit neither on nor off", {.bytes = kShortBytes + "3\r\n2\r\n", .game = "no game"});
        add("a saved game alone", {.bytes = kShortBytes, .game = "no game"});
        add("a line too many", {.bytes = kShortBytes + "3\r\n1\r\n0\r\n", .game = "no game"});
        add("LF only", {.bytes = savedGameBytes({1, 18, 3}, "\n") + "3\n1\n", .game = "no game"});
        add("no step", {.bytes = savedGameBytes({}) + "0\r\n0\r\n", .game = "no game"});
        add("missing", {.bytes = "", .game = "no game", .name = "chybí"});
        add("a folder", {.bytes = "", .game = "no game", .name = "složka"});
        add("a pipe", {.bytes = "", .game = "no game", .name = "roura"});
    }

    void keepsSessionGames()
    {
        QFETCH(Session, session);
        QTemporaryDir temp;
        const QDir folder(temp.path());
        QVERIFY(make(folder,
                     {file("relace", session.bytes),
                      {.kind = Entry::Folder, .name = "složka"},
                      {.kind = Entry::Pipe, .name = "roura"}}));
        const std::optional<GameState> game = readSessionRecordFile(folder.filePath(session.name));
        QCOMPARE(kept(game), session.game);
        if (game)
            QCOMPARE(formatSessionRecord(*game), session.bytes);
    }

    void writesAllOrNothing_data()
    {
        QTest::addColumn<Write>("write");
        const auto add = [](const char *name, const Write &write) {
            QTest::newRow(name) << write;
        };
        const QByteArray game = savedGameBytes({5, 22, 39});
        const QString tooLong = "Název partie je pro systém souborů příliš dlouhý.";
        const QString noGame = "Soubor tohoto názvu už existuje a není to uložená partie.";
        add("a saved game replaced", {.before = {file("hra.txt", game)}, .reason = ""});
        // With the temporary file's ".XXXXXX": 255 bytes.
        add("the longest name", {.before = {}, .reason = "", .name = QString(244, 'a') + ".txt"});
        add("a name a byte too long, the older file kept",
            {.before = {file(QString(245, 'a') + ".txt", "stará")},
             .reason = tooLong,
             .name = QString(245, 'a') + ".txt"});
        add("Czech letters count as two bytes",
            {.before = {}, .reason = tooLong, .name = QString(123, QChar(u'č')) + ".txt"});
        add("a missing folder",
            {.before = {}, .reason = "Složka <složka> neexistuje.", .name = "chybí/hra.txt"});
        add("a file for the folder",
            {.before = {file("data", "")},
             .reason = "<složka> je soubor, ne složka.",
             .name = "data/hra.txt"});
        add("a folder in the way",
            {.before = {{.kind = Entry::Folder, .name = "hra.txt"}},
             .reason = "Na místě souboru je složka se stejným názvem."});
        add("the disk full, the older file kept",
            {.before = {file("hra.txt", game)},
             .reason = "Zápis se nezdařil, disk je možná plný.",
             .fileSizeLimit = 64});
        // Links are followed: what they lead to is replaced if it is a saved game.
        add("a link to a saved game",
            {.before = {file("jiná.txt", game), symbolicLink("hra.txt", "jiná.txt")},
             .reason = ""});
        add("a link to no saved game",
            {.before = {file("jiná.txt", "x" + game), symbolicLink("hra.txt", "jiná.txt")},
             .reason = noGame});
        add("a link that leads nowhere",
            {.before = {symbolicLink("hra.txt", "nikde.txt")},
             .reason = "Pod tímto názvem je odkaz, který nikam nevede."});
        add("a saved game, then the player's notes",
            {.before = {file("hra.txt", game + "moje poznámky\r\n")},
             .reason
             = "Soubor tohoto názvu už existuje a za uloženou partií obsahuje další text."});
        add("a saved game without its last line end",
            {.before = {file("hra.txt", game.chopped(2))}, .reason = ""});
        add("a pipe",
            {.before = {{.kind = Entry::Pipe, .name = "hra.txt"}},
             .reason = "Pod tímto názvem je zařízení, roura nebo soket, ne soubor."});
    }

    // Afterwards the target holds the short game or what it held before; nothing else changed.
    void writesAllOrNothing()
    {
        QFETCH(Write, write);
        QTemporaryDir temp;
        const QDir folder(temp.path());
        QVERIFY(make(folder, write.before));
        const QString path = folder.filePath(write.name);
        const auto entries = [&folder] {
            // Hidden ones too: a temporary file left behind would show.
            return folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                    | QDir::NoDotAndDotDot);
        };
        QStringList expectedEntries = entries();
        if (write.reason.isEmpty() && !expectedEntries.contains(write.name))
            expectedEntries << write.name;
        expectedEntries.sort();
        const QByteArray old = contentOf(path);
        // Over the limit a write fails with EFBIG, as on a full disk, for root too.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit {};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        const rlim_t unlimited = limit.rlim_cur;
        limit.rlim_cur = std::min(write.fileSizeLimit, unlimited);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        const QString reason = writeSavedGameFile(path, kShortBytes);
        limit.rlim_cur = unlimited;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        QCOMPARE(reason, write.reason.replace("<složka>", QFileInfo(path).absolutePath()));
        QCOMPARE(contentOf(path), reason.isEmpty() ? kShortBytes : old);
        QCOMPARE(entries(), expectedEntries);
    }
};

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
