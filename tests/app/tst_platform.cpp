// Qt's dialogs as the program's services show them, in Czech by Qt's translations even in the C
// locale; links handed to the desktop; where games and sessions are kept.

#include "app/GamesFolder.h"
#include "app/QtPlatformServices.h"
#include "app/SessionKeeper.h"
#include "app/Startup.h"

#include <QTest>
#include <QtWidgets>
#include <utime.h>

using namespace trevak;

enum class Service {
    OpenFile,
    Message,
    YesNo,
    YesNoCancel,
    Name
};

struct Dialog {
    Service service;
    MessageIcon icon = MessageIcon::None;
    QString typed = {};  // into the name box, or the file picked in the open dialog
    bool pressReturn = true;  // else Escape
    bool onlyButtonsAnswer = false;  // Escape and the close button leave it open; N answers Ne
    QStringList shown = {};  // besides title and text: the icon and buttons, or labels and list
    QString answer = {};
};

// The dialog open now, described; then answered as `dialog` says.
static QStringList describeAndAnswer(const Dialog &dialog)
{
    QWidget *window = QApplication::activeModalWidget();
    QStringList seen {window->windowTitle()};
    if (auto *box = qobject_cast<QMessageBox *>(window)) {
        seen << box->text() << (box->textFormat() == Qt::PlainText ? "plain text" : "rich text");
        seen << QStringList({"no icon", "information", "warning"}).value(box->icon(), "?");
        for (QAbstractButton *button : box->buttons())
            seen << button->text();
    } else if (auto *box = qobject_cast<QInputDialog *>(window)) {
        seen << box->labelText() << box->textValue() << box->okButtonText()
             << box->cancelButtonText();
        box->findChild<QLineEdit *>()->insert(dialog.typed);
    } else if (auto *box = qobject_cast<QFileDialog *>(window)) {
        seen << box->directory().path() << box->nameFilters() << box->labelText(QFileDialog::LookIn)
             << box->labelText(QFileDialog::Accept) << box->labelText(QFileDialog::Reject);
        box->selectFile(dialog.typed);
        auto *view = box->findChild<QTreeView *>("treeView");
        QAbstractItemModel *files = view->model();
        // The list is read in the background. Should it stay short, what was seen says so.
        if (!QTest::qWaitFor([&] { return files->rowCount(view->rootIndex()) == 2; }))
            seen << "(the list stayed short)";
        QStringList header;
        for (int column = 0; column < 4; ++column)
            header << files->headerData(column, Qt::Horizontal).toString();
        seen << header.join(" | ");
        QStringList rows;
        for (int row = 0; row < files->rowCount(view->rootIndex()); ++row) {
            QStringList cells;
            for (int column = 0; column < 4; ++column)
                cells << files->index(row, column, view->rootIndex()).data().toString();
            rows << cells.join(" | ");
        }
        rows.sort();
        seen << rows;
        const QModelIndex size = files->index(0, 1, view->rootIndex());
        const bool right = size.data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight;
        seen << (right ? "sizes on the right" : "sizes not on the right");
        // Return could go to the completer's popup.
        if (dialog.pressReturn)
            static_cast<QDialog *>(box)->accept();
        else
            box->reject();
        return seen;
    }
    QTest::keyClick(window, dialog.pressReturn ? Qt::Key_Return : Qt::Key_Escape);
    if (dialog.onlyButtonsAnswer) {
        seen << (window->isVisible() && !window->close() ? "still open" : "closed");
        QTest::keyClick(window, Qt::Key_N);
    }
    return seen;
}

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void dialogs_data()
    {
        QTest::addColumn<Dialog>("dialog");
        const auto add = [](const char *name, const Dialog &d) {
            QTest::newRow(name) << d;
        };
        const QString text = "Soubor <b>a</b>.txt\nnelze uložit.";  // shown as written
        const QStringList files = {
            "Název | Velikost | Typ | Datum změny",
            "hra.txt | 193 B | prostý textový dokument | 08.12.26 9:05",
            "složka |  | Složka | 08.12.26 9:05",
            "sizes on the right",
        };
        const QStringList openDialog = QStringList({"<složka>", "Všechny soubory (*.txt)",
                                                    "Hledat v:", "&Otevřít", "Zrušit"})
            + files;
        // First: Qt's own texts must be Czech from the first dialog on.
        add("a game picked",
            {.service = Service::OpenFile,
             .typed = "hra.txt",
             .shown = openDialog,
             .answer = "<složka>/hra.txt"});
        add("the open dialog, Escape",
            {.service = Service::OpenFile,
             .typed = "hra.txt",
             .pressReturn = false,
             .shown = openDialog});
        add("a message",
            {.service = Service::Message, .shown = {text, "plain text", "no icon", "OK"}});
        add("information",
            {.service = Service::Message,
             .icon = MessageIcon::Information,
             .pressReturn = false,
             .shown = {text, "plain text", "information", "OK"}});
        add("a warning",
            {.service = Service::Message,
             .icon = MessageIcon::Warning,
             .shown = {text, "plain text", "warning", "OK"}});
        add("Ano or Ne, Return",
            {.service = Service::YesNo,
             .shown = {text, "plain text", "no icon", "&Ano", "&Ne"},
             .answer = "Ano"});
        add("Ano or Ne: Escape and the close button do nothing, N answers",
            {.service = Service::YesNo,
             .pressReturn = false,
             .onlyButtonsAnswer = true,
             .shown = {text, "plain text", "no icon", "&Ano", "&Ne", "still open"},
             .answer = "Ne"});
        add("the logout's question, Return",
            {.service = Service::YesNoCancel,
             .shown = {text, "plain text", "no icon", "&Zrušit", "&Ano", "&Ne"},
             .answer = "Ano"});
        add("the logout's question, Escape",
            {.service = Service::YesNoCancel,
             .pressReturn = false,
             .shown = {text, "plain text", "no icon", "&Zrušit", "&Ano", "&Ne"},
             .answer = "Zrušit"});
        add("a name typed",
            {.service = Service::Name,
             .typed = "Žluťoučký kůň ",
             .shown = {text, "", "OK", "Zrušit"},
             .answer = "Žluťoučký kůň "});
        add("a name, Escape",
            {.service = Service::Name,
             .typed = "hra",
             .pressReturn = false,
             .shown = {text, "", "OK", "Zrušit"}});
    }

    void dialogs()
    {
        QFETCH(Dialog, dialog);
        QTemporaryDir folder;
        QFile game(folder.filePath("hra.txt"));
        QVERIFY(game.open(QIODevice::WriteOnly) && game.write(QByteArray(193, '0')) == 193);
        game.close();
        QVERIFY(QDir(folder.path()).mkdir("složka"));
        const QDateTime modified(QDate(2026, 12, 8), QTime(9, 5));  // local time
        const utimbuf times {modified.toSecsSinceEpoch(), modified.toSecsSinceEpoch()};
        for (const char *name : {"hra.txt", "složka"})
            QCOMPARE(::utime(QFile::encodeName(folder.filePath(name)).constData(), &times), 0);

        QStringList seen;
        QObject inTheDialog;  // in the dialog's own event loop, never after the test
        QTimer::singleShot(0, &inTheDialog, [&] { seen = describeAndAnswer(dialog); });
        const QString text = "Soubor <b>a</b>.txt\nnelze uložit.";
        const QStringList answerWords {"Ano", "Ne", "Zrušit"};
        QtPlatformServices qt;
        QString answer;
        switch (dialog.service) {
        case Service::OpenFile:
            answer = qt.chooseFileToOpen("Trevak", folder.path(), "Všechny soubory (*.txt)");
            break;
        case Service::Message:
            qt.showMessage("Trevak", text, dialog.icon);
            break;
        case Service::YesNo:
            answer = answerWords.at(int(qt.askYesNo("Trevak", text)));
            break;
        case Service::YesNoCancel:
            answer = answerWords.at(int(qt.askYesNoCancel("Trevak", text)));
            break;
        case Service::Name:
            answer = qt.askText("Trevak", text);
            break;
        }
        QCOMPARE(seen,
                 QStringList("Trevak") + dialog.shown.replaceInStrings("<složka>", folder.path()));
        QCOMPARE(answer, dialog.answer.replace("<složka>", folder.path()));
    }

    // An address no program takes is told; both openers have ended before the test does.
    void links()
    {
        QTemporaryDir bin;
        QFile opener(bin.filePath("xdg-open"));  // takes only one address
        QVERIFY(opener.open(QIODevice::WriteOnly, QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(opener.write("#!/bin/sh\n[ \"$1\" = https://ok/ ]\n") > 0);
        opener.close();
        qputenv("PATH", bin.path().toLocal8Bit() + ':' + qgetenv("PATH"));
        QtPlatformServices services;
        QStringList failed;
        for (const char *address : {"https://ok/", "https://chybí/"})
            services.openLink(QUrl(address), [&failed, address] { failed << address; });
        QTRY_COMPARE(failed, QStringList {"https://chybí/"});
        QTRY_VERIFY(qApp->findChildren<QProcess *>().isEmpty());
        describeApplication();
        QVERIFY(!QApplication::windowIcon().isNull());
    }

    // A session's game is kept under the name the session manager restarts the program with;
    // a name that could lead out of the folder is refused.
    void sessionRecords()
    {
        QCOMPARE(SessionKeeper::recordPath("/d", "10a3f", "1765_42"), "/d/10a3f_1765_42");
        const std::pair<const char *, const char *> refused[] = {
            {"..", "1"}, {"a", "../b"}, {"a/b", "1"}, {"a", ""}, {".", "x"},
        };
        for (const auto &[id, key] : refused)
            QCOMPARE(SessionKeeper::recordPath("/d", id, key), QString());
    }

    void gamesFolder_data()
    {
        QTest::addColumn<bool>("installed");  // run from the folder it is installed to
        QTest::addColumn<QByteArray>("dataHome");  // XDG_DATA_HOME; null: not set
        QTest::addColumn<QByteArray>("home");  // HOME; null: not set
        QTest::addColumn<QString>("folder");  // empty: none
        const QByteArray unset;
        QTest::newRow("built: beside the program")
            << false << QByteArray("/data") << QByteArray("/home/hráč") << "<program>";
        QTest::newRow("installed: in the home")
            << true << unset << QByteArray("/home/hráč") << "/home/hráč/.local/share/Trevak";
        QTest::newRow("installed: in XDG_DATA_HOME")
            << true << QByteArray("/data/") << QByteArray("/home/hráč") << "/data/Trevak";
        QTest::newRow("installed: a relative XDG_DATA_HOME is ignored")
            << true << QByteArray("data") << QByteArray("/home/hráč")
            << "/home/hráč/.local/share/Trevak";
        QTest::newRow("installed: HOME not set") << true << unset << unset << "";
        QTest::newRow("installed: HOME empty") << true << QByteArray("") << QByteArray("") << "";
        QTest::newRow("installed: HOME the root") << true << unset << QByteArray("/") << "";
        QTest::newRow("installed: HOME and XDG_DATA_HOME relative")
            << true << QByteArray("data") << QByteArray("hráč") << "";
    }

    // Last: it changes the environment.
    void gamesFolder()
    {
        QFETCH(bool, installed);
        QFETCH(QByteArray, dataHome);
        QFETCH(QByteArray, home);
        QFETCH(QString, folder);
        for (const auto &[name, value] :
             {std::pair("XDG_DATA_HOME", dataHome), std::pair("HOME", home)}) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
        QTemporaryDir bin;
        const QString installedTo = installed ? bin.path() + "/." : "/nowhere";
        QCOMPARE(savedGamesFolderFor(bin.path(), installedTo),
                 folder.replace("<program>", bin.path()));
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
