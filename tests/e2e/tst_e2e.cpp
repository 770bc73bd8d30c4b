// The real trevak program on a real X display: mouse clicks and key presses go through the
// X server, the screen is read back from it, games are saved to and loaded from real files.

#include "ExpectedBoard.h"
#include "GameUnderTest.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using namespace e2e;

namespace {

constexpr int kScreenTimeoutMs = 10000;
constexpr int kExitTimeoutMs = 15000;

QString builtBinary()
{
    const QString overridden = qEnvironmentVariable("TREVAK_E2E_BINARY");
    return overridden.isEmpty() ? QStringLiteral(TREVAK_BINARY) : overridden;
}

// Polls the screen until it shows the tour; on a mismatch keeps the last screenshot beside
// the test for a look.
bool showsTour(GameUnderTest &game, const QList<int> &tour, QString *problem)
{
    const ExpectedBoard expected(tour);
    const QDeadlineTimer deadline(kScreenTimeoutMs);
    QImage shot;
    for (;;) {
        shot = game.screenshot();
        *problem = expected.differences(shot, game.clientOrigin());
        if (problem->isEmpty())
            return true;
        if (deadline.hasExpired())
            break;
        QTest::qWait(50);
    }
    QString tag = QString::fromLatin1(QTest::currentTestFunction());
    if (const char *row = QTest::currentDataTag()) {
        static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9]+"));
        tag += QLatin1Char('-') + QString::fromUtf8(row).replace(unsafe, QStringLiteral("_"));
    }
    const QString path = QDir::current().absoluteFilePath(QStringLiteral("tst_e2e-%1.png").arg(tag));
    shot.save(path);
    problem->append(QStringLiteral("\nscreenshot kept as ") + path);
    return false;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

}  // namespace

// Each step of the program must succeed; on failure the reason is the program's or xdotool's.
#define DRIVE(game, action) QVERIFY2((game).action, qPrintable((game).error()))
#define VERIFY_SCREEN(game, ...)                                              \
    do {                                                                      \
        QString problem;                                                      \
        QVERIFY2(showsTour(game, __VA_ARGS__, &problem), qPrintable(problem)); \
    } while (false)

class TestEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void clicksPlayTheTour_data();
    void clicksPlayTheTour();
    void buttonsStepBackAndForward();
    void saveWritesTheTourUnderTheTypedName_data();
    void saveWritesTheTourUnderTheTypedName();
    void savedGameComesBackAfterNewGame();
    void loadShowsAGameWrittenOutside();
    void loadOffersToSaveTheGameInProgress();
    void quitAsksAboutSaving_data();
    void quitAsksAboutSaving();
};

void TestEndToEnd::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"),
             "run under an X server with QT_QPA_PLATFORM=xcb (CTest uses xvfb-run)");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(), "xdotool is not installed");
    QVERIFY2(QFile::exists(builtBinary()), qPrintable(builtBinary() + QStringLiteral(" is not built")));
}

void TestEndToEnd::clicksPlayTheTour_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QList<int>>("tour");

    QTest::newRow("first click places the knight") << QList<int>{28} << QList<int>{28};
    QTest::newRow("jumps leave discs, knight ends on a dark square")
        << QList<int>{1, 18, 3, 13, 30, 47, 64} << QList<int>{1, 18, 3, 13, 30, 47, 64};
    QTest::newRow("no knight's jump is refused") << QList<int>{1, 18, 3, 5, 4} << QList<int>{1, 18, 3};
    QTest::newRow("a visited square is refused") << QList<int>{1, 18, 1} << QList<int>{1, 18};
    QTest::newRow("the knight's own square is refused") << QList<int>{1, 18, 18} << QList<int>{1, 18};
}

void TestEndToEnd::clicksPlayTheTour()
{
    QFETCH(QList<int>, clicks);
    QFETCH(QList<int>, tour);

    GameUnderTest game(builtBinary());
    DRIVE(game, start());
    VERIFY_SCREEN(game, {});
    for (int square : clicks)
        DRIVE(game, clickSquare(square));
    VERIFY_SCREEN(game, tour);
}

