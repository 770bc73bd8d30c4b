// The dialogs of New game, Save, Load and leaving on the real window, scripted; Help; About.

#include "tests/support/OpenWindow.h"

using namespace trevak;
using namespace trevak::testing;

namespace {

// A saved game: 64 lines of the squares in decimal, 0 after the last step, CR LF after each.
QByteArray savedGame(const QString &squares)
{
    QStringList lines = squares.split(' ', Qt::SkipEmptyParts);
    lines.resize(kSquareCount, QStringLiteral("0"));
    return (lines.join("\r\n") + "\r\n").toLatin1();
}

// steps: a number clicks that square, "B" presses Zpět, "close" the close box, "gone" puts a
// file in the games folder's place, a label clicks it in the About window (open in every flow), other words
// trigger that menu item. answers: Y or N, in turn. typed: the names, split at '|'. calls: K/U
// the save prompt titled "Konec"/"Uložit", N the name box, O the open dialog, W a warning, H
// the help, M/F/S the e-mail, first and second home page handed on, L no program took it, E the end. chosen: the
// game the open dialog picks, "vybraná.txt" in the games folder ('@'). files: all files there
// afterwards, "name:squares". shown: the board, the knight last; buttons: Zpět, Vpřed, Uložit.
struct Flow {
    QString steps, answers, typed, chosen, calls, files, message, shown, buttons;
};

void add(const char *name, const Flow &flow) { QTest::newRow(name) << flow; }

}  // namespace
Q_DECLARE_METATYPE(Flow)

