// New game, saving, loading, leaving and logging out on the real window, its dialogs answered by
// a script; Help; the About window.

#include "tests/support/OpenWindow.h"

using namespace trevak;
using namespace trevak::testing;

struct Flow {
    // What the player does, and every dialog as it comes with the player's answer (the words of
    // ScriptedServices). Besides "A1", "Zpět", "Hra > Nová": "zavřít okno" (the frame's close
    // button), "odhlásit" (the desktop logs out), "složka her je soubor" (the games folder is
    // replaced by a file).
    QStringList steps;
    // The games folder before and after, each file with the squares its lines hold ("x": a word).
    QMap<QString, QString> filesBefore = {};
    QMap<QString, QString> filesAfter = {};
    QString board = {};  // the squares filled, the knight on the last
    bool backEnabled = false;
    bool forwardEnabled = false;
    bool saveEnabled = false;
    bool withoutHome = false;  // an installed copy run without a home has no games folder
};

// 64 lines of the words in `squares` (square names as their numbers), then 0s, CR LF each.
static QByteArray savedGame(const QString &squares)
{
    QByteArray bytes;
    QStringList words = squares.split(' ', Qt::SkipEmptyParts);
    while (words.size() < 64)
        words << "0";
    for (const QString &word : std::as_const(words)) {
        const bool square = word.size() == 2 && word[0].isUpper() && word[1].isDigit();
        bytes += (square ? QString::number(squareNamed(word)) : word).toUtf8() + "\r\n";
    }
    return bytes;
}

static bool isDialog(const QString &step)
{
    for (const char *start : {"název ", "otevřít ", "zpráva ", "odkaz ", "konec programu"}) {
        if (step.startsWith(start))
            return true;
    }
    return step.contains("? ");
}