void TestEndToEnd::buttonsStepBackAndForward()
{
    GameUnderTest game(builtBinary());
    DRIVE(game, start());
    for (int square : {1, 18, 3, 13, 30})
        DRIVE(game, clickSquare(square));
    VERIFY_SCREEN(game, {1, 18, 3, 13, 30});

    DRIVE(game, clickBack());
    VERIFY_SCREEN(game, {1, 18, 3, 13});
    DRIVE(game, clickBack());
    VERIFY_SCREEN(game, {1, 18, 3});
    DRIVE(game, clickForward());
    VERIFY_SCREEN(game, {1, 18, 3, 13});

    // Back to the bare board and forward again through the whole tour.
    for (const QList<int> &shown : QList<QList<int>>{{1, 18, 3}, {1, 18}, {1}, {}}) {
        DRIVE(game, clickBack());
        VERIFY_SCREEN(game, shown);
    }
    for (const QList<int> &shown : QList<QList<int>>{{1}, {1, 18}, {1, 18, 3}, {1, 18, 3, 13}, {1, 18, 3, 13, 30}}) {
        DRIVE(game, clickForward());
        VERIFY_SCREEN(game, shown);
    }

    // A move after stepping back replaces the steps ahead: Forward has nothing left.
    DRIVE(game, clickBack());
    VERIFY_SCREEN(game, {1, 18, 3, 13});
    DRIVE(game, clickSquare(28));
    VERIFY_SCREEN(game, {1, 18, 3, 13, 28});
    DRIVE(game, clickForward());
    DRIVE(game, clickBack());
    VERIFY_SCREEN(game, {1, 18, 3, 13});
    DRIVE(game, clickForward());
    VERIFY_SCREEN(game, {1, 18, 3, 13, 28});
}

void TestEndToEnd::saveWritesTheTourUnderTheTypedName_data()
{
    QTest::addColumn<QList<int>>("tour");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("fileSize");

    QTest::newRow("three squares") << QList<int>{1, 18, 3} << QStringLiteral("partie") << 193;
    QTest::newRow("seven squares") << QList<int>{1, 18, 3, 13, 30, 47, 64} << QStringLiteral("dlouha-1") << 197;
    QTest::newRow("name with a space") << QList<int>{28, 45} << QStringLiteral("moje hra") << 194;
}

void TestEndToEnd::saveWritesTheTourUnderTheTypedName()
{
    QFETCH(QList<int>, tour);
    QFETCH(QString, name);
    QFETCH(int, fileSize);

    GameUnderTest game(builtBinary());
    DRIVE(game, start());
    for (int square : tour)
        DRIVE(game, clickSquare(square));
    VERIFY_SCREEN(game, tour);

    DRIVE(game, save());
    DRIVE(game, fillInDialog(saveNameBoxTitle(), name));
    QTRY_COMPARE_WITH_TIMEOUT(fileBytes(game.savedGamePath(name)), savedGameBytes(tour), kScreenTimeoutMs);
    QCOMPARE(fileBytes(game.savedGamePath(name)).size(), fileSize);
    QCOMPARE(filesIn(game.folder()), QStringList({name + QStringLiteral(".txt"), QStringLiteral("trevak")}));
    VERIFY_SCREEN(game, tour);
}

void TestEndToEnd::savedGameComesBackAfterNewGame()
{
    const QList<int> tour{1, 18, 3, 13};
    GameUnderTest game(builtBinary());
    DRIVE(game, start());
    for (int square : tour)
        DRIVE(game, clickSquare(square));
    DRIVE(game, save());
    DRIVE(game, fillInDialog(saveNameBoxTitle(), QStringLiteral("kolo")));
    QTRY_COMPARE_WITH_TIMEOUT(fileBytes(game.savedGamePath(QStringLiteral("kolo"))), savedGameBytes(tour),
                              kScreenTimeoutMs);

    DRIVE(game, newGame());
    DRIVE(game, answerNo(savePromptOnQuitTitle()));
    DRIVE(game, waitUntilNoDialog());
    VERIFY_SCREEN(game, {});

    DRIVE(game, load());
    DRIVE(game, fillInDialog(openDialogTitle(), QStringLiteral("kolo.txt")));
    VERIFY_SCREEN(game, tour);
    // The loaded game goes on: Back steps through it.
    DRIVE(game, clickBack());
    VERIFY_SCREEN(game, {1, 18, 3});
}

