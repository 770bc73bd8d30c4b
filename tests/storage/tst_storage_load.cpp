// Loading saved games from real files: what the board shows afterwards, what the user
// is told, and the prompt and dialog around it.

#include "game/GameState.h"
#include "storage/LoadGame.h"
#include "storage/SavedGameFormat.h"
#include "tests/storage/SavedGameCases.h"
#include "tests/support/Invariants.h"
#include "tests/support/ScriptedToolkit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>

using namespace trevak;
using namespace trevak::testing;

Q_DECLARE_METATYPE(trevak::Tour)

namespace {

const QString kSavePrompt = QStringLiteral("Přejete si uložit hru?");

GameState stateAfterStart()
{
    GameState state;
    Form_Load(state);
    return state;
}

// The state while a game is going on: Save is enabled by the moves.
GameState stateWithGame(const Tour &tour)
{
    GameState state = stateAfterStart();
    applyLoadedTour(state, tour);
    state.miUlozitEnabled = true;
    return state;
}

bool boardIsEmpty(const GameState &state)
{
    for (int square = 1; square <= kSquareCount; ++square) {
        if (state.picture[square] != NoPicture)
            return false;
    }
    for (bool stroke : state.line1Visible) {
        if (stroke)
            return false;
    }
    return state.tour == Tour{} && state.lblBody == 0 && state.lblHotovo == "0%" && state.knightPlaced == 0
        && state.currentSquare == 0 && state.moveCount == 0 && !state.cmdZpetEnabled && !state.cmdVpredEnabled;
}

QString loadFailure(const QString &path, const QString &problem)
{
    return QStringLiteral("Soubor %1 nelze načíst:\n%2").arg(QDir::toNativeSeparators(path), problem);
}

}  // namespace

