// Saving games to real files, its failures, the save prompt and New game.

#include "game/GameState.h"
#include "history/History.h"
#include "history/NewGame.h"
#include "storage/LoadGame.h"
#include "storage/SaveGame.h"
#include "storage/SavedGameFormat.h"
#include "tests/storage/SavedGameSamples.h"
#include "tests/support/ScriptedToolkit.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

#include <memory>

using namespace trevak;
using namespace trevak::testing;

Q_DECLARE_METATYPE(trevak::SaveResult)

namespace {

const QString kSavePrompt = QStringLiteral("Přejete si uložit hru?");
const QString kNamePrompt = QStringLiteral("Zadej název partie.");
const QString kNameTitle = QStringLiteral("Uložit partii.");
const QString kBadNameMessage = QStringLiteral("Název partie nesmí obsahovat lomítko / ani zpětné lomítko \\.");

GameState stateWithGame(const Tour &tour)
{
    GameState state;
    Form_Load(state);
    applyLoadedTour(state, tour);
    state.miUlozitEnabled = true;  // the moves enabled it
    return state;
}

// Everything but the Save item, which is the one thing saving may change.
bool sameExceptSave(const GameState &a, const GameState &b)
{
    return a.tour == b.tour && a.moveCount == b.moveCount && a.targetSquare == b.targetSquare
        && a.knightPlaced == b.knightPlaced && a.clickedSquare == b.clickedSquare
        && a.currentSquare == b.currentSquare && a.lineCount == b.lineCount && a.percentDone == b.percentDone
        && a.filledCount == b.filledCount && a.tag == b.tag && a.picture == b.picture && a.lblBody == b.lblBody
        && a.lblHotovo == b.lblHotovo && a.line1Visible == b.line1Visible && a.cmdZpetEnabled == b.cmdZpetEnabled
        && a.cmdVpredEnabled == b.cmdVpredEnabled;
}

QString saveFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("Soubor %1 nelze uložit:\n%2").arg(QDir::toNativeSeparators(path), reason);
}

// Caps the size of files this process may write, the way a full disk would stop it;
// unlike permissions, the cap holds for root too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);  // fail the write with EFBIG instead
        rlimit capped = m_saved;
        capped.rlim_cur = bytes;
        m_active = ::setrlimit(RLIMIT_FSIZE, &capped) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }
    bool active() const { return m_active; }

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = nullptr;
    bool m_active = false;
};

}  // namespace

