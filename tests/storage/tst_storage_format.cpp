// The saved-game file format: the exact bytes written, and the reader's verdict on any
// bytes, however they are split into reads and however large the file is.

#include "storage/SavedGameFormat.h"
#include "tests/storage/PatternDevice.h"
#include "tests/storage/SavedGameCases.h"

#include <QBuffer>
#include <QTest>

using namespace trevak;
using namespace trevak::testing;

Q_DECLARE_METATYPE(trevak::Tour)

namespace {

constexpr qint64 kGibibyte = qint64(1) << 30;
// 64 lines of at most 1024 bytes plus CR LF, and one chunk read ahead.
constexpr qint64 kMostBytesRead = 64 * 1026 + 512;

SavedGameRead readBytes(const QByteArray &bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return readSavedGame(buffer);
}

}  // namespace

class TestSavedGameFormat : public QObject {
    Q_OBJECT

private slots:
    void formatsShortGameExactly()
    {
        const QByteArray expected = "1\r\n18\r\n3\r\n" + QByteArray("0\r\n").repeated(61);
        const QByteArray written = formatSavedGame(kShortGame);
        QCOMPARE(written.size(), 193);
        QCOMPARE(written, expected);
    }

    void roundTrips_data()
    {
        QTest::addColumn<Tour>("tour");
        QTest::newRow("1,18,3") << kShortGame;
        QTest::newRow("full tour") << kFullTour;
        QTest::newRow("one step") << tourOf({64});
        QTest::newRow("not knight's jumps") << tourOf({64, 1, 10, 2});
    }
    void roundTrips()
    {
        QFETCH(Tour, tour);
        const SavedGameRead read = readBytes(formatSavedGame(tour));
        QVERIFY2(read.ok, qPrintable(read.problem));
        QCOMPARE(read.tour, tour);
    }

    void readsEachCase_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<Tour>("tour");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<int>("line");
        for (const SavedGameCase &c : savedGameCases())
            QTest::newRow(c.name.constData()) << c.bytes << c.ok << c.tour << c.problem << c.line;
    }
    // A device handing out one byte per read also splits every CR LF pair.
    void readsEachCaseOneByteAtATime_data() { readsEachCase_data(); }
    void readsEachCaseOneByteAtATime()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, ok);
        QFETCH(Tour, tour);
        QFETCH(QString, problem);
        QFETCH(int, line);

        PatternDevice device(bytes, {}, bytes.size(), 1);
        QVERIFY(device.openForReading());
        const SavedGameRead read = readSavedGame(device);
        QCOMPARE(read.problem, problem);
        QCOMPARE(read.ok, ok);
        QCOMPARE(read.line, line);
        QCOMPARE(read.tour, tour);
    }

    // Gibibyte-sized inputs of every shape are judged from their first few KiB.
    void readsLittleOfEndlessInput_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QByteArray>("pattern");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("problem");

        QByteArray steps;
        for (int square = 1; square <= kSquareCount; ++square)
            steps += QByteArray::number(square) + "\n";

        QTest::newRow("NULs") << QByteArray() << QByteArray(1, '\0') << false
                              << QStringLiteral("Řádek 1 neobsahuje číslo pole.");
        QTest::newRow("one endless line of digits") << QByteArray() << QByteArray("7") << false
                                                    << QStringLiteral("Řádek 1 je delší než 1024 bajtů.");
        QTest::newRow("one endless line of blanks") << QByteArray("5") << QByteArray(" ") << false
                                                    << QStringLiteral("Řádek 1 je delší než 1024 bajtů.");
        QTest::newRow("endless empty lines") << QByteArray() << QByteArray("\r\n") << false
                                             << QStringLiteral("Řádek 1 je prázdný.");
        QTest::newRow("endless zeros") << QByteArray() << QByteArray("0\n") << false
                                       << QStringLiteral("Soubor neobsahuje žádný tah.");
        QTest::newRow("endless ones") << QByteArray() << QByteArray("1\n") << false
                                      << QStringLiteral("Pole 1 je uvedeno na řádku 1 i na řádku 2.");
        QTest::newRow("a game, then endless digits") << linesOf(entriesOf(kShortGame)) << QByteArray("9") << true
                                                     << QString();
        QTest::newRow("endless steps 1 to 64") << QByteArray() << steps << true << QString();
    }
    void readsLittleOfEndlessInput()
    {
        QFETCH(QByteArray, head);
        QFETCH(QByteArray, pattern);
        QFETCH(bool, ok);
        QFETCH(QString, problem);

        PatternDevice device(head, pattern, kGibibyte);
        QVERIFY(device.openForReading());
        const SavedGameRead read = readSavedGame(device);
        QCOMPARE(read.problem, problem);
        QCOMPARE(read.ok, ok);
        QVERIFY2(device.handedOut() <= kMostBytesRead, qPrintable(QString::number(device.handedOut())));
    }

    void refusesWhenReadingFails_data()
    {
        QTest::addColumn<qint64>("failAfter");
        QTest::newRow("at once") << qint64(0);
        QTest::newRow("in line 2") << qint64(4);
        QTest::newRow("after line 63") << qint64(formatSavedGame(kShortGame).size() - 3);
    }
    void refusesWhenReadingFails()
    {
        QFETCH(qint64, failAfter);
        const QByteArray bytes = formatSavedGame(kShortGame);
        PatternDevice device(bytes, {}, bytes.size(), 1);
        device.failAfter(failAfter);
        QVERIFY(device.openForReading());
        const SavedGameRead read = readSavedGame(device);
        QVERIFY(!read.ok);
        QCOMPARE(read.problem, QStringLiteral("Soubor nelze přečíst."));
        QCOMPARE(read.line, 0);
    }
};

QTEST_GUILESS_MAIN(TestSavedGameFormat)
#include "tst_storage_format.moc"
