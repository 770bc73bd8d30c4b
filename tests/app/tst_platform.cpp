// Qt's dialogs as the program's services show them, in Czech by Qt's translations even in the C
// locale; the program itself.

#include "app/GamesFolder.h"
#include "app/QtPlatformServices.h"
#include "app/SessionKeeper.h"
#include "app/Startup.h"
#include <QTest>
#include <QtWidgets>
using namespace trevak;

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void dialogs_data()
    {
        QTest::addColumn<QString>("call");  // the service, or showMessage's icon
        QTest::addColumn<QString>("typed");  // into the field, or the file picked; a final newline
                                             // presses Return, else Escape
        QTest::addColumn<QString>("shown");  // icon and buttons, the field's first text, or folder
                                             // ('@') and filter; = the result
        QTest::newRow("Yes/No, Return") << "yesno"
                                        << "\n"
                                        << "none &Ano|&Ne = Yes";
        QTest::newRow("Yes/No, Escape") << "yesno"
                                        << ""
                                        << "none &Ano|&Ne = No";
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
        QTest::newRow("file") << "file"
                              << "hra.txt\n"
                              << "@ Všechny soubory (*.txt) Hledat v:|&Otevřít|Zrušit = @/hra.txt";
        QTest::newRow("file, Cancel") << "file"
                                      << "hra.txt"
                                      << "@ Všechny soubory (*.txt) Hledat v:|&Otevřít|Zrušit = ";
    }

    void dialogs()
    {
        QFETCH(QString, call);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QTemporaryDir folder;
        QVERIFY(QFile(folder.filePath("hra.txt")).open(QIODevice::WriteOnly));
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
                    + box->labelText(QFileDialog::Reject);
                box->selectFile(typed.chopped(enter));
                return enter ? static_cast<QDialog *>(box)->accept()
                             : box->reject();  // Return may go to the completer's popup
            }
            QTest::keyClick(dialog, enter ? Qt::Key_Return : Qt::Key_Escape);
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

    // Its name, version and icon; a link no program takes is told; where games are kept, installed
    // or not, even without HOME, and the games of desktop sessions.
    void program()
    {
        describeApplication();
        QVERIFY(QApplication::applicationVersion() == "1.00"
                && !QApplication::windowIcon().isNull());
        QStandardPaths::setTestModeEnabled(true);
        QTemporaryDir built, installed, bin;
        QCOMPARE(savedGamesFolderFor(built.path(), installed.path()), built.path());
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY(data.endsWith("/Trevak")
                && savedGamesFolderFor(installed.path() + "/.", installed.path()) == data);
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
        qputenv("HOME", "/");  // last, so nothing after it needs a home
        QCOMPARE(savedGamesFolderFor(installed.path(), installed.path()), "/.qttest/share/Trevak");
    }
};
QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