void TestEndToEnd::loadShowsAGameWrittenOutside()
{
    const QList<int> tour{1, 18, 3, 13, 30, 47, 64};
    GameUnderTest game(builtBinary());
    QFile file(game.savedGamePath(QStringLiteral("venku")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(savedGameBytes(tour));
    file.close();

    DRIVE(game, start());
    DRIVE(game, load());
    DRIVE(game, fillInDialog(openDialogTitle(), QStringLiteral("venku.txt")));
    VERIFY_SCREEN(game, tour);
    // Play goes on from the loaded knight.
    DRIVE(game, clickSquare(54));
    VERIFY_SCREEN(game, {1, 18, 3, 13, 30, 47, 64, 54});
}

void TestEndToEnd::loadOffersToSaveTheGameInProgress()
{
    const QList<int> other{28, 45};
    GameUnderTest game(builtBinary());
    QFile file(game.savedGamePath(QStringLiteral("jina")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(savedGameBytes(other));
    file.close();

    DRIVE(game, start());
    for (int square : {1, 18})
        DRIVE(game, clickSquare(square));
    VERIFY_SCREEN(game, {1, 18});

    DRIVE(game, load());
    DRIVE(game, answerYes(savePromptOnLoadTitle()));
    DRIVE(game, fillInDialog(saveNameBoxTitle(), QStringLiteral("rozehrana")));
    QTRY_COMPARE_WITH_TIMEOUT(fileBytes(game.savedGamePath(QStringLiteral("rozehrana"))), savedGameBytes({1, 18}),
                              kScreenTimeoutMs);
    DRIVE(game, fillInDialog(openDialogTitle(), QStringLiteral("jina.txt")));
    VERIFY_SCREEN(game, other);
}

void TestEndToEnd::quitAsksAboutSaving_data()
{
    QTest::addColumn<QList<int>>("tour");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("name");

    QTest::newRow("nothing played, nothing asked") << QList<int>{} << QString() << QString();
    QTest::newRow("knight only placed, nothing asked") << QList<int>{1} << QString() << QString();
    QTest::newRow("answer no") << QList<int>{1, 18} << QStringLiteral("no") << QString();
    QTest::newRow("answer yes and name the game") << QList<int>{1, 18, 3} << QStringLiteral("yes")
                                                  << QStringLiteral("na-konec");
}

void TestEndToEnd::quitAsksAboutSaving()
{
    QFETCH(QList<int>, tour);
    QFETCH(QString, answer);
    QFETCH(QString, name);

    GameUnderTest game(builtBinary());
    DRIVE(game, start());
    for (int square : tour)
        DRIVE(game, clickSquare(square));
    VERIFY_SCREEN(game, tour);

    DRIVE(game, quit());
    if (answer == QLatin1String("no")) {
        DRIVE(game, answerNo(savePromptOnQuitTitle()));
    } else if (answer == QLatin1String("yes")) {
        DRIVE(game, answerYes(savePromptOnQuitTitle()));
        DRIVE(game, fillInDialog(saveNameBoxTitle(), name));
    }

    QVERIFY2(game.waitForExit(kExitTimeoutMs), "trevak did not end after Konec");
    QCOMPARE(game.exitStatus(), QProcess::NormalExit);
    QCOMPARE(game.exitCode(), 0);
    QStringList expectedFiles{QStringLiteral("trevak")};
    if (!name.isEmpty()) {
        QCOMPARE(fileBytes(game.savedGamePath(name)), savedGameBytes(tour));
        expectedFiles.prepend(name + QStringLiteral(".txt"));
    }
    QCOMPARE(filesIn(game.folder()), expectedFiles);
}

QTEST_MAIN(TestEndToEnd)
#include "tst_e2e.moc"