class TestFlows : public QObject {
    Q_OBJECT
private slots:
    void flows_data()
    {
        QTest::addColumn<Flow>("flow");
        const QString cannotSave = QStringLiteral("Soubor @/hra.txt nelze uložit:\n@ je soubor, ne složka.");
        const QString noLink = QStringLiteral("Odkaz %1 se nepodařilo otevřít, v systému chybí program, který by ho otevřel.");
        const QString slash = QStringLiteral("Název partie nesmí obsahovat lomítko / ani zpětné lomítko \\.");
        QFile file(QStringLiteral(":/text/help.txt"));  // shown without the last line's newline
        const QString help = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).chopped(1) : "?";
        add("new, lone knight", {"20 miNova", "", "", "", "", "", "", "", "000"});
        add("new, taken back, Yes", {"1 18 35 B B B miNova", "Y", "zpět", "", "KN", "zpět.txt:1 18 35", "", "", "000"});
        add("new, Yes, name cancelled, asked again", {"1 18 miNova", "YN", "", "", "KNK", "", "", "", "000"});
        add("load, lone knight dropped", {"20 miNacist", "", "", "", "O", "", "", "", "000"});
        add("load, No, Cancel", {"1 18 miNacist", "N", "", "", "UO", "", "", "", "001"});
        add("load, No, a game", {"1 18 miNacist", "N", "", "1 18 3", "UO", "vybraná.txt:1 18 3", "", "1 18 3", "101"});
        add("load, Yes, a game",
            {"1 18 miNacist", "Y", "a", "1 18 3", "UNO", "a.txt:1 18,vybraná.txt:1 18 3", "", "1 18 3", "100"});
        add("load, refused file", {"1 18 miNacist", "N", "", "1 18 x", "UOW", "vybraná.txt:1 18 x",
                                   "Soubor @/vybraná.txt nelze načíst:\nŘádek 3 neobsahuje číslo pole.", "", "001"});
        add("load, slash refused, No", {"1 18 miNacist", "YN", "../a", "", "UNWUO", "", slash, "", "001"});
        add("exit, empty board", {"miKonec", "", "", "", "E", "", "", "", "000"});
        add("exit, No", {"1 18 miKonec", "N", "", "", "KE", "", "", "1 18", "101"});
        add("exit, Yes", {"1 18 miUlozit miKonec", "Y", "a|b", "", "NKNE", "a.txt:1 18,b.txt:1 18", "", "1 18", "100"});
        add("close box, empty board", {"close", "", "", "", "E", "", "", "", "000"});
        add("exit, failed save asked again", {"1 18 gone miKonec", "YN", "hra", "", "KNWKE", "", cannotSave, "1 18", "101"});
        add("close box, No", {"1 18 close", "N", "", "", "KE", "", "", "1 18", "101"});
        add("exit, then close box", {"1 18 miKonec close", "N", "", "", "KE", "", "", "1 18", "101"});
        add("save, Cancel", {"1 18 miUlozit", "", "", "", "N", "", "", "1 18", "101"});
        add("save twice", {"1 18 miUlozit 35 miUlozit", "", "hra|hra", "", "NN", "hra.txt:1 18 35", "", "1 18 35", "100"});
        add("save abc.txt", {"1 18 miUlozit", "", "abc.txt", "", "N", "abc.txt.txt:1 18", "", "1 18", "100"});
        add("save backslash", {"1 18 miUlozit", "", "a\\b", "", "NW", "", slash, "1 18", "101"});
        const QString control = QStringLiteral("Název partie nesmí obsahovat řídicí znaky, jako je konec řádku nebo tabulátor.");
        add("save NUL", {"1 18 miUlozit", "", QString::fromUtf16(u"a\0b", 3), "", "NW", "", control, "1 18", "101"});
        add("save tab", {"1 18 miUlozit", "", "a\tb", "", "NW", "", control, "1 18", "101"});
        add("save blanks", {"1 18 miUlozit", "", "  ", "", "NW", "", "Název partie nesmí být složen jen z mezer.", "1 18", "101"});
        add("save hidden", {"1 18 miUlozit", "", ".", "", "NW", "", "Název partie nesmí začínat tečkou.", "1 18", "101"});
        add("save over no game", {"1 18 miUlozit", "", "vybraná", "1 x", "NW", "vybraná.txt:1 x",
                                  "Soubor @/vybraná.txt nelze uložit:\nSoubor tohoto názvu už existuje a není to uložená partie.",
                                  "1 18", "101"});
        add("help", {"miPomoc", "", "", "", "H", "", help, "", "000"});
        add("e-mail link", {"~LblOdkazy1 Label1 Label3 Label4 Label5 LblOdkazy1", "", "", "", "ML", "",
                            noLink.arg(QString::fromUtf8(kAuthorEmail)), "", "000"});
        add("first home page", {"LblOdkazy2", "", "", "", "FL", "", noLink.arg("www.example.org/trevak"), "", "000"});
        add("second home page", {"LblOdkazy3", "", "", "", "SL", "", noLink.arg("trevak.example.com"), "", "000"});
    }

    void flows()
    {
        QFETCH(Flow, flow);
        OpenWindow w;
        QFile chosen(w.file(QStringLiteral("vybraná.txt")));
        if (!flow.chosen.isEmpty())
            QVERIFY(chosen.open(QIODevice::WriteOnly) && chosen.write(savedGame(flow.chosen)) && chosen.flush());
        w.services.chosenFiles.enqueue(flow.chosen.isEmpty() ? QString() : chosen.fileName());
        for (QChar answer : flow.answers)
            w.services.answers.enqueue(answer == 'Y' ? Answer::Yes : Answer::No);
        w.services.typedTexts.append(flow.typed.split('|', Qt::SkipEmptyParts));
        w.services.linksOpen = false;
        w.services.whileModal = [&] {  // the board is cleared before the open dialog shows
            QVERIFY(w.services.calls.last().service != "chooseFileToOpen" || w.caption("LblBody") == "0");
        };
        w.trigger("MiOProgramu");  // leaving closes it, nothing else does

        for (const QString &step : flow.steps.split(' ')) {
            if (step.front().isDigit())
                w.click(step.toInt());
            else if (step.contains("Lbl") || step.contains("Label"))  // in the About window; '~': the right button
                QTest::mouseClick(w.window->aboutWindow()->findChild<QLabel *>(QString(step).remove('~')),
                                  step.startsWith('~') ? Qt::RightButton : Qt::LeftButton);
            else if (step == "B")
                w.press("CmdZpet");
            else if (step == "close")
                w.window->close();
            else if (step == "gone")
                QVERIFY(QDir(w.folder.path()).removeRecursively() && QFile(w.folder.path()).open(QIODevice::WriteOnly));
            else
                w.trigger(qPrintable(step));
        }

        const QHash<QString, QChar> letters{{"askYesNo|Konec|Přejete si uložit hru?", 'K'}, {"endProgram", 'E'},
            {"askYesNo|Uložit|Přejete si uložit hru?", 'U'}, {"askText|Uložit partii.|Zadej název partie.", 'N'},
            {"chooseFileToOpen|Otevřít|" + w.folder.path() + "|Všechny soubory (*.txt)", 'O'},
            {"showMessage|Trevak|warning", 'W'}, {"showMessage| Nápověda |information", 'H'},
            {"showMessage|O Programu|warning", 'L'},
            {"openLink|mailto:" + QString::fromUtf8(kAuthorEmail) + "?subject=Trevak&body=Dobrý den, ", 'M'},
            {"openLink|" + QString::fromUtf8(kFirstHomePage), 'F'}, {"openLink|" + QString::fromUtf8(kSecondHomePage), 'S'}};
        QString seen;
        for (ServiceCall call : std::as_const(w.services.calls)) {
            if (call.service == "showMessage")  // its text is compared on its own
                QCOMPARE(call.args.takeAt(1), QString(flow.message).replace("@/", w.folder.path() + '/').replace("@ ", w.folder.path() + ' '));
            seen += letters.value((QStringList{call.service} + call.args).join('|'), '?');
        }
        QCOMPARE(seen, flow.calls);

        QStringList files, expected;  // every file, by name, with its bytes
        for (const QFileInfo &info : QDir(w.folder.path()).entryInfoList(QDir::NoDotAndDotDot | QDir::AllEntries)) {
            QFile file(info.filePath());
            files.append(info.fileName() + ':' + (file.open(QIODevice::ReadOnly) ? file.readAll() : "?"));
        }
        for (const QString &entry : flow.files.split(',', Qt::SkipEmptyParts))
            expected.append(entry.section(':', 0, 0) + ':' + savedGame(entry.section(':', 1)));
        QCOMPARE(files, expected);

        const QStringList shown = flow.shown.split(' ', Qt::SkipEmptyParts);
        for (int square = 1; square <= kSquareCount; ++square) {
            const qsizetype at = shown.indexOf(QString::number(square));
            const auto mark = at < 0 ? SquareMark::Empty : at + 1 < shown.size() ? SquareMark::Visited : SquareMark::Knight;
            QCOMPARE(int(w.window->square(square)->mark()), int(mark));
        }
        QCOMPARE(w.caption("LblBody"), QString::number(shown.size()));
        QCOMPARE(QString::number(w.enabled("CmdZpet")) + QString::number(w.enabled("CmdVpred"))
                     + QString::number(w.enabled("miUlozit")), flow.buttons);
        QTRY_COMPARE(w.window->aboutWindow() && w.window->aboutWindow()->isVisible(), !flow.calls.contains('E'));
    }

    // One About window however often chosen, left where the player moved it; closed by Escape, back at its place.
    void about()
    {
        OpenWindow w;
        w.trigger("MiOProgramu");
        QPointer<AboutWindow> about = w.window->aboutWindow();
        const QRect designed(188, 264, 179, 188);  // 2820, 3960, 2685, 2820 twips at 15 twips a pixel
        about->move(about->pos() + QPoint(40, 30));
        w.trigger("MiOProgramu");
        QVERIFY(w.window->aboutWindow() == about && about->geometry() == designed.translated(40, 30));
        QTest::keyClick(about, Qt::Key_Escape);
        QTRY_VERIFY(about.isNull());
        w.trigger("MiOProgramu");
        QVERIFY(w.window->aboutWindow()->isVisible() && w.window->aboutWindow()->geometry() == designed);
    }
};

QTEST_MAIN(TestFlows)
#include "tst_flows.moc"