class TestFlows : public QObject {
    Q_OBJECT
private slots:
    void flows_data()
    {
        QTest::addColumn<Flow>("flow");
        const auto add = [](const char *name, const Flow &flow) {
            QTest::newRow(name) << flow;
        };
        const QString slash
            = "zpráva Trevak: Název partie nesmí obsahovat lomítko / ani zpětné lomítko \\.";
        const QString control = "zpráva Trevak: Název partie nesmí obsahovat řídicí znaky, jako "
                                "je konec řádku nebo tabulátor.";
        const QString invisible
            = "zpráva Trevak: Název partie musí obsahovat aspoň jeden viditelný znak.";
        QFile helpFile(":/text/help.txt");
        QVERIFY(helpFile.open(QIODevice::ReadOnly));
        const QString help = QString::fromUtf8(helpFile.readAll()).chopped(1);  // the last '\n'

        add("Nová after all is taken back, Ano",
            {.steps
             = {"A1", "B3", "C5", "Zpět", "Zpět", "Zpět", "Hra > Nová", "Konec? Ano", "název zpět"},
             .filesAfter = {{"zpět.txt", "A1 B3 C5"}}});
        add("Nová, Ano, the name box cancelled, asked again",
            {.steps = {"A1", "B3", "Hra > Nová", "Konec? Ano", "název Zrušit", "Konec? Ne"}});
        add("Načíst drops a lone knight unasked",
            {.steps = {"D3", "Hra > Načíst", "otevřít Zrušit"}});
        add("Načíst, Ne, Zrušit: the board stays empty",
            {.steps = {"A1", "B3", "Hra > Načíst", "Uložit? Ne", "otevřít Zrušit"},
             .saveEnabled = true});
        add("Načíst, Ne, a game",
            {.steps = {"A1", "B3", "Hra > Načíst", "Uložit? Ne", "otevřít vybraná.txt"},
             .filesBefore = {{"vybraná.txt", "A1 B3 C1"}},
             .filesAfter = {{"vybraná.txt", "A1 B3 C1"}},
             .board = "A1 B3 C1",
             .backEnabled = true,
             .saveEnabled = true});
        add("Načíst, Ano, a game",
            {.steps = {"A1", "B3", "Hra > Načíst", "Uložit? Ano", "název a", "otevřít vybraná.txt"},
             .filesBefore = {{"vybraná.txt", "A1 B3 C1"}},
             .filesAfter = {{"a.txt", "A1 B3"}, {"vybraná.txt", "A1 B3 C1"}},
             .board = "A1 B3 C1",
             .backEnabled = true});
        add("Načíst, a file that is no game",
            {.steps = {"A1", "B3", "Hra > Načíst", "Uložit? Ne", "otevřít vybraná.txt",
                       "zpráva Trevak: Soubor <hry>/vybraná.txt nelze načíst:\n"
                       "Řádek 3 neobsahuje číslo pole."},
             .filesBefore = {{"vybraná.txt", "A1 B3 x"}},
             .filesAfter = {{"vybraná.txt", "A1 B3 x"}},
             .saveEnabled = true});
        add("Načíst, Ano, a slash refused, Ne",
            {.steps = {"A1", "B3", "Hra > Načíst", "Uložit? Ano", "název ../a", slash, "Uložit? Ne",
                       "otevřít Zrušit"},
             .saveEnabled = true});
        add("Konec on an empty board asks nothing", {.steps = {"Hra > Konec", "konec programu"}});
        add("Konec, Ne",
            {.steps = {"A1", "B3", "Hra > Konec", "Konec? Ne", "konec programu"},
             .board = "A1 B3",
             .backEnabled = true,
             .saveEnabled = true});
        add("Konec, Ano",
            {.steps = {"A1", "B3", "Hra > Uložit", "název a", "Hra > Konec", "Konec? Ano",
                       "název b", "konec programu"},
             .filesAfter = {{"a.txt", "A1 B3"}, {"b.txt", "A1 B3"}},
             .board = "A1 B3",
             .backEnabled = true});
        add("Konec, a failed save asks again",
            {.steps = {"A1", "B3", "složka her je soubor", "Hra > Konec", "Konec? Ano", "název hra",
                       "zpráva Trevak: Soubor <hry>/hra.txt nelze uložit:\n"
                       "<hry> je soubor, ne složka.",
                       "Konec? Ne", "konec programu"},
             .board = "A1 B3",
             .backEnabled = true,
             .saveEnabled = true});
        add("the close button, Ne",
            {.steps = {"A1", "B3", "zavřít okno", "Konec? Ne", "konec programu"},
             .board = "A1 B3",
             .backEnabled = true,
             .saveEnabled = true});
        add("Konec, then the close button asks nothing more",
            {.steps = {"A1", "B3", "Hra > Konec", "Konec? Ne", "konec programu", "zavřít okno"},
             .board = "A1 B3",
             .backEnabled = true,
             .saveEnabled = true});
        add("a logout with a lone knight asks nothing",
            {.steps = {"D3", "odhlásit"}, .board = "D3", .backEnabled = true});
        add("a logout, Ano",
            {.steps = {"A1", "B3", "odhlásit", "Konec? Ano", "název a"},
             .filesAfter = {{"a.txt", "A1 B3"}},
             .board = "A1 B3",
             .backEnabled = true});
        add("a logout, Ano, the name box cancelled, Zrušit",
            {.steps = {"A1", "B3", "odhlásit", "Konec? Ano", "název Zrušit", "Konec? Zrušit"},
             .board = "A1 B3",
             .backEnabled = true,
             .saveEnabled = true});
        add("Uložit, the name box cancelled",
            {.steps = {"A1", "B3", "Hra > Uložit", "název Zrušit"},
             .board = "A1 B3",
             .backEnabled = true,
             .saveEnabled = true});
        add("Uložit twice under one name",
            {.steps = {"A1", "B3", "Hra > Uložit", "název hra", "C5", "Hra > Uložit", "název hra"},
             .filesAfter = {{"hra.txt", "A1 B3 C5"}},
             .board = "A1 B3 C5",
             .backEnabled = true});
        add("Uložit, spaces round the name left out",
            {.steps = {"A1", "B3", "Hra > Uložit", "název   hra  "},
             .filesAfter = {{"hra.txt", "A1 B3"}},
             .board = "A1 B3",
             .backEnabled = true});
        struct Refused {
            const char *what;
            QString name;
            QString message;
        };
        const Refused refusedNames[] = {
            {.what = "a backslash", .name = "a\\b", .message = slash},
            {.what = "a tab", .name = "a\tb", .message = control},
            {.what = "a zero-width space", .name = "\u200B", .message = invisible},
            {.what = "a right-to-left mark",
             .name = "abc\u202Etxt.exe",
             .message
             = "zpráva Trevak: Název partie nesmí obsahovat znaky, které mění směr textu."},
            {.what = "a dot first",
             .name = ".",
             .message = "zpráva Trevak: Název partie nesmí začínat tečkou."},
        };
        for (const Refused &refused : refusedNames) {
            QTest::addRow("Uložit refuses a name with %s", refused.what) << Flow {
                .steps = {"A1", "B3", "Hra > Uložit", "název " + refused.name, refused.message},
                .board = "A1 B3",
                .backEnabled = true,
                .saveEnabled = true};
        }
        add("Uložit keeps a file of that name that is no game",
            {.steps = {"A1", "B3", "Hra > Uložit", "název vybraná",
                       "zpráva Trevak: Soubor <hry>/vybraná.txt nelze uložit:\n"
                       "Soubor tohoto názvu už existuje a není to uložená partie."},
             .filesBefore = {{"vybraná.txt", "A1 x"}},
             .filesAfter = {{"vybraná.txt", "A1 x"}},
             .board = "A1 B3",
             .backEnabled = true,
             .saveEnabled = true});
        add("Uložit on the board emptied by a cancelled load",
            {.steps = {"A1", "B3", "A5", "B7", "D8", "Hra > Uložit", "název hra", "F7",
                       "Hra > Načíst", "Uložit? Ne", "otevřít Zrušit", "Hra > Uložit",
                       "zpráva Trevak: Na šachovnici není žádný tah, není co uložit."},
             .filesAfter = {{"hra.txt", "A1 B3 A5 B7 D8"}},
             .saveEnabled = true});
        add("Uložit without a home",
            {.steps = {"A1", "B3", "Hra > Uložit",
                       "zpráva Trevak: Partii nelze uložit: není známa domovská složka "
                       "(proměnná prostředí HOME), ve které Trevak partie ukládá.",
                       "Hra > Konec", "Konec? Ano",
                       "zpráva Trevak: Partii nelze uložit: není známa domovská složka "
                       "(proměnná prostředí HOME), ve které Trevak partie ukládá.",
                       "Konec? Ne", "konec programu"},
             .board = "A1 B3",
             .backEnabled = true,
             .saveEnabled = true,
             .withoutHome = true});
        add("Pomoc", {.steps = {"Nápověda > Pomoc", "zpráva  Nápověda : " + help}});
    }

