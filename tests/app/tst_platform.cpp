// Qt's dialogs as the program's services show them, in Czech by Qt's translations even in the C
// locale; links handed to the desktop; where games and sessions are kept.

#include "app/GamesFolder.h"
#include "app/QtPlatformServices.h"
#include "app/SessionKeeper.h"
#include "app/Startup.h"

#include <QTest>
#include <QtWidgets>

using namespace trevak;

class TestPlatform : public QObject {
    Q_OBJECT
    QtPlatformServices qt;
    const QString text = "Soubor <b>a</b>.txt\nnelze uložit.";  // to be shown as written
    QStringList shown;  // by the last dialog answered

    // In the next dialog's own loop: notes what it shows, types `typed`, presses `keys` in turn.
    void answerNext(const QString &keys, const QString &typed = {})
    {
        QTimer::singleShot(0, this, [this, keys, typed] {
            QWidget *dialog = QApplication::activeModalWidget();
            shown = QStringList {dialog->windowTitle()};
            for (QLabel *label : dialog->findChildren<QLabel *>())
                if (!label->text().isEmpty())
                    shown << label->text();
            for (QPushButton *button : dialog->findChildren<QPushButton *>())
                shown << button->text();
            if (dialog->windowFlags().testFlag(Qt::WindowCloseButtonHint))
                shown << "close button";
            if (auto *box = qobject_cast<QMessageBox *>(dialog))
                shown << (box->textFormat() == Qt::PlainText ? "plain" : "rich")
                      << QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(box->icon());
            if (auto *name = dialog->findChild<QLineEdit *>())
                name->insert(typed);
            // Only a file that exists can be picked: a typed name of none is not taken.
            if (auto *box = qobject_cast<QFileDialog *>(dialog))
                shown << (box->fileMode() == QFileDialog::ExistingFile ? "existing files" : "any");
            if (auto *view = dialog->findChild<QTreeView *>("treeView")) {
                const QModelIndex top = view->rootIndex();
                QAbstractItemModel *files = view->model();
                // Read and sorted, folders first, in the background: what is shown says if not.
                (void)QTest::qWaitFor([&] {
                    return files->rowCount(top) == 2 && files->index(0, 0, top).data() == "hry";
                });
                for (int column = 0; column < 4; ++column) {
                    QStringList cells {files->headerData(column, Qt::Horizontal).toString()};
                    for (int row = 0; row < files->rowCount(top); ++row)
                        cells << files->index(row, column, top).data().toString();
                    shown << cells.join(" | ");
                }
                const int alignment = files->index(1, 1, top).data(Qt::TextAlignmentRole).toInt();
                shown << ((alignment & Qt::AlignRight) ? "sizes on the right" : "on the left");
            }
            for (const QString &key : keys.split(", ")) {
                if (key == "close")
                    dialog->close();
                else
                    QTest::keySequence(dialog, QKeySequence(key));
            }
        });
    }

private slots:
    // The open dialog first: Qt's own texts must be Czech from the first dialog on.
    void dialogs()
    {
        QTemporaryDir folder;
        const QString game = folder.filePath("hra.txt");
        const QString games = folder.filePath("hry");
        QVERIFY(QDir().mkdir(games));
        QCOMPARE(QProcess::execute("truncate", {"--size=193", game}), 0);
        QCOMPARE(QProcess::execute("touch", {"-d", "2026-12-08 9:05", game, games}), 0);
        answerNext("Return", "hra.txt");
        QCOMPARE(qt.chooseFileToOpen("Otevřít", folder.path(), "Partie (*.txt)"), game);
        QCOMPARE(
            shown,
            QStringList({"Otevřít", "Hledat v:", "Název &souboru:", "Soubory typu:", "&Otevřít",
                         "Zrušit", "close button", "existing files", "Název | hry | hra.txt",
                         "Velikost |  | 193 B", "Typ | Složka | prostý textový dokument",
                         "Datum změny | 08.12.26 9:05 | 08.12.26 9:05", "sizes on the right"}));
        answerNext("Escape");
        qt.showMessage("Trevak", text, MessageIcon::Information);
        QCOMPARE(shown,
                 QStringList({"Trevak", text, "OK", "close button", "plain", "Information"}));
        answerNext("Return");
        qt.showMessage("Trevak", text, MessageIcon::Warning);
        QCOMPARE(shown, QStringList({"Trevak", text, "OK", "close button", "plain", "Warning"}));
        // Only the buttons answer the offer to save: Escape or the close button would say Ne and
        // throw the game away unasked, and leave Return no Ano to press. Its frame has no close
        // button, unlike every other dialog's.
        answerNext("Escape, close, Return");
        QCOMPARE(qt.askYesNo("Trevak", text), Answer::Yes);
        QCOMPARE(shown, QStringList({"Trevak", text, "&Ano", "&Ne", "plain", "NoIcon"}));
        answerNext("N");
        QCOMPARE(qt.askYesNo("Trevak", text), Answer::No);
        answerNext("Escape");  // in the logout's question: Zrušit
        QCOMPARE(qt.askYesNoCancel("Konec", text), Answer::Cancel);
        QCOMPARE(shown,
                 QStringList(
                     {"Konec", text, "&Ano", "&Ne", "&Zrušit", "close button", "plain", "NoIcon"}));
        answerNext("Escape", "hra");  // a name typed, then Zrušit: no name
        QCOMPARE(qt.askText("Trevak", text), "");
        QCOMPARE(shown, QStringList({"Trevak", text, "OK", "Zrušit", "close button"}));
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
        QStringList failed;
        for (const char *address : {"https://ok/", "https://chybí/"})
            qt.openLink(QUrl(address), [&failed, address] { failed << address; });
        QTRY_COMPARE(failed, QStringList {"https://chybí/"});
        QTRY_VERIFY(qApp->findChildren<QProcess *>().isEmpty());
        describeApplication();
        QVERIFY(!QApplication::windowIcon().isNull());
    }

    // A session's record is named as the manager restarts the program, never out of its folder.
    // The games folder by HOME and XDG_DATA_HOME, of a program run from where it is installed: none
    // without a home; of one run from elsewhere: beside it. Last: it changes the environment.
    void whereGamesAreKept()
    {
        QCOMPARE(SessionKeeper::recordPath("/d", "10a3f", "1765_42"), "/d/10a3f_1765_42");
        for (const auto &[id, key] : {std::pair("..", "1"), {"a", "../b"}, {"a", ""}})
            QCOMPARE(SessionKeeper::recordPath("/d", id, key), QString());
        const QMap<QString, QString> folders {
            {"HOME=/home/hráč XDG_DATA_HOME=data", "/home/hráč/.local/share/Trevak"},
            {"HOME=/home/hráč XDG_DATA_HOME=/data/", "/data/Trevak"},
            {"", ""},
            {"HOME=/", ""},
            {"HOME=h XDG_DATA_HOME=data", ""},
        };
        QTemporaryDir bin;
        for (const auto &[environment, folder] : folders.asKeyValueRange()) {
            qunsetenv("HOME");
            qunsetenv("XDG_DATA_HOME");
            for (const QString &variable : environment.split(' ', Qt::SkipEmptyParts))
                qputenv(qPrintable(variable.section('=', 0, 0)), variable.section('=', 1).toUtf8());
            const QString installed = savedGamesFolderFor(bin.path(), bin.path() + "/.");
            QCOMPARE(environment + ": " + installed, environment + ": " + folder);
            QCOMPARE(savedGamesFolderFor(bin.path(), "/"), bin.path());
        }
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
