// Leaving the program, the help text and the About window.

#include "app/FrmAbout.h"
#include "app/FrmTrevak.h"
#include "app/HelpText.h"
#include "app/SquareWidget.h"
#include "tests/support/OpenWindow.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace trevak;

class TestShell : public testing::WindowTest {
    Q_OBJECT
private slots:
    void exitPrompt_data();
    void exitPrompt();
    void exitByCloseBox();
    void exitYesSaves();
    void helpText();
    void aboutWindow();
    void aboutLinks_data();
    void aboutLinks();
    void aboutClosesWithTheProgram();

private:
    void click(int square) { m_game->click(square); }
    void press(const char *button) { m_game->press(button); }
    void trigger(const char *item) { m_game->trigger(item); }

};



void TestShell::exitPrompt_data()
{
    QTest::addColumn<QList<int>>("squares");
    QTest::addColumn<int>("backs");
    QTest::addColumn<bool>("asked");
    QTest::newRow("empty board") << QList<int>{} << 0 << false;
    QTest::newRow("lone knight") << QList<int>{1} << 0 << false;
    QTest::newRow("after a move") << QList<int>{1, 18} << 0 << true;
    QTest::newRow("stepped back to the start") << QList<int>{1, 18} << 1 << true;
    QTest::newRow("stepped back to an empty board") << QList<int>{1, 18} << 2 << true;
}

void TestShell::exitPrompt()
{
    QFETCH(QList<int>, squares);
    QFETCH(int, backs);
    QFETCH(bool, asked);
    for (int sq : squares)
        click(sq);
    for (int k = 0; k < backs; ++k)
        press("CmdZpet");
    trigger("miKonec");
    const auto boxes = m_toolkit->callsTo(QStringLiteral("msgBox"));
    QCOMPARE(boxes.size(), asked ? 1 : 0);  // "Konec" asks once, not twice
    if (asked)
        QCOMPARE(boxes[0].args, (QStringList{"Přejete si uložit hru?", "4", "Konec"}));
    QCOMPARE(m_toolkit->count(QStringLiteral("endProgram")), 1);
    QCOMPARE(m_toolkit->count(QStringLiteral("inputBox")), 0);
    QVERIFY(QDir(m_game->folder.path()).isEmpty());
}

void TestShell::exitByCloseBox()
{
    click(1);
    click(18);
    QVERIFY(m_window->close());
    QCOMPARE(m_toolkit->count(QStringLiteral("msgBox")), 1);
    QCOMPARE(m_toolkit->count(QStringLiteral("endProgram")), 1);
}

void TestShell::exitYesSaves()
{
    click(1);
    click(18);
    trigger("miUlozit");  // saved already: the prompt still comes
    m_toolkit->calls.clear();
    m_toolkit->msgBoxAnswers.enqueue(AnswerYes);
    m_toolkit->inputBoxAnswers.enqueue(QStringLiteral("konec"));
    trigger("miKonec");
    QCOMPARE(m_toolkit->count(QStringLiteral("msgBox")), 1);
    QCOMPARE(m_toolkit->count(QStringLiteral("inputBox")), 1);
    QVERIFY(QFile::exists(m_game->folder.filePath(QStringLiteral("konec.txt"))));
    QCOMPARE(m_toolkit->calls.last().service, QStringLiteral("endProgram"));

    // Yes, then Cancel in the name box: nothing is saved and the program still ends.
    m_toolkit->calls.clear();
    m_toolkit->msgBoxAnswers.enqueue(AnswerYes);
    trigger("miKonec");
    QCOMPARE(m_toolkit->count(QStringLiteral("inputBox")), 1);
    QCOMPARE(m_toolkit->count(QStringLiteral("endProgram")), 1);
    QCOMPARE(QDir(m_game->folder.path()).entryList(QDir::Files).size(), 1);
}

