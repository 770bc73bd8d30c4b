// New game, saving, loading, leaving and logging out on the real window, its dialogs answered by
// a script; Help; the About window.

#include "tests/support/OpenWindow.h"

using namespace trevak;
using namespace trevak::testing;

struct Flow {
    // What the player does (OpenWindow::play), and every dialog as it comes with the player's
    // answer (ScriptedServices); "složka her je soubor": the games folder is replaced by a file.
    QStringList steps;
    QString board = {};  // the squares filled afterwards, in order
    QString on = {};  // which of Zpět, Vpřed and Uložit are on afterwards
    // The games folder's files before and after, each with the squares its lines hold; "x" stands
    // for a word in a line.
    QMap<QString, QString> before = {};
    QMap<QString, QString> after = {};
    bool withoutHome = false;  // an installed copy run without a home has no games folder
};

static bool isDialog(const QString &step)
{
    for (const char *start : {"název ", "otevřít ", "zpráva ", "konec programu"}) {
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
        // Hra > Uložit, a name typed and why it is refused.
        const auto refused = [](const QString &name, const QString &why) {
            return QStringList {"Hra > Uložit", "název " + name,
                                "zpráva Trevak: Název partie " + why};
        };
        const QString slash = "nesmí obsahovat lomítko / ani zpětné lomítko \\.";
        const QString direction = "nesmí obsahovat znaky, které mění směr textu.";
        const QString noHome = "zpráva Trevak: Partii nelze uložit: není známa domovská složka "
                               "(proměnná prostředí HOME), ve které Trevak partie ukládá.";
        QFile helpFile(":/text/help.txt");
        QVERIFY(helpFile.open(QIODevice::ReadOnly));
        const QString help = QString::fromUtf8(helpFile.readAll()).chopped(1);  // the last '\n'

        add("Nová after all is taken back, Ano, the name box cancelled and asked again",
            {.steps = {"A1", "B3", "C5", "Zpět", "Zpět", "Zpět", "Hra > Nová", "Konec? Ano",
                       "název Zrušit", "Konec? Ano", "název zpět"},
             .after = {{"zpět.txt", "A1 B3 C5"}}});
        add("a lone knight: a logout and Načíst ask nothing, Načíst drops it, Konec asks nothing",
            {.steps = {"D3", "odhlásit", "Hra > Načíst", "otevřít Zrušit", "Hra > Konec",
                       "konec programu"}});
        add("Načíst, Ne, Zrušit leaves the board empty, with nothing to save",
            {.steps = {"A1", "B3", "A5", "B7", "D8", "Hra > Uložit", "název hra", "F7",
                       "Hra > Načíst", "Uložit? Ne", "otevřít Zrušit", "Hra > Uložit",
                       "zpráva Trevak: Na šachovnici není žádný tah, není co uložit."},
             .on = "Uložit",
             .after = {{"hra.txt", "A1 B3 A5 B7 D8"}}});
        add("Načíst, Ano, a game",
            {.steps = {"A1", "B3", "Hra > Načíst", "Uložit? Ano", "název a", "otevřít vybraná.txt"},
             .board = "A1 B3 C1",
             .on = "Zpět",
             .before = {{"vybraná.txt", "A1 B3 C1"}},
             .after = {{"a.txt", "A1 B3"}, {"vybraná.txt", "A1 B3 C1"}}});
        add("Načíst, Ne, a file that is no game, then a game unasked",
            {.steps = {"A1", "B3", "Hra > Načíst", "Uložit? Ne", "otevřít chyba.txt",
                       "zpráva Trevak: Soubor <hry>/chyba.txt nelze načíst:\n"
                       "Řádek 3 neobsahuje číslo pole.",
                       "Hra > Načíst", "otevřít vybraná.txt"},
             .board = "A1 B3 C1",
             .on = "Zpět Uložit",
             .before = {{"chyba.txt", "A1 B3 x"}, {"vybraná.txt", "A1 B3 C1"}},
             .after = {{"chyba.txt", "A1 B3 x"}, {"vybraná.txt", "A1 B3 C1"}}});
        add("Konec, Ano",
            {.steps = {"A1", "B3", "Hra > Uložit", "název a", "Hra > Konec", "Konec? Ano",
                       "název b", "konec programu"},
             .board = "A1 B3",
             .on = "Zpět",
             .after = {{"a.txt", "A1 B3"}, {"b.txt", "A1 B3"}}});
        add("Konec, a failed save asks again",
            {.steps = {"A1", "B3", "složka her je soubor", "Hra > Konec", "Konec? Ano", "název hra",
                       "zpráva Trevak: Soubor <hry>/hra.txt nelze uložit:\n"
                       "<hry> je soubor, ne složka.",
                       "Konec? Ne", "konec programu"},
             .board = "A1 B3",
             .on = "Zpět Uložit"});
        add("the close button, Ne; then it asks nothing more",
            {.steps = {"A1", "B3", "zavřít okno", "Konec? Ne", "konec programu", "zavřít okno"},
             .board = "A1 B3",
             .on = "Zpět Uložit"});
        add("Uložit cancelled, then twice under one name, the spaces round it left out",
            {.steps = {"A1", "B3", "Hra > Uložit", "název Zrušit", "Hra > Uložit", "název   hra  ",
                       "C5", "Hra > Uložit", "název hra"},
             .board = "A1 B3 C5",
             .on = "Zpět",
             .after = {{"hra.txt", "A1 B3 C5"}}});
        add("Uložit refuses names, one after another",
            {.steps = QStringList {"A1", "B3"} + refused("../a", slash) + refused("a\\b", slash)
                 + refused("a\tb",
                           "nesmí obsahovat řídicí znaky, jako je konec řádku nebo tabulátor.")
                 + refused("\u200B", "musí obsahovat aspoň jeden viditelný znak.")
                 + refused("abc\u202Etxt.exe", direction) + refused("a\u200Eb", direction)
                 + refused(".", "nesmí začínat tečkou."),
             .board = "A1 B3",
             .on = "Zpět Uložit"});
        add("Uložit without a home",
            {.steps = {"A1", "B3", "Hra > Uložit", noHome, "Hra > Konec", "Konec? Ano", noHome,
                       "Konec? Ne", "konec programu"},
             .board = "A1 B3",
             .on = "Zpět Uložit",
             .withoutHome = true});
        add("Pomoc", {.steps = {"Nápověda > Pomoc", "zpráva  Nápověda : " + help}});
    }

    void flows()
    {
        QFETCH(Flow, flow);
        OpenWindow w(!flow.withoutHome);
        QDir folder(w.folder.path());
        for (const auto &[name, squares] : flow.before.asKeyValueRange()) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.write(savedGame(squares)) > 0);
        }
        QStringList dialogs;
        for (const QString &step : std::as_const(flow.steps)) {
            if (isDialog(step))
                dialogs << step;
            if (step.contains("? ") || step.startsWith("název ") || step.startsWith("otevřít "))
                w.services.script << step.section(' ', 1);
        }
        for (const QString &step : std::as_const(flow.steps)) {
            if (step == "složka her je soubor") {
                QVERIFY(folder.removeRecursively());
                QVERIFY(QFile(folder.path()).open(QFile::WriteOnly));
            } else if (!isDialog(step)) {
                w.play(step);
            }
        }
        QStringList transcript = w.services.transcript;
        QCOMPARE(transcript.replaceInStrings(folder.path(), "<hry>"), dialogs);

        QCOMPARE(folder.entryList(QDir::Files), flow.after.keys());
        for (const auto &[name, squares] : flow.after.asKeyValueRange()) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), savedGame(squares));
        }
        // The squares shown, in the order they were filled; the counter says how many.
        QStringList board;
        for (int step = 0; step < w.window->game().shownStep(); ++step)
            board << nameOf(w.window->game().tour()[step]);
        QCOMPARE(board.join(' '), flow.board);
        QCOMPARE(w.window->moveCounter()->text(), QString::number(board.size()));
        QStringList on;
        if (w.window->backButton()->isEnabled())
            on << "Zpět";
        if (w.window->forwardButton()->isEnabled())
            on << "Vpřed";
        if (w.window->saveAction()->isEnabled())
            on << "Uložit";
        QCOMPARE(on.join(' '), flow.on);
    }

    // One About window at its place however often chosen, left where it was moved; Escape closes
    // it. Its links are links to a screen reader and go to the desktop by a click, Return or
    // Enter.
    void aboutWindow()
    {
        OpenWindow w;
        w.play("Nápověda > O programu");
        const QPointer<AboutWindow> about = w.window->aboutWindow();
        QVERIFY(QTest::qWaitForWindowActive(about));
        QCOMPARE(about->geometry(), QRect(188, 264, 179, 188));  // 2820, 3960, 2685, 2820 twips
        about->move(about->pos() + QPoint(40, 30));
        w.window->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), w.window.get());
        w.play("Nápověda > O programu");
        QTRY_COMPARE(QApplication::activeWindow(), about);
        QCOMPARE(about->geometry(), QRect(228, 294, 179, 188));
        QVERIFY(childShowing(about, "Trevak")->font().bold());

        w.services.linksOpen = false;
        const char *links[][2] = {
            {"trevak@example.org", "mailto:trevak@example.org?subject=Trevak&body=Dobrý den, "},
            {"trevak.example.com", "https://trevak.example.com"},
            {"www.example.org/trevak", "https://www.example.org/trevak/"},
        };
        for (const auto &[caption, address] : links) {
            QWidget *link = childShowing(about, caption);
            QVERIFY2(link, caption);
            QAccessibleInterface *heard = QAccessible::queryAccessibleInterface(link);
            QCOMPARE(heard->role(), QAccessible::Link);
            QCOMPARE(heard->text(QAccessible::Description), address);
            const QStringList opened
                = {"odkaz " + QString(address),
                   "zpráva O Programu: Odkaz " + QString(caption)
                       + " se nepodařilo otevřít, v systému chybí program, který by ho otevřel."};
            QTest::mouseClick(link, Qt::LeftButton);
            QTest::keyClick(link, Qt::Key_Return);
            QTest::keyClick(link, Qt::Key_Enter);
            QCOMPARE(w.services.transcript, opened + opened + opened);
            w.services.transcript.clear();
        }
        QTest::keyClick(about, Qt::Key_Escape);
        QTRY_VERIFY(about.isNull());
        w.play("Nápověda > O programu");
        QCOMPARE(w.window->aboutWindow()->geometry(), QRect(188, 264, 179, 188));
    }
};

QTEST_MAIN(TestFlows)
#include "tst_flows.moc"