    void flows()
    {
        QFETCH(Flow, flow);
        OpenWindow w(!flow.withoutHome);
        QDir folder(w.folder.path());
        for (const auto &[name, squares] : flow.filesBefore.asKeyValueRange()) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(savedGame(squares)) > 0);
        }
        QStringList dialogs;
        for (const QString &step : std::as_const(flow.steps)) {
            if (isDialog(step))
                dialogs << step;
            if (step.contains("? ") || step.startsWith("název ") || step.startsWith("otevřít "))
                w.services.script << step.section(' ', 1);
        }
        // The board is seen empty while a game is picked.
        bool boardEmptyWhilePicking = true;
        w.services.whileModal = [&] {
            if (w.services.transcript.last().startsWith("otevřít "))
                boardEmptyWhilePicking = w.window->moveCounter()->text() == "0";
        };
        for (const QString &step : std::as_const(flow.steps)) {
            if (step == "zavřít okno")
                w.window->close();
            else if (step == "odhlásit")
                w.window->offerToSaveBeforeLogout();
            else if (step == "složka her je soubor")
                QVERIFY(folder.removeRecursively() && QFile(folder.path()).open(QFile::WriteOnly));
            else if (!isDialog(step))
                w.play(step);
        }
        QStringList transcript = w.services.transcript;
        QCOMPARE(transcript.replaceInStrings(folder.path(), "<hry>"), dialogs);
        QVERIFY(boardEmptyWhilePicking);

        QCOMPARE(folder.entryList(QDir::Files | QDir::NoDotAndDotDot), flow.filesAfter.keys());
        for (const auto &[name, squares] : flow.filesAfter.asKeyValueRange()) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), savedGame(squares));
        }
        const QStringList board = flow.board.split(' ', Qt::SkipEmptyParts);
        for (int square = 1; square <= 64; ++square) {
            const qsizetype step = board.indexOf(nameOf(square));
            SquareMark mark = SquareMark::Empty;
            if (step >= 0)
                mark = step + 1 == board.size() ? SquareMark::Knight : SquareMark::Visited;
            QCOMPARE(w.window->square(square)->mark(), mark);
        }
        QCOMPARE(w.window->moveCounter()->text(), QString::number(board.size()));
        QCOMPARE(w.window->backButton()->isEnabled(), flow.backEnabled);
        QCOMPARE(w.window->forwardButton()->isEnabled(), flow.forwardEnabled);
        QCOMPARE(w.window->saveAction()->isEnabled(), flow.saveEnabled);
    }

    // One About window at its place however often chosen, left where it was moved; Escape and
    // leaving close it. Its links go to the desktop; a right click opens nothing.
    void aboutWindow()
    {
        OpenWindow w;
        w.play("Nápověda > O programu");
        const QPointer<AboutWindow> about = w.window->aboutWindow();
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QCOMPARE(about->geometry(), QRect(188, 264, 179, 188));  // 2820, 3960, 2685, 2820 twips
        about->move(about->pos() + QPoint(40, 30));
        w.play("Nápověda > O programu");
        QCOMPARE(w.window->aboutWindow(), about);
        QCOMPARE(about->geometry(), QRect(228, 294, 179, 188));
        for (const char *text : {"Trevak", "Autor: Tým Trevak", "Email:", "Domovské stránky:"})
            QVERIFY2(childShowing(about, text), text);

        w.services.linksOpen = false;
        const char *links[][2] = {
            {"trevak@example.org", "mailto:trevak@example.org?subject=Trevak&body=Dobrý den, "},
            {"trevak.example.com", "https://trevak.example.com"},
            {"www.example.org/trevak", "https://www.example.org/trevak/"},
        };
        for (const auto &[caption, address] : links) {
            QWidget *link = childShowing(about, caption);
            QVERIFY2(link, caption);
            // Drawn underlined in blue: a row of the link's own blue under its text.
            const QImage shot = link->grab().toImage().convertToFormat(QImage::Format_RGB32);
            int longestBlueRow = 0;
            for (int y = 0; y < shot.height(); ++y) {
                int blue = 0;
                for (int x = 0; x < shot.width(); ++x)
                    blue += shot.pixel(x, y) == qRgb(0, 0, 192) ? 1 : 0;
                longestBlueRow = std::max(longestBlueRow, blue);
            }
            QVERIFY2(longestBlueRow > 6 * int(qstrlen(caption)), caption);
            QTest::mouseClick(link, Qt::RightButton);
            QTest::mouseClick(link, Qt::LeftButton);
            QCOMPARE(w.services.transcript,
                     QStringList({"odkaz " + QString(address),
                                  "zpráva O Programu: Odkaz " + QString(caption)
                                      + " se nepodařilo otevřít, v systému chybí program, "
                                        "který by ho otevřel."}));
            w.services.transcript.clear();
        }

        QTest::keyClick(about, Qt::Key_Escape);
        QTRY_VERIFY(about.isNull());
        w.play("Nápověda > O programu");
        QCOMPARE(w.window->aboutWindow()->geometry(), QRect(188, 264, 179, 188));
        w.play("Hra > Konec");
        QTRY_VERIFY(!w.window->aboutWindow()->isVisible());
    }
};

QTEST_MAIN(TestFlows)
#include "tst_flows.moc"