void TestShell::helpText()
{
    trigger("miPomoc");
    const auto boxes = m_toolkit->callsTo(QStringLiteral("msgBox"));
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].args[1], QStringLiteral("64"));
    QCOMPARE(boxes[0].args[2], QStringLiteral(" Nápověda "));
    const QStringList lines = boxes[0].args[0].split(QLatin1Char('\r'));
    QCOMPARE(lines, (QStringList{
        "Účelem této hry je pomocí jezdce zaplnit",
        "postupně celou šachovnici. Na každé pole",
        "se smíte postavit pouze jednou. ",
        "  ",
        "Během hry si můžete uložit rozehranou partii kliknutím na tlačítko Uložit.",
        "Pomocí tlačítka Zpět se můžete vracet na předešlé tahy a naopak",
        "při stisknutí tlačítka Vpřed se vrátíme na následující tah,",
        "který už byl zahrán.",
    }));
    QVERIFY(!boxes[0].args[0].contains(QLatin1Char('\n')));
}

void TestShell::aboutWindow()
{
    trigger("MiOProgramu");
    QPointer<FrmAbout> about = m_window->aboutWindow();
    QVERIFY(about);
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QVERIFY(!about->isModal());
    QCOMPARE(about->parentWidget(), nullptr);
    QCOMPARE(about->windowTitle(), QStringLiteral("O Programu"));
    QCOMPARE(about->geometry(), QRect(188, 264, 179, 188));
    const auto captions = [&](const char *name) { return about->findChild<QLabel *>(QLatin1String(name))->text(); };
    QCOMPARE(captions("Label1"), QStringLiteral("Trevak"));
    QVERIFY(captions("Label5").startsWith(QStringLiteral("Autor: ")));
    QCOMPARE(captions("Label3"), QStringLiteral("Email:"));
    QCOMPARE(captions("Label4"), QStringLiteral("Domovské stránky:"));
    QVERIFY(!captions("LblOdkazy2").endsWith(QLatin1Char('/')));
    const QLabel *mail = about->findChild<QLabel *>(QStringLiteral("LblOdkazy1"));
    QVERIFY(mail->font().underline());
    QCOMPARE(mail->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    QCOMPARE(about->findChild<QLabel *>(QStringLiteral("Label1"))->font().pointSizeF(), 13.5);

    // A second "O programu" leaves the one window as it is.
    about->move(400, 300);
    const QRect moved = about->geometry();
    trigger("MiOProgramu");
    QCOMPARE(m_window->aboutWindow(), about.data());
    QCOMPARE(about->geometry(), moved);
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.begin(), windows.end(),
                           [](QWidget *w) { return qobject_cast<FrmAbout *>(w) && w->isVisible(); }), 1);

    // The main window stays usable while About is open.
    QTest::mouseClick(m_window->square(1), Qt::LeftButton);
    QCOMPARE(m_window->state().lblBody, 1);

    // Closed, it comes back at its design place.
    about->close();
    QTRY_VERIFY(about.isNull());
    trigger("MiOProgramu");
    QVERIFY(m_window->aboutWindow());
    QCOMPARE(m_window->aboutWindow()->geometry(), QRect(188, 264, 179, 188));
}

void TestShell::aboutLinks_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("target");
    QTest::newRow("e-mail") << "LblOdkazy1" << "mailto:trevak@example.org?subject=Trevak&body=Dobrý den, ";
    QTest::newRow("first home page") << "LblOdkazy2" << "https://www.example.org/trevak/";
    QTest::newRow("second home page") << "LblOdkazy3" << "https://trevak.example.com";
}

void TestShell::aboutLinks()
{
    QFETCH(QString, link);
    QFETCH(QString, target);
    trigger("MiOProgramu");
    FrmAbout *about = m_window->aboutWindow();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    for (const char *inert : {"Label1", "Label3", "Label4", "Label5"})
        QTest::mouseClick(about->findChild<QLabel *>(QLatin1String(inert)), Qt::LeftButton);
    QCOMPARE(m_toolkit->count(QStringLiteral("openAddress")), 0);
    QTest::mouseClick(about->findChild<QLabel *>(link), Qt::LeftButton);
    const auto opened = m_toolkit->callsTo(QStringLiteral("openAddress"));
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened[0].args[0], target);
}

void TestShell::aboutClosesWithTheProgram()
{
    trigger("MiOProgramu");
    QPointer<FrmAbout> about = m_window->aboutWindow();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    trigger("miKonec");
    QTRY_VERIFY(about.isNull() || !about->isVisible());
    QCOMPARE(m_toolkit->count(QStringLiteral("endProgram")), 1);
}

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