class TestLoadGame : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedToolkit> m_toolkit;
    int m_boardShown = 0;

    QString pathOf(const QString &name) const { return m_dir->filePath(name); }

    void load(GameState &state) { LoadGame(state, *m_toolkit, [this] { ++m_boardShown; }); }

    // Writes a file and queues it as the open dialog's answer.
    QString offerFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = pathOf(name);
        writeFile(path, bytes);
        m_toolkit->openDialogAnswers.enqueue(path);
        return path;
    }

    void verifyShows(const GameState &state, const Tour &tour)
    {
        const int steps = stepsOf(tour);
        for (int square = 1; square <= kSquareCount; ++square) {
            Picture expected = NoPicture;
            for (int step = 1; step <= steps; ++step) {
                if (tour[step] == square)
                    expected = step == steps ? knightPicture(state.tag[square]) : visitedPicture(state.tag[square]);
            }
            QCOMPARE(state.picture[square], expected);
        }
        QCOMPARE(state.tour, tour);
        QCOMPARE(state.lblBody, steps);
        QCOMPARE(state.lblHotovo, std::to_string(percentOf(steps)) + "%");
        for (int stroke = 0; stroke < kStrokeCount; ++stroke)
            QCOMPARE(state.line1Visible[stroke], stroke < steps);
        QCOMPARE(state.knightPlaced, 1);
        QCOMPARE(int(state.currentSquare), int(tour[steps]));
        QCOMPARE(int(state.moveCount), steps);
        QCOMPARE(int(state.filledCount), steps);
        QCOMPARE(int(state.lineCount), steps - 1);
        QVERIFY(state.cmdZpetEnabled);
        QVERIFY(!state.cmdVpredEnabled);
        QCOMPARE(brokenInvariant(state), std::string());
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_toolkit = std::make_unique<ScriptedToolkit>();
        m_toolkit->folder = m_dir->path();
        m_boardShown = 0;
    }

    void showsShortGame()
    {
        GameState state = stateAfterStart();
        offerFile(QStringLiteral("hra.txt"), "1\r\n18\r\n3\r\n" + QByteArray("0\r\n").repeated(61));
        load(state);

        QCOMPARE(state.picture[1], VisitedDark);
        QCOMPARE(state.picture[18], VisitedLight);
        QCOMPARE(state.picture[3], KnightDark);
        QCOMPARE(state.lblBody, 3);
        QCOMPARE(state.lblHotovo, std::string("5%"));
        QCOMPARE(int(state.percentDone), 5);
        QVERIFY(state.line1Visible[0] && state.line1Visible[1] && state.line1Visible[2]);
        QVERIFY(!state.line1Visible[3]);
        QVERIFY(state.cmdZpetEnabled);
        QVERIFY(!state.cmdVpredEnabled);
        QVERIFY(!state.miUlozitEnabled);
        QCOMPARE(m_toolkit->count(QStringLiteral("msgBox")), 0);
    }

    void loadsEachCase_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<Tour>("tour");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<bool>("saveEnabled");
        for (const SavedGameCase &c : savedGameCases()) {
            QTest::addRow("%s, Save off", c.name.constData()) << c.bytes << c.ok << c.tour << c.problem << false;
            QTest::addRow("%s, Save on", c.name.constData()) << c.bytes << c.ok << c.tour << c.problem << true;
        }
    }
    void loadsEachCase()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, ok);
        QFETCH(Tour, tour);
        QFETCH(QString, problem);
        QFETCH(bool, saveEnabled);

        GameState state = stateAfterStart();
        state.miUlozitEnabled = saveEnabled;
        const QString path = offerFile(QStringLiteral("partie.txt"), bytes);
        load(state);

        QCOMPARE(state.miUlozitEnabled, saveEnabled);
        QCOMPARE(entriesIn(m_dir->path()), QStringList{QStringLiteral("partie.txt")});
        const QList<ToolkitCall> boxes = m_toolkit->callsTo(QStringLiteral("msgBox"));
        if (ok) {
            QCOMPARE(boxes.size(), 0);
            verifyShows(state, tour);
        } else {
            QCOMPARE(boxes.size(), 1);
            QCOMPARE(boxes[0].args, (QStringList{loadFailure(path, problem), QString::number(MsgWarning),
                                                 QStringLiteral("Trevak")}));
            QVERIFY(boardIsEmpty(state));
            QCOMPARE(brokenInvariant(state), std::string());
        }
    }

    void asksForFileInProgramFolder()
    {
        GameState state = stateAfterStart();
        load(state);
        const QList<ToolkitCall> dialogs = m_toolkit->callsTo(QStringLiteral("openDialog"));
        QCOMPARE(dialogs.size(), 1);
        QCOMPARE(dialogs[0].args, (QStringList{m_dir->path(), QStringLiteral("Otevřít"),
                                               QStringLiteral("Všechny soubory (*.txt)"), QStringLiteral("*.txt")}));
    }

    void refusesPathsThatAreNoFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("problem");
        QTest::newRow("missing") << QStringLiteral("chybí.txt") << QStringLiteral("Soubor neexistuje.");
        QTest::newRow("folder") << QStringLiteral("složka.txt") << QStringLiteral("Vybraná cesta je složka.");
        QTest::newRow("pipe") << QStringLiteral("roura.txt") << QStringLiteral("Vybraná cesta není běžný soubor.");
    }
    void refusesPathsThatAreNoFiles()
    {
        QFETCH(QString, name);
        QFETCH(QString, problem);
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("složka.txt")));
        // Opening a pipe nobody writes to would block for ever.
        QCOMPARE(::mkfifo(QFile::encodeName(pathOf(QStringLiteral("roura.txt"))).constData(), 0644), 0);

        GameState state = stateAfterStart();
        m_toolkit->openDialogAnswers.enqueue(pathOf(name));
        load(state);
        const QList<ToolkitCall> boxes = m_toolkit->callsTo(QStringLiteral("msgBox"));
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].args[0], loadFailure(pathOf(name), problem));
        QVERIFY(boardIsEmpty(state));
    }

    void refusesUnreadableFile()
    {
        if (::geteuid() == 0)
            QSKIP("Permissions do not stop root from reading.");
        GameState state = stateAfterStart();
        const QString path = offerFile(QStringLiteral("zamčeno.txt"), formatSavedGame(kShortGame));
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        load(state);
        QCOMPARE(m_toolkit->callsTo(QStringLiteral("msgBox")).value(0).args.value(0),
                 loadFailure(path, QStringLiteral("Soubor nelze otevřít, chybí oprávnění ke čtení.")));
        QVERIFY(boardIsEmpty(state));
    }

    // Sparse files: a gibibyte on disk costs nothing, and reading must stop early.
    void judgesGibibyteFileFromItsStart_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QString>("problem");
        QTest::newRow("NULs only") << QByteArray() << QStringLiteral("Řádek 1 neobsahuje číslo pole.");
        QTest::newRow("a game, then NULs") << formatSavedGame(kShortGame) << QString();
        QTest::newRow("ten lines, then NULs") << linesOf(entriesOf(kShortGame).mid(0, 10))
                                              << QStringLiteral("Řádek 11 neobsahuje číslo pole.");
    }
    void judgesGibibyteFileFromItsStart()
    {
        QFETCH(QByteArray, head);
        QFETCH(QString, problem);
        const QString path = offerFile(QStringLiteral("velká.txt"), head);
        {
            QFile file(path);
            QVERIFY(file.resize(qint64(1) << 30));
        }
        GameState state = stateAfterStart();
        load(state);
        const QList<ToolkitCall> boxes = m_toolkit->callsTo(QStringLiteral("msgBox"));
        if (problem.isEmpty()) {
            QCOMPARE(boxes.size(), 0);
            verifyShows(state, kShortGame);
        } else {
            QCOMPARE(boxes.size(), 1);
            QCOMPARE(boxes[0].args[0], loadFailure(path, problem));
            QVERIFY(boardIsEmpty(state));
        }
    }

    void noPromptBeforeTheKnightMoves()
    {
        GameState state = stateWithGame(tourOf({20}));
        load(state);
        QCOMPARE(m_toolkit->count(QStringLiteral("msgBox")), 0);
        QCOMPARE(m_toolkit->count(QStringLiteral("openDialog")), 1);
        QVERIFY(boardIsEmpty(state));  // the lone knight is discarded
    }

    void promptTitledUlozit()
    {
        GameState state = stateWithGame(kShortGame);
        load(state);
        const QList<ToolkitCall> boxes = m_toolkit->callsTo(QStringLiteral("msgBox"));
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].args, (QStringList{kSavePrompt, QString::number(MsgYesNo), QStringLiteral("Uložit")}));
        QCOMPARE(m_toolkit->count(QStringLiteral("inputBox")), 0);
        QCOMPARE(m_toolkit->count(QStringLiteral("openDialog")), 1);
        QVERIFY(boardIsEmpty(state));
        QVERIFY(state.miUlozitEnabled);  // No saves nothing
        QCOMPARE(entriesIn(m_dir->path()), QStringList{});
    }

    void yesSavesThenLoads()
    {
        GameState state = stateWithGame(kShortGame);
        m_toolkit->msgBoxAnswers.enqueue(AnswerYes);
        m_toolkit->inputBoxAnswers.enqueue(QStringLiteral("rozehraná"));
        offerFile(QStringLiteral("celá.txt"), formatSavedGame(kFullTour));
        load(state);

        QCOMPARE(contentOf(pathOf(QStringLiteral("rozehraná.txt"))), formatSavedGame(kShortGame));
        QVERIFY(!state.miUlozitEnabled);
        QCOMPARE(m_toolkit->count(QStringLiteral("msgBox")), 1);
        verifyShows(state, kFullTour);
    }

    void failedSaveAsksAgainThenNoGoesOn()
    {
        GameState state = stateWithGame(kShortGame);
        m_toolkit->msgBoxAnswers << AnswerYes << AnswerOk << AnswerNo;
        m_toolkit->inputBoxAnswers.enqueue(QStringLiteral("a/b"));
        offerFile(QStringLiteral("celá.txt"), formatSavedGame(kFullTour));
        load(state);

        const QList<ToolkitCall> boxes = m_toolkit->callsTo(QStringLiteral("msgBox"));
        QCOMPARE(boxes.size(), 3);
        QCOMPARE(boxes[0].args[0], kSavePrompt);
        QCOMPARE(boxes[1].args[1], QString::number(MsgWarning));
        QCOMPARE(boxes[2].args, (QStringList{kSavePrompt, QString::number(MsgYesNo), QStringLiteral("Uložit")}));
        QVERIFY(state.miUlozitEnabled);
        verifyShows(state, kFullTour);
    }

    void cancelledNameGoesOnWithoutAskingAgain()
    {
        GameState state = stateWithGame(kShortGame);
        m_toolkit->msgBoxAnswers.enqueue(AnswerYes);
        load(state);
        QCOMPARE(m_toolkit->count(QStringLiteral("msgBox")), 1);
        QCOMPARE(m_toolkit->count(QStringLiteral("inputBox")), 1);
        QCOMPARE(m_toolkit->count(QStringLiteral("openDialog")), 1);
        QVERIFY(state.miUlozitEnabled);
        QCOMPARE(entriesIn(m_dir->path()), QStringList{});
    }

    void boardIsEmptyWhileDialogIsOpen()
    {
        GameState state = stateWithGame(kShortGame);
        bool checked = false;
        LoadGame(state, *m_toolkit, [&] {
            QCOMPARE(m_toolkit->count(QStringLiteral("openDialog")), 0);
            QVERIFY(boardIsEmpty(state));
            checked = true;
        });
        QVERIFY(checked);
        QCOMPARE(m_toolkit->count(QStringLiteral("openDialog")), 1);
    }

    void cancelAfterEarlierLoadLoadsNothing()
    {
        GameState state = stateAfterStart();
        offerFile(QStringLiteral("celá.txt"), formatSavedGame(kFullTour));
        load(state);
        verifyShows(state, kFullTour);

        load(state);  // prompt answered No, dialog cancelled
        QCOMPARE(m_toolkit->count(QStringLiteral("openDialog")), 2);
        QVERIFY(boardIsEmpty(state));
    }

    void refusedFileAfterGameLeavesBoardEmpty()
    {
        GameState state = stateWithGame(kShortGame);
        const QString path = offerFile(QStringLiteral("vadná.txt"), "nesmysl\r\n");
        load(state);
        const QList<ToolkitCall> boxes = m_toolkit->callsTo(QStringLiteral("msgBox"));
        QCOMPARE(boxes.size(), 2);
        QCOMPARE(boxes[1].args, (QStringList{loadFailure(path, QStringLiteral("Řádek 1 neobsahuje číslo pole.")),
                                             QString::number(MsgWarning), QStringLiteral("Trevak")}));
        QVERIFY(boardIsEmpty(state));
        QVERIFY(state.miUlozitEnabled);
        QCOMPARE(entriesIn(m_dir->path()), QStringList{QStringLiteral("vadná.txt")});
    }
};

QTEST_MAIN(TestLoadGame)
#include "tst_storage_load.moc"
