// Qt's dialogs as the program's services show them, in Czech by Qt's translations even in the C
// locale; the program itself.

#include "app/GamesFolder.h"
#include "app/QtPlatformServices.h"
#include "app/SessionKeeper.h"
#include "app/Startup.h"
#include <QTest>
#include <QtWidgets>
#include <utime.h>
using namespace trevak;

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void dialogs_data()
    {
        QTest::addColumn<QString>("call");  // the service, or showMessage's icon
        QTest::addColumn<QString>("typed");  // into the field, or the file picked; a final newline
                                             // presses Return, else Escape; keys that answer a box
                                             // Escape leaves open
        QTest::addColumn<QString>("shown");  // icon and buttons, the field's first text, or folder
                                             // ('@'), filter, labels and list; = the result
        QTest::newRow("Yes/No, Return") << "yesno"
                                        << "\n"
                                        << "none &Ano|&Ne = Yes";
        QTest::newRow("Yes/No, Escape and closing do nothing, N")
            << "yesno"
            << "n"
            << "none &Ano|&Ne still open = No";
        QTest::newRow("logout, Return") << "yesnocancel"
                                        << "\n"
                                        << "none &Zrušit|&Ano|&Ne = Yes";
        QTest::newRow("logout, Escape") << "yesnocancel"
                                        << ""
                                        << "none &Zrušit|&Ano|&Ne = Cancel";
        QTest::newRow("message") << "none"
                                 << "\n"
                                 << "none OK = ";
        QTest::newRow("information") << "information"
                                     << ""
                                     << "information OK = ";
        QTest::newRow("warning") << "warning"
                                 << "\n"
                                 << "warning OK = ";
        QTest::newRow("name") << "text"
                              << "Žluťoučký kůň \n"
                              << " OK|Zrušit = Žluťoučký kůň ";
        QTest::newRow("name, Cancel") << "text"
                                      << "hra"
                                      << " OK|Zrušit = ";
        // The list in Czech whatever the system's language: headers, then the folder's entries.
        const QString list = "Název|Velikost|Typ|Datum změny; "
                             "hra.txt|193 B|prostý textový dokument|08.12.26 9:05; "
                             "složka||Složka|08.12.26 9:05";
        QTest::newRow("file") << "file"
                              << "hra.txt\n"
                              << "@ Všechny soubory (*.txt) Hledat v:|&Otevřít|Zrušit " + list
                + " = @/hra.txt";
        QTest::newRow("file, Cancel")
            << "file"
            << "hra.txt"
            << "@ Všechny soubory (*.txt) Hledat v:|&Otevřít|Zrušit " + list + " = ";
    }

    void dialogs()
    {
        QFETCH(QString, call);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QTemporaryDir folder;
        QFile game(folder.filePath("hra.txt"));
        QVERIFY(game.open(QIODevice::WriteOnly) && game.write(QByteArray(193, '0')) == 193);
        game.close();
        const QDateTime modified(QDate(2026, 12, 8), QTime(9, 5));  // local time
        const utimbuf times {modified.toSecsSinceEpoch(), modified.toSecsSinceEpoch()};
        QVERIFY(QDir(folder.path()).mkdir("složka"));
        for (const char *name : {"hra.txt", "složka"})
            QCOMPARE(::utime(QFile::encodeName(folder.filePath(name)).constData(), &times), 0);
        const QString text
            = QStringLiteral("Soubor <b>a</b>.txt\nnelze uložit.");  // shown as written, no markup
        const QStringList icons {"none", "information", "warning"};
        const QString filter = QStringLiteral("Všechny soubory (*.txt)");
        const bool enter = typed.endsWith('\n');
        QString seen, result;  // the dialog as shown, and the service's answer
        QObject answer;  // in the dialog's own event loop: describes the dialog, then answers it;
                         // never after the test
        QTimer::singleShot(0, &answer, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            seen = dialog->windowTitle() + '|';
            if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
                seen += box->text() + (box->textFormat() == Qt::PlainText ? "|" : "|rich ")
                    + icons.value(box->icon(), "?");
                for (QAbstractButton *button : box->buttons())
                    seen += (button == box->buttons().first() ? ' ' : '|') + button->text();
            } else if (auto *box = qobject_cast<QInputDialog *>(dialog)) {
                seen += box->labelText() + '|' + box->textValue() + ' ' + box->okButtonText() + '|'
                    + box->cancelButtonText();
                box->findChild<QLineEdit *>()->insert(typed.chopped(enter));
            } else if (auto *box = qobject_cast<QFileDialog *>(dialog)) {
                seen += box->directory().path() + ' ' + box->nameFilters().join('|') + ' '
                    + box->labelText(QFileDialog::LookIn) + '|'
                    + box->labelText(QFileDialog::Accept) + '|'
                    + box->labelText(QFileDialog::Reject) + ' ';
                box->selectFile(typed.chopped(enter));  // while its field has no focus yet
                auto *view = box->findChild<QTreeView *>("treeView");
                QAbstractItemModel *files = view->model();
                // Read in the background. A wait in vain is told in what was seen, and the dialog
                // is still answered.
                if (!QTest::qWaitFor([&] { return files->rowCount(view->rootIndex()) == 2; }))
                    seen += "(the list stayed incomplete) ";
                QStringList headers, rows;
                for (int column = 0; column < 4; ++column)
                    headers << files->headerData(column, Qt::Horizontal).toString();
                for (int row = 0; row < files->rowCount(view->rootIndex()); ++row) {
                    QStringList cells;
                    for (int column = 0; column < 4; ++column)
                        cells << files->index(row, column, view->rootIndex()).data().toString();
                    rows << cells.join('|');
                }
                rows.sort();
                seen += headers.join('|') + "; " + rows.join("; ");
                return enter ? static_cast<QDialog *>(box)->accept()
                             : box->reject();  // Return may go to the completer's popup
            }
            QTest::keyClick(dialog, enter ? Qt::Key_Return : Qt::Key_Escape);
            if (dialog->isVisible() && !dialog->close()) {
                seen += " still open";
                QTest::keyClicks(dialog, typed);
            }
        });
        QtPlatformServices qt;
        if (icons.contains(call))
            qt.showMessage("Trevak", text, MessageIcon(icons.indexOf(call)));
        else if (call == "yesno")
            result = qt.askYesNo("Trevak", text) == Answer::Yes ? "Yes" : "No";
        else if (call == "yesnocancel")
            result = QStringList {"Yes", "No", "Cancel"}.at(int(qt.askYesNoCancel("Trevak", text)));
        else
            result = call == "text" ? qt.askText("Trevak", text)
                                    : qt.chooseFileToOpen("Trevak", folder.path(), filter);
        QCOMPARE(seen + " = " + result,
                 "Trevak|" + (call == "file" ? "" : text + '|')
                     + shown.replace('@', folder.path()));
    }

    // Its name, version and icon; a link no program takes is told; the games of desktop sessions.
    void program()
    {
        describeApplication();
        QVERIFY(QApplication::applicationVersion() == "1.00"
                && !QApplication::windowIcon().isNull());
        QTemporaryDir bin;
        QFile opener(bin.filePath("xdg-open"));  // takes only one address
        QVERIFY(opener.open(QIODevice::WriteOnly, QFile::ReadOwner | QFile::ExeOwner)
                && opener.write("#!/bin/sh\n[ \"$1\" = https://ok/ ]\n") > 0);
        opener.close();
        qputenv("PATH", bin.path().toLocal8Bit() + ':' + qgetenv("PATH"));
        QtPlatformServices services;
        QStringList failed;
        for (const char *address : {"https://ok/", "https://chybí/"})
            services.openLink(QUrl(address), [&failed, address] { failed << address; });
        QTRY_COMPARE(failed, QStringList {"https://chybí/"});
        QTRY_VERIFY(qApp->findChildren<QProcess *>()
                        .isEmpty());  // both openers done: none is killed at the end
        // A session's game is kept under the name the session manager restarts it with; a name
        // that could lead out of the folder is refused.
        QCOMPARE(SessionKeeper::recordPath("/d", "10a3f", "1765_42"), "/d/10a3f_1765_42");
        for (const auto &[id, key] :
             {std::pair("..", "1"), std::pair("a", "../b"), std::pair("a/b", "1"),
              std::pair("a", ""), std::pair(".", "x")})
            QCOMPARE(SessionKeeper::recordPath("/d", id, key), QString());
    }

    void gamesFolder_data()
    {
        QTest::addColumn<bool>("installed");  // run from the folder it is installed to
        QTest::addColumn<QByteArray>("dataHome");  // XDG_DATA_HOME; null: not set
        QTest::addColumn<QByteArray>("home");  // HOME; null: not set
        QTest::addColumn<QString>("folder");  // '@' is the program's folder; empty: none
        const QByteArray notSet;
        QTest::newRow("built: beside the program")
            << false << QByteArray("/data") << QByteArray("/home/hráč") << "@";
        QTest::newRow("installed: in the home")
            << true << notSet << QByteArray("/home/hráč") << "/home/hráč/.local/share/Trevak";
        QTest::newRow("installed: in XDG_DATA_HOME")
            << true << QByteArray("/data/") << QByteArray("/home/hráč") << "/data/Trevak";
        QTest::newRow("installed: a relative XDG_DATA_HOME is ignored")
            << true << QByteArray("data") << QByteArray("/home/hráč")
            << "/home/hráč/.local/share/Trevak";
        QTest::newRow("installed: HOME not set") << true << notSet << notSet << "";
        QTest::newRow("installed: HOME empty") << true << QByteArray("") << QByteArray("") << "";
        QTest::newRow("installed: HOME the root") << true << notSet << QByteArray("/") << "";
        QTest::newRow("installed: HOME relative, XDG_DATA_HOME relative")
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
        QCOMPARE(savedGamesFolderFor(bin.path(), installedTo), folder.replace('@', bin.path()));
    }
};
QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
