// The dialogs of New game, Save, Load and leaving on the real window, scripted; Help; About.

#include "tests/support/OpenWindow.h"
using namespace trevak;
using namespace trevak::testing;

// A flow on the window, the About window open: steps (squares, gestures, About window's texts, '~'
// the right button, else menu items by caption; '_' for a space), the answers Y/N/C (Zrušit), the
// names typed split at '|', the game the open dialog picks ("vybraná.txt", '@' its folder); then
// the calls as letters, the files left there ("name:squares"), the message, the board (knight
// last), Zpět, Vpřed, Uložit; whether the window has no games folder, as an installed copy run
// without a home.
struct Flow {
    QString steps, answers, typed, chosen, calls, files, message, shown, buttons;
    bool noHome = false;
};
static void add(const char *name, const Flow &flow)
{
    QTest::newRow(name) << flow;
}

class TestFlows : public QObject {
    Q_OBJECT
private slots:
    void flows_data()
    {
        QTest::addColumn<Flow>("flow");
        const QString cannotSave
            = QStringLiteral("Soubor @/hra.txt nelze uložit:\n@ je soubor, ne složka.");
        const QString noLink = QStringLiteral(
            "Odkaz %1 se nepodařilo otevřít, v systému chybí program, který by ho otevřel.");
        const QString slash
            = QStringLiteral("Název partie nesmí obsahovat lomítko / ani zpětné lomítko \\.");
        QFile file(QStringLiteral(":/text/help.txt"));  // shown without the last line's newline
        const QString help
            = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).chopped(1) : "?";
        add("new, lone knight", {"20 Nová", "", "", "", "", "", "", "", "000"});
        add("new, taken back, Yes",
            {"1 18 35 B B B Nová", "Y", "zpět", "", "KN", "zpět.txt:1 18 35", "", "", "000"});
        add("new, Yes, name cancelled, asked again",
            {"1 18 Nová", "YN", "", "", "KNK", "", "", "", "000"});
        add("load, lone knight dropped", {"20 Načíst", "", "", "", "O", "", "", "", "000"});
        add("load, No, Cancel", {"1 18 Načíst", "N", "", "", "UO", "", "", "", "001"});
        add("load, No, a game",
            {"1 18 Načíst", "N", "", "1 18 3", "UO", "vybraná.txt:1 18 3", "", "1 18 3", "101"});
        add("load, Yes, a game",
            {"1 18 Načíst", "Y", "a", "1 18 3", "UNO", "a.txt:1 18,vybraná.txt:1 18 3", "",
             "1 18 3", "100"});
        add("load, refused file",
            {"1 18 Načíst", "N", "", "1 18 x", "UOW", "vybraná.txt:1 18 x",
             "Soubor @/vybraná.txt nelze načíst:\nŘádek 3 neobsahuje číslo pole.", "", "001"});
        add("load, slash refused, No",
            {"1 18 Načíst", "YN", "../a", "", "UNWUO", "", slash, "", "001"});
        add("exit, empty board", {"Konec", "", "", "", "E", "", "", "", "000"});
        add("exit, No", {"1 18 Konec", "N", "", "", "KE", "", "", "1 18", "101"});
        add("exit, Yes",
            {"1 18 Uložit Konec", "Y", "a|b", "", "NKNE", "a.txt:1 18,b.txt:1 18", "", "1 18",
             "100"});
        add("close box, empty board", {"close", "", "", "", "E", "", "", "", "000"});
        add("exit, failed save asked again",
            {"1 18 gone Konec", "YN", "hra", "", "KNWKE", "", cannotSave, "1 18", "101"});
        add("close box, No", {"1 18 close", "N", "", "", "KE", "", "", "1 18", "101"});
        add("exit, then close box", {"1 18 Konec close", "N", "", "", "KE", "", "", "1 18", "101"});
        add("logout, lone knight", {"20 logout", "", "", "", "", "", "", "20", "100"});
        add("logout, Yes", {"1 18 logout", "Y", "a", "", "QN", "a.txt:1 18", "", "1 18", "100"});
        add("logout, Yes, name cancelled, asked again, Zrušit",
            {"1 18 logout", "YC", "", "", "QNQ", "", "", "1 18", "101"});
        add("save, Cancel", {"1 18 Uložit", "", "", "", "N", "", "", "1 18", "101"});
        add("save twice",
            {"1 18 Uložit 35 Uložit", "", "hra|hra", "", "NN", "hra.txt:1 18 35", "", "1 18 35",
             "100"});
        add("save abc.txt",
            {"1 18 Uložit", "", "abc.txt", "", "N", "abc.txt.txt:1 18", "", "1 18", "100"});
        add("save backslash", {"1 18 Uložit", "", "a\\b", "", "NW", "", slash, "1 18", "101"});
        const QString control = QStringLiteral(
            "Název partie nesmí obsahovat řídicí znaky, jako je konec řádku nebo tabulátor.");
        add("save NUL",
            {"1 18 Uložit", "", QString::fromUtf16(u"a\0b", 3), "", "NW", "", control, "1 18",
             "101"});
        add("save tab", {"1 18 Uložit", "", "a\tb", "", "NW", "", control, "1 18", "101"});
        const QString invisible
            = QStringLiteral("Název partie musí obsahovat aspoň jeden viditelný znak.");
        add("save blanks", {"1 18 Uložit", "", "  ", "", "NW", "", invisible, "1 18", "101"});
        add("save zero-width space",
            {"1 18 Uložit", "", "\u200B", "", "NW", "", invisible, "1 18", "101"});
        add("save right-to-left override",
            {"1 18 Uložit", "", "abc\u202Etxt.exe", "", "NW", "",
             "Název partie nesmí obsahovat znaky, které mění směr textu.", "1 18", "101"});
        add("save spaces around the name",
            {"1 18 Uložit", "", "  hra  ", "", "N", "hra.txt:1 18", "", "1 18", "100"});
        add("save hidden",
            {"1 18 Uložit", "", ".", "", "NW", "", "Název partie nesmí začínat tečkou.", "1 18",
             "101"});
        add("save over no game",
            {"1 18 Uložit", "", "vybraná", "1 x", "NW", "vybraná.txt:1 x",
             "Soubor @/vybraná.txt nelze uložit:\nSoubor tohoto názvu už existuje a není to "
             "uložená partie.",
             "1 18", "101"});
        add("save, the board emptied by a cancelled load",
            {.steps = "1 18 33 50 60 Uložit 54 Načíst Uložit",
             .answers = "N",
             .typed = "mojehra|mojehra",
             .chosen = "",
             .calls = "NUOI",
             .files = "mojehra.txt:1 18 33 50 60",
             .message = "Na šachovnici není žádný tah, není co uložit.",
             .shown = "",
             .buttons = "001"});
        add("save without a home",
            {.steps = "1 18 Uložit Konec",
             .answers = "YN",
             .typed = "hra|hra",
             .chosen = "",
             .calls = "WKWKE",
             .files = "",
             .message = "Partii nelze uložit: není známa domovská složka (proměnná prostředí "
                        "HOME), ve které Trevak partie ukládá.",
             .shown = "1 18",
             .buttons = "101",
             .noHome = true});
        add("about, moved, chosen again", {"moved O_programu", "", "", "", "", "", "", "", "000"});
        add("about, Escape", {"moved esc", "", "", "", "", "", "", "", "000"});
        add("about, Escape, chosen again",
            {"moved esc O_programu", "", "", "", "", "", "", "", "000"});
        add("help", {"Pomoc", "", "", "", "H", "", help, "", "000"});
        add("e-mail link",
            {"~trevak@example.org Trevak Email: Domovské_stránky: Autor:_Tým_Trevak "
             "trevak@example.org",
             "", "", "", "ML", "", noLink.arg(QString::fromUtf8(kAuthorEmail)), "", "000"});
        add("page on the author's site",
            {"www.example.org/trevak", "", "", "", "FL", "", noLink.arg("www.example.org/trevak"),
             "", "000"});
        add("program's site",
            {"trevak.example.com", "", "", "", "SL", "", noLink.arg("trevak.example.com"), "",
             "000"});
    }

    void flows()
    {
        QFETCH(Flow, flow);
        const auto savedGame
            = [](const QString
                     &squares) {  // 64 lines, the squares in decimal, 0 after the last, CR LF each
                  const QStringList lines
                      = squares.split(' ', Qt::SkipEmptyParts) + QStringList(kSquareCount, "0");
                  return (lines.first(kSquareCount).join("\r\n") + "\r\n").toLatin1();
              };
        OpenWindow w(!flow.noHome);
        const QString folder = w.folder.path();
        QFile chosen(w.file(QStringLiteral("vybraná.txt")));
        QVERIFY(flow.chosen.isEmpty()
                || (chosen.open(QFile::WriteOnly) && chosen.write(savedGame(flow.chosen))
                    && chosen.flush()));
        w.services.chosenFiles.enqueue(chosen.isOpen() ? chosen.fileName() : QString());
        for (QChar answer : flow.answers)
            w.services.answers.enqueue(answer == 'Y'       ? Answer::Yes
                                           : answer == 'C' ? Answer::Cancel
                                                           : Answer::No);
        w.services.typedTexts.append(flow.typed.split('|', Qt::SkipEmptyParts));
        w.services.linksOpen = false;
        // The board is cleared before the open dialog shows.
        w.services.whileModal = [&] {
            QVERIFY(w.services.calls.last()[0] != "chooseFileToOpen" || w.counter() == "0");
        };
        w.trigger("O programu");  // leaving closes it, nothing else does
        const QPointer<AboutWindow> about = w.window->aboutWindow();
        const QHash<QString, std::function<void()>> gestures {
            {"B",
             [&] {
                 w.press(w.window->backButton());
             }},
            {"close",
             [&] {
                 w.window->close();
             }},
            {"logout",
             [&] {
                 w.window->offerToSaveBeforeLogout();
             }},
            {"moved",
             [&] {
                 about->move(about->pos() + QPoint(40, 30));
             }},
            {"esc",
             [&] {
                 QTest::keyClick(about.data(), Qt::Key_Escape);
             }},
            {"gone", [&] {
                 QVERIFY(QDir(folder).removeRecursively()
                         && QFile(folder).open(QIODevice::WriteOnly));
             }}};
        for (QString step : flow.steps.split(' ')) {
            step.replace('_', ' ');
            QWidget *text = about ? childShowing(about, QString(step).remove('~')) : nullptr;
            if (step.front().isDigit())
                w.click(step.toInt());
            else if (text)
                QTest::mouseClick(text, step.startsWith('~') ? Qt::RightButton : Qt::LeftButton);
            else
                gestures.value(step, [&] { w.trigger(step); })();
        }
        const QHash<QString, QChar> letters {
            {"askYesNo|Konec|Přejete si uložit hru?", 'K'},
            {"endProgram", 'E'},
            {"askYesNo|Uložit|Přejete si uložit hru?", 'U'},
            {"askYesNoCancel|Konec|Přejete si uložit hru?", 'Q'},
            {"askText|Uložit partii.|Zadej název partie.", 'N'},
            {"chooseFileToOpen|Otevřít|" + folder + "|Všechny soubory (*.txt)", 'O'},
            {"showMessage|Trevak|warning", 'W'},
            {"showMessage|Trevak|information", 'I'},
            {"showMessage| Nápověda |information", 'H'},
            {"showMessage|O Programu|warning", 'L'},
            {"openLink|mailto:" + QString(kAuthorEmail) + "?subject=Trevak&body=Dobrý den, ", 'M'},
            {"openLink|" + QString(kAuthorSitePage), 'F'},
            {"openLink|" + QString(kProgramSite), 'S'}};
        QString seen;
        for (QStringList call : std::as_const(w.services.calls)) {
            if (call.first() == "showMessage")  // its text is compared on its own
                QCOMPARE(
                    call.takeAt(2),
                    QString(flow.message).replace("@/", folder + '/').replace("@ ", folder + ' '));
            seen += letters.value(call.join('|'), '?');
        }
        QCOMPARE(seen, flow.calls);
        const QStringList files
            = flow.files.split(',', Qt::SkipEmptyParts);  // all files there, each with its bytes
        QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(),
                 files.size());
        for (const QString &entry : files) {
            QFile file(w.file(entry.section(':', 0, 0)));
            QVERIFY(file.open(QIODevice::ReadOnly)
                    && file.readAll() == savedGame(entry.section(':', 1)));
        }
        const QStringList shown = flow.shown.split(' ', Qt::SkipEmptyParts);
        for (int square = 1; square <= kSquareCount; ++square) {
            const qsizetype at = shown.indexOf(QString::number(square));
            const auto mark = at < 0    ? SquareMark::Empty
                : at + 1 < shown.size() ? SquareMark::Visited
                                        : SquareMark::Knight;
            QCOMPARE(w.window->square(square)->mark(), mark);
        }
        QCOMPARE(w.counter(), QString::number(shown.size()));
        QCOMPARE(QString("%1%2%3")
                     .arg(w.window->backButton()->isEnabled())
                     .arg(w.window->forwardButton()->isEnabled())
                     .arg(w.window->saveAction()->isEnabled()),
                 flow.buttons);
        // One About window however often chosen, left where moved, else at 2820, 3960, 2685, 2820
        // twips (15 a pixel).
        const bool closed = flow.calls.contains('E') || flow.steps.endsWith("esc");
        QTRY_COMPARE(w.window->aboutWindow() && w.window->aboutWindow()->isVisible(), !closed);
        const QPoint moved = flow.steps.contains("moved") && !flow.steps.contains("esc")
            ? QPoint(40, 30)
            : QPoint();
        QVERIFY(closed
                || w.window->aboutWindow()->geometry()
                    == QRect(188, 264, 179, 188).translated(moved));
        QTRY_COMPARE(about.isNull(), flow.steps.contains("esc"));
    }
};
QTEST_MAIN(TestFlows)
#include "tst_flows.moc"