class TestSaveGame : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedToolkit> m_toolkit;

    // The program folder is a folder of its own inside the test's, so that its parent, where
    // a name like "../x" would lead, is not shared with anything else running.
    QString folder() const { return m_dir->filePath(QStringLiteral("hry")); }
    QString pathOf(const QString &name) const { return folder() + QLatin1Char('/') + name; }

    // The calls, one line each, for comparing whole conversations.
    QStringList conversation() const
    {
        QStringList lines;
        for (const ToolkitCall &call : m_toolkit->calls)
            lines.append(call.service + QLatin1Char('|') + call.args.join(QLatin1Char('|')));
        return lines;
    }

    static QString promptCall(const QString &title)
    {
        return QStringLiteral("msgBox|%1|%2|%3").arg(kSavePrompt).arg(MsgYesNo).arg(title);
    }
    static QString nameCall() { return QStringLiteral("inputBox|%1|%2").arg(kNamePrompt, kNameTitle); }
    static QString warningCall(const QString &text)
    {
        return QStringLiteral("msgBox|%1|%2|Trevak").arg(text).arg(MsgWarning);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("hry")));
        m_toolkit = std::make_unique<ScriptedToolkit>();
        m_toolkit->folder = folder();
    }

    void savesWholeTourUnderTypedName()
    {
        GameState state = stateWithGame(kShortGame);
        const GameState before = state;
        m_toolkit->inputBoxAnswers.enqueue(QStringLiteral("partie"));
        QCOMPARE(SaveGame(state, *m_toolkit), SaveResult::Saved);

        const QByteArray written = contentOf(pathOf(QStringLiteral("partie.txt")));
        QCOMPARE(written.size(), 193);
        QCOMPARE(written, formatSavedGame(kShortGame));
        QCOMPARE(conversation(), QStringList{nameCall()});
        QVERIFY(!state.miUlozitEnabled);
        QVERIFY(sameExceptSave(state, before));
        QCOMPARE(entriesIn(folder()), QStringList{QStringLiteral("partie.txt")});
    }

    void savesStepsBeyondTheShownOne()
    {
        GameState state = stateWithGame(kFullTour);
        for (int i = 0; i < 60; ++i)
            StepBack(state);
        QCOMPARE(state.lblBody, 4);
        m_toolkit->inputBoxAnswers.enqueue(QStringLiteral("zpět"));
        QCOMPARE(SaveGame(state, *m_toolkit), SaveResult::Saved);
        QCOMPARE(contentOf(pathOf(QStringLiteral("zpět.txt"))), formatSavedGame(kFullTour));
    }

    void namesAreUsedAsTyped_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("file");
        QTest::newRow("plain") << QStringLiteral("hra") << QStringLiteral("hra.txt");
        QTest::newRow("blanks") << QStringLiteral("   ") << QStringLiteral("   .txt");
        QTest::newRow("extension typed") << QStringLiteral("abc.txt") << QStringLiteral("abc.txt.txt");
        QTest::newRow("Czech letters") << QStringLiteral("Žluťoučký kůň") << QStringLiteral("Žluťoučký kůň.txt");
        QTest::newRow("longest name that fits") << QString(244, QLatin1Char('a')) << QString(244, QLatin1Char('a')) + ".txt";
        QTest::newRow("dots") << QStringLiteral("..") << QStringLiteral("...txt");
    }
    void namesAreUsedAsTyped()
    {
        QFETCH(QString, name);
        QFETCH(QString, file);
        GameState state = stateWithGame(kShortGame);
        m_toolkit->inputBoxAnswers.enqueue(name);
        QCOMPARE(SaveGame(state, *m_toolkit), SaveResult::Saved);
        QCOMPARE(entriesIn(folder()), QStringList{file});
        QCOMPARE(contentOf(pathOf(file)), formatSavedGame(kShortGame));
    }

    void savingTwiceReplacesTheFile()
    {
        GameState state = stateWithGame(kShortGame);
        m_toolkit->inputBoxAnswers << QStringLiteral("hra") << QStringLiteral("hra");
        QCOMPARE(SaveGame(state, *m_toolkit), SaveResult::Saved);
        state = stateWithGame(kFullTour);
        QCOMPARE(SaveGame(state, *m_toolkit), SaveResult::Saved);
        QCOMPARE(contentOf(pathOf(QStringLiteral("hra.txt"))), formatSavedGame(kFullTour));
        QCOMPARE(entriesIn(folder()), QStringList{QStringLiteral("hra.txt")});
        QCOMPARE(m_toolkit->count(QStringLiteral("msgBox")), 0);
    }

    void emptyNameCancels()
    {
        GameState state = stateWithGame(kShortGame);
        const GameState before = state;
        m_toolkit->inputBoxAnswers.enqueue(QString());
        QCOMPARE(SaveGame(state, *m_toolkit), SaveResult::Cancelled);
        QCOMPARE(conversation(), QStringList{nameCall()});
        QVERIFY(state.miUlozitEnabled);
        QVERIFY(sameExceptSave(state, before));
        QCOMPARE(entriesIn(folder()), QStringList{});
    }

    void refusesSlashes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("slash") << QStringLiteral("a/b");
        QTest::newRow("backslash") << QStringLiteral("a\\b");
        QTest::newRow("only a slash") << QStringLiteral("/");
        QTest::newRow("parent folder") << QStringLiteral("../venku");
        QTest::newRow("absolute path") << QStringLiteral("/tmp/hra");
    }
    void refusesSlashes()
    {
        QFETCH(QString, name);
        const QString parent = QFileInfo(folder()).absolutePath();
        const QStringList parentBefore = entriesIn(parent);
        GameState state = stateWithGame(kShortGame);
        m_toolkit->inputBoxAnswers.enqueue(name);
        QCOMPARE(SaveGame(state, *m_toolkit), SaveResult::Failed);
        QCOMPARE(conversation(), (QStringList{nameCall(), warningCall(kBadNameMessage)}));
        QVERIFY(state.miUlozitEnabled);
        QCOMPARE(entriesIn(folder()), QStringList{});
        QCOMPARE(entriesIn(parent), parentBefore);
    }

    // Failures that stop even root: a temporary file left behind would show in the folder.
    void refusesNulCharacter()
    {
        GameState state = stateWithGame(kShortGame);
        m_toolkit->inputBoxAnswers.enqueue(QString::fromUtf16(u"ab\0cd", 5));
        QCOMPARE(SaveGame(state, *m_toolkit), SaveResult::Failed);
        QCOMPARE(conversation(),
                 (QStringList{nameCall(), warningCall(QStringLiteral("Název partie nesmí obsahovat nulový znak."))}));
        QVERIFY(state.miUlozitEnabled);
        QCOMPARE(entriesIn(folder()), QStringList{});
    }

    void failedSaveTellsWhyAndWritesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        const QString tooLong = QStringLiteral("Název partie je pro systém souborů příliš dlouhý.");
        QTest::newRow("300 letters") << QString(300, QLatin1Char('a')) << tooLong;
        QTest::newRow("one letter over the limit") << QString(245, QLatin1Char('a')) << tooLong;
        QTest::newRow("246 bytes of Czech letters") << QString(123, QChar(0x010D)) << tooLong;
        QTest::newRow("folder in the way") << QStringLiteral("x")
                                           << QStringLiteral("Na místě souboru je složka se stejným názvem.");
    }
    void failedSaveTellsWhyAndWritesNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QVERIFY(QDir(folder()).mkdir(QStringLiteral("x.txt")));
        QVERIFY(writeFile(pathOf(QStringLiteral("jiná.txt")), "stará partie"));
        const QStringList before = entriesIn(folder());

        GameState state = stateWithGame(kShortGame);
        m_toolkit->inputBoxAnswers.enqueue(name);
        QCOMPARE(SaveGame(state, *m_toolkit), SaveResult::Failed);

        const QString path = folder() + QLatin1Char('/') + name + QLatin1String(".txt");
        QCOMPARE(conversation(), (QStringList{nameCall(), warningCall(saveFailure(path, reason))}));
        QVERIFY(state.miUlozitEnabled);
        QCOMPARE(entriesIn(folder()), before);
        QVERIFY(entriesIn(pathOf(QStringLiteral("x.txt"))).isEmpty());
        QCOMPARE(contentOf(pathOf(QStringLiteral("jiná.txt"))), QByteArray("stará partie"));
    }

    void missingFolderIsNamed()
    {
        const QString missing = pathOf(QStringLiteral("nová"));
        m_toolkit->folder = missing;
        GameState state = stateWithGame(kShortGame);
        m_toolkit->inputBoxAnswers.enqueue(QStringLiteral("hra"));
        QCOMPARE(SaveGame(state, *m_toolkit), SaveResult::Failed);
        const QString reason = QStringLiteral("Složka %1 neexistuje.").arg(QDir::toNativeSeparators(missing));
        QCOMPARE(conversation(), (QStringList{nameCall(), warningCall(saveFailure(missing + "/hra.txt", reason))}));
        QVERIFY(!QFileInfo::exists(missing));
        QVERIFY(state.miUlozitEnabled);
    }

    void failedWriteKeepsExistingFile()
    {
        const QString path = pathOf(QStringLiteral("hra.txt"));
        QVERIFY(writeFile(path, formatSavedGame(kFullTour)));
        GameState state = stateWithGame(kShortGame);
        m_toolkit->inputBoxAnswers.enqueue(QStringLiteral("hra"));
        SaveResult result;
        {
            FileSizeLimit limit(64);  // a saved game never fits in 64 bytes
            if (!limit.active())
                QSKIP("The file size limit cannot be set here.");
            result = SaveGame(state, *m_toolkit);
        }
        QCOMPARE(result, SaveResult::Failed);
        QCOMPARE(conversation(), (QStringList{nameCall(), warningCall(saveFailure(
                                      path, QStringLiteral("Zápis se nezdařil, disk je možná plný.")))}));
        QCOMPARE(contentOf(path), formatSavedGame(kFullTour));
        QCOMPARE(entriesIn(folder()), QStringList{QStringLiteral("hra.txt")});
        QVERIFY(state.miUlozitEnabled);
    }

    void tooLongNameKeepsExistingFile()
    {
        // Fits on disk, but not with the temporary name the atomic save needs beside it.
        const QString name(245, QLatin1Char('a'));
        const QString path = pathOf(name + ".txt");
        QVERIFY(writeFile(path, formatSavedGame(kFullTour)));
        GameState state = stateWithGame(kShortGame);
        m_toolkit->inputBoxAnswers.enqueue(name);
        QCOMPARE(SaveGame(state, *m_toolkit), SaveResult::Failed);
        QCOMPARE(contentOf(path), formatSavedGame(kFullTour));
        QCOMPARE(entriesIn(folder()), QStringList{name + ".txt"});
    }

    void readOnlyFolderIsNamed()
    {
        if (::geteuid() == 0)
            QSKIP("Permissions do not stop root from writing.");
        QVERIFY(QFile::setPermissions(folder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        GameState state = stateWithGame(kShortGame);
        m_toolkit->inputBoxAnswers.enqueue(QStringLiteral("hra"));
        const SaveResult result = SaveGame(state, *m_toolkit);
        QFile::setPermissions(folder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(result, SaveResult::Failed);
        QCOMPARE(m_toolkit->callsTo(QStringLiteral("msgBox")).value(0).args.value(0),
                 saveFailure(pathOf(QStringLiteral("hra.txt")),
                             QStringLiteral("Do složky %1 nelze zapisovat.").arg(QDir::toNativeSeparators(folder()))));
        QCOMPARE(entriesIn(folder()), QStringList{});
    }

    // The prompt.

    void noPromptBeforeTheKnightMoves()
    {
        GameState state = stateWithGame(tourOf({20}));
        offerSave(state, *m_toolkit, QStringLiteral("Konec"));
        QCOMPARE(conversation(), QStringList{});
    }

    void promptNoSavesNothing()
    {
        GameState state = stateWithGame(kShortGame);
        offerSave(state, *m_toolkit, QStringLiteral("Konec"));
        QCOMPARE(conversation(), QStringList{promptCall(QStringLiteral("Konec"))});
        QVERIFY(state.miUlozitEnabled);
        QCOMPARE(entriesIn(folder()), QStringList{});
    }

    void promptYesSaves()
    {
        GameState state = stateWithGame(kShortGame);
        m_toolkit->msgBoxAnswers.enqueue(AnswerYes);
        m_toolkit->inputBoxAnswers.enqueue(QStringLiteral("hra"));
        offerSave(state, *m_toolkit, QStringLiteral("Uložit"));
        QCOMPARE(conversation(), (QStringList{promptCall(QStringLiteral("Uložit")), nameCall()}));
        QVERIFY(!state.miUlozitEnabled);
        QCOMPARE(contentOf(pathOf(QStringLiteral("hra.txt"))), formatSavedGame(kShortGame));
    }

    void promptIgnoresSaveItemState()
    {
        GameState state = stateWithGame(kShortGame);
        state.miUlozitEnabled = false;  // saved already
        offerSave(state, *m_toolkit, QStringLiteral("Konec"));
        QCOMPARE(conversation(), QStringList{promptCall(QStringLiteral("Konec"))});
    }

    void promptCancelledNameGoesOn()
    {
        GameState state = stateWithGame(kShortGame);
        m_toolkit->msgBoxAnswers.enqueue(AnswerYes);
        offerSave(state, *m_toolkit, QStringLiteral("Konec"));
        QCOMPARE(conversation(), (QStringList{promptCall(QStringLiteral("Konec")), nameCall()}));
        QVERIFY(state.miUlozitEnabled);
    }

    void promptAsksAgainAfterFailedSave()
    {
        QVERIFY(QDir(folder()).mkdir(QStringLiteral("x.txt")));
        GameState state = stateWithGame(kShortGame);
        m_toolkit->msgBoxAnswers << AnswerYes << AnswerOk << AnswerYes << AnswerOk << AnswerNo;
        m_toolkit->inputBoxAnswers << QStringLiteral("a\\b") << QStringLiteral("x");
        offerSave(state, *m_toolkit, QStringLiteral("Konec"));

        const QString inTheWay = saveFailure(pathOf(QStringLiteral("x.txt")),
                                             QStringLiteral("Na místě souboru je složka se stejným názvem."));
        QCOMPARE(conversation(), (QStringList{promptCall(QStringLiteral("Konec")), nameCall(),
                                              warningCall(kBadNameMessage), promptCall(QStringLiteral("Konec")),
                                              nameCall(), warningCall(inTheWay), promptCall(QStringLiteral("Konec"))}));
        QVERIFY(state.miUlozitEnabled);
    }

    void promptSavesOnSecondTry()
    {
        GameState state = stateWithGame(kShortGame);
        m_toolkit->msgBoxAnswers << AnswerYes << AnswerOk << AnswerYes;
        m_toolkit->inputBoxAnswers << QStringLiteral("a/b") << QStringLiteral("ab");
        offerSave(state, *m_toolkit, QStringLiteral("Konec"));
        QCOMPARE(m_toolkit->count(QStringLiteral("msgBox")), 3);
        QVERIFY(!state.miUlozitEnabled);
        QCOMPARE(entriesIn(folder()), QStringList{QStringLiteral("ab.txt")});
    }

    // New game.

    void newGameWithoutMovesAsksNothing()
    {
        GameState state = stateWithGame(tourOf({20}));
        NewGame(state, *m_toolkit);
        QCOMPARE(conversation(), QStringList{});
        QCOMPARE(state.picture[20], NoPicture);
        QCOMPARE(state.tour, Tour{});
        QVERIFY(!state.miUlozitEnabled);
    }

    void newGameAsksWithTitleKonec_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("No") << int(AnswerNo) << QString() << QStringList{};
        QTest::newRow("Yes, cancelled") << int(AnswerYes) << QString() << QStringList{};
        QTest::newRow("Yes, saved") << int(AnswerYes) << QStringLiteral("hra") << QStringList{QStringLiteral("hra.txt")};
    }
    void newGameAsksWithTitleKonec()
    {
        QFETCH(int, answer);
        QFETCH(QString, name);
        QFETCH(QStringList, files);
        GameState state = stateWithGame(kShortGame);
        m_toolkit->msgBoxAnswers.enqueue(answer);
        m_toolkit->inputBoxAnswers.enqueue(name);
        NewGame(state, *m_toolkit);

        QCOMPARE(m_toolkit->callsTo(QStringLiteral("msgBox")).value(0).args.value(2), QStringLiteral("Konec"));
        QCOMPARE(entriesIn(folder()), files);
        QCOMPARE(state.tour, Tour{});
        for (int square = 1; square <= kSquareCount; ++square)
            QCOMPARE(state.picture[square], NoPicture);
        QCOMPARE(state.lblBody, 0);
        QVERIFY(!state.cmdZpetEnabled);
        QVERIFY(!state.cmdVpredEnabled);
        QVERIFY(!state.miUlozitEnabled);
    }
};

QTEST_MAIN(TestSaveGame)
#include "tst_storage_save.moc"
