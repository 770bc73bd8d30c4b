// Qt's dialogs as the program's services show them, with Qt's translations; the program itself.

#include "app/GamesFolder.h"
#include "app/QtPlatformServices.h"
#include "app/Startup.h"

#include <QTest>
#include <QtWidgets>

using namespace trevak;

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void dialogs_data()
    {
        // call: the service, or showMessage's icon. The suite runs in the C locale: the texts are Czech anyway.
        // typed: typed into the field, or the file picked; a final newline presses Return, else Escape.
        // shown: the icon and buttons, the field's first text, or the folder ('@') and filter; "=", the result.
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Yes/No, Return") << "yesno" << "\n" << "none &Ano|&Ne = Yes";
        QTest::newRow("Yes/No, Escape") << "yesno" << "" << "none &Ano|&Ne = No";
        QTest::newRow("message") << "none" << "\n" << "none OK = ";
        QTest::newRow("information") << "information" << "" << "information OK = ";
        QTest::newRow("warning") << "warning" << "\n" << "warning OK = ";
        QTest::newRow("name") << "text" << "Žluťoučký kůň \n" << " OK|Zrušit = Žluťoučký kůň ";
        QTest::newRow("name, Cancel") << "text" << "hra" << " OK|Zrušit = ";
        QTest::newRow("file") << "file" << "hra.txt\n" << "@ Všechny soubory (*.txt) Hledat v:|&Otevřít|Zrušit = @/hra.txt";
        QTest::newRow("file, Cancel") << "file" << "hra.txt" << "@ Všechny soubory (*.txt) Hledat v:|&Otevřít|Zrušit = ";
    }

    void dialogs()
    {
        QFETCH(QString, call);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QTemporaryDir folder;
        QVERIFY(QFile(folder.filePath("hra.txt")).open(QIODevice::WriteOnly));
        const QString text = QStringLiteral("Soubor <b>a</b>.txt\nnelze uložit.");  // shown as written, no markup
        QString seen;
        QTimer answer;  // fires in the dialog's own event loop: describes the dialog, then answers it
        answer.setSingleShot(true);
        connect(&answer, &QTimer::timeout, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            seen = dialog->windowTitle() + '|';
            if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
                seen += box->text() + (box->textFormat() == Qt::PlainText ? "|" : "|rich ")
                        + QStringList{"none", "information", "warning"}.value(box->icon(), "?");
                for (QAbstractButton *button : box->buttons())
                    seen += (button == box->buttons().first() ? ' ' : '|') + button->text();
            } else if (auto *box = qobject_cast<QInputDialog *>(dialog)) {
                seen += box->labelText() + '|' + box->textValue() + ' ' + box->okButtonText() + '|' + box->cancelButtonText();
                box->findChild<QLineEdit *>()->insert(typed.chopped(typed.endsWith('\n')));
            } else if (auto *box = qobject_cast<QFileDialog *>(dialog)) {
                seen += box->directory().path() + ' ' + box->nameFilters().join('|') + ' ' + box->labelText(QFileDialog::LookIn)
                        + '|' + box->labelText(QFileDialog::Accept) + '|' + box->labelText(QFileDialog::Reject);
                box->selectFile(typed.chopped(typed.endsWith('\n')));
            }
            QTest::keyClick(dialog, typed.endsWith('\n') ? Qt::Key_Return : Qt::Key_Escape);
        });
        answer.start(0);

        QtPlatformServices services;
        QString result;
        if (call.startsWith("yesno"))
            result = services.askYesNo("Trevak", text) == Answer::Yes ? "Yes" : "No";
        else if (call == "text")
            result = services.askText("Trevak", text);
        else if (call == "file")
            result = services.chooseFileToOpen("Trevak", folder.path(), QStringLiteral("Všechny soubory (*.txt)"));
        else
            services.showMessage("Trevak", text, MessageIcon(QStringList{"none", "information", "warning"}.indexOf(call)));
        QCOMPARE(seen + " = " + result,
                 "Trevak|" + (call == "file" ? "" : text + '|') + QString(shown).replace('@', folder.path()));
    }

    // Its name, version and icon; games beside it, or in the user's data folder when it runs
    // installed, a clean path even without HOME; a link no program takes is told; ending it
    // leaves the event loop with success.
    void program()
    {
        describeApplication();
        QVERIFY(QApplication::applicationVersion() == "1.00" && !QApplication::windowIcon().isNull());
        QStandardPaths::setTestModeEnabled(true);
        QTemporaryDir built, installed;
        QCOMPARE(savedGamesFolderFor(built.path(), installed.path()), built.path());
        const QString data = savedGamesFolderFor(installed.path() + "/.", installed.path());
        QCOMPARE(data, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        QVERIFY(data.endsWith("/Trevak"));
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", "/");
        QCOMPARE(savedGamesFolderFor(installed.path(), installed.path()), "/.qttest/share/Trevak");
        qputenv("HOME", home);

        QTemporaryDir bin;  // an opener that takes only one address
        QFile opener(bin.filePath("xdg-open"));
        QVERIFY(opener.open(QIODevice::WriteOnly) && opener.write("#!/bin/sh\n[ \"$1\" = https://ok/ ]\n") > 0);
        opener.close();
        QVERIFY(opener.setPermissions(opener.permissions() | QFile::ExeOwner));
        qputenv("PATH", bin.path().toLocal8Bit() + ':' + qgetenv("PATH"));
        QtPlatformServices services;
        QStringList failed;
        for (const char *address : {"https://ok/", "https://chybí/"})
            services.openLink(QUrl(address), [&failed, address] { failed << address; });
        QTRY_COMPARE(failed, QStringList{"https://chybí/"});

        QTimer::singleShot(0, [] { QtPlatformServices().endProgram(); });
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(failed.size(), 1);
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
