// The toolkit services as the program really shows them: Qt's message box, input box and
// open dialog, answered from a timer while they are open.

#include "app/QtToolkit.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace trevak;

namespace {

// Runs `answer` on the first modal dialog of type T once it is open.
template <typename T>
void whenOpen(std::function<void(T *)> answer)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(dialog);
        }
    });
    poll->start(10);
}

}  // namespace

class TestQtToolkit : public QObject {
    Q_OBJECT
private slots:
    void messageBoxStyles_data();
    void messageBoxStyles();
    void carriageReturnsBreakLines();
    void inputBox_data();
    void inputBox();
    void openDialog();
    void picturesByNumber();
    void programFolder();
};

void TestQtToolkit::messageBoxStyles_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("icon");
    QTest::addColumn<bool>("pressDefault");
    QTest::addColumn<int>("result");
    QTest::newRow("OK") << int(MsgOk) << int(QMessageBox::Ok) << int(QMessageBox::NoIcon) << true << int(AnswerOk);
    QTest::newRow("Yes/No, default Yes") << int(MsgYesNo) << int(QMessageBox::Yes | QMessageBox::No)
                                         << int(QMessageBox::NoIcon) << true << int(AnswerYes);
    QTest::newRow("Yes/No, Escape is No") << int(MsgYesNo) << int(QMessageBox::Yes | QMessageBox::No)
                                          << int(QMessageBox::NoIcon) << false << int(AnswerNo);
    QTest::newRow("information") << int(MsgInformation) << int(QMessageBox::Ok) << int(QMessageBox::Information)
                                 << true << int(AnswerOk);
    QTest::newRow("warning") << int(MsgWarning) << int(QMessageBox::Ok) << int(QMessageBox::Warning) << true
                             << int(AnswerOk);
}

void TestQtToolkit::messageBoxStyles()
{
    QFETCH(int, style);
    QFETCH(int, buttons);
    QFETCH(int, icon);
    QFETCH(bool, pressDefault);
    QFETCH(int, result);
    QtToolkit toolkit;
    QString title;
    int shownButtons = 0;
    int shownIcon = -1;
    whenOpen<QMessageBox>([&](QMessageBox *box) {
        title = box->windowTitle();
        shownButtons = int(box->standardButtons());
        shownIcon = int(box->icon());
        QTest::keyClick(box, pressDefault ? Qt::Key_Return : Qt::Key_Escape);
    });
    QCOMPARE(toolkit.msgBox(QStringLiteral("Přejete si uložit hru?"), style, QStringLiteral("Konec")), result);
    QCOMPARE(title, QStringLiteral("Konec"));
    QCOMPARE(shownButtons, buttons);
    QCOMPARE(shownIcon, icon);
}

void TestQtToolkit::carriageReturnsBreakLines()
{
    QtToolkit toolkit;
    QString shown;
    whenOpen<QMessageBox>([&](QMessageBox *box) {
        shown = box->text();
        box->accept();
    });
    toolkit.msgBox(QStringLiteral("první\r  \rtřetí"), MsgInformation, QStringLiteral(" Nápověda "));
    QCOMPARE(shown.split(QLatin1Char('\n')), (QStringList{"první", "  ", "třetí"}));
}

void TestQtToolkit::inputBox_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("result");
    QTest::newRow("a name") << "partie" << true << "partie";
    QTest::newRow("blanks are a name") << "  " << true << "  ";
    QTest::newRow("Cancel") << "partie" << false << "";
}

void TestQtToolkit::inputBox()
{
    QFETCH(QString, typed);
    QFETCH(bool, accept);
    QFETCH(QString, result);
    QtToolkit toolkit;
    QString label;
    QString title;
    whenOpen<QInputDialog>([&](QInputDialog *box) {
        label = box->labelText();
        title = box->windowTitle();
        QLineEdit *edit = box->findChild<QLineEdit *>();
        QCOMPARE(edit->text(), QString());
        QTest::keyClicks(edit, typed);
        accept ? box->accept() : box->reject();
    });
    QCOMPARE(toolkit.inputBox(QStringLiteral("Zadej název partie."), QStringLiteral("Uložit partii.")), result);
    QCOMPARE(label, QStringLiteral("Zadej název partie."));
    QCOMPARE(title, QStringLiteral("Uložit partii."));
}

void TestQtToolkit::openDialog()
{
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("hra.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QtToolkit toolkit;
    QString title;
    QStringList filters;
    QString directory;
    whenOpen<QFileDialog>([&](QFileDialog *dialog) {
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        directory = dialog->directory().absolutePath();
        dialog->selectFile(QStringLiteral("hra.txt"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const QString chosen = toolkit.openDialog(folder.path(), QStringLiteral("Otevřít"),
                                              QStringLiteral("Všechny soubory (*.txt)"), QStringLiteral("*.txt"));
    QCOMPARE(QFileInfo(chosen).canonicalFilePath(), QFileInfo(file).canonicalFilePath());
    QCOMPARE(title, QStringLiteral("Otevřít"));
    QCOMPARE(filters, QStringList{QStringLiteral("Všechny soubory (*.txt)")});
    QCOMPARE(directory, QDir(folder.path()).absolutePath());

    whenOpen<QFileDialog>([](QFileDialog *dialog) { dialog->reject(); });
    QCOMPARE(toolkit.openDialog(folder.path(), QStringLiteral("Otevřít"), QStringLiteral("Všechny soubory (*.txt)"),
                                QStringLiteral("*.txt")),
             QString());
}

void TestQtToolkit::picturesByNumber()
{
    QtToolkit toolkit;
    QVERIFY(toolkit.picture(0).isNull());
    for (int id : {101, 102, 103, 104})
        QCOMPARE(toolkit.picture(id).deviceIndependentSize().toSize(), QSize(40, 40));
}

void TestQtToolkit::programFolder()
{
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir build;
    QTemporaryDir installed;
    // Run from where it was built: games go beside the program.
    QCOMPARE(QtToolkit::programFolderFor(build.path(), installed.path()), build.path());
    // Installed: games go to the user's data folder, which is made when missing.
    const QString data = QtToolkit::programFolderFor(installed.path() + QStringLiteral("/."), installed.path());
    QCOMPARE(data, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    QVERIFY(data.endsWith(QStringLiteral("/Trevak")));
    QVERIFY(QFileInfo(data).isDir());
    QDir(data).removeRecursively();
}

int main(int argc, char *argv[])
{
    // Qt's own dialogs, not the desktop's, so the test can look inside them.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trevak"));
    TestQtToolkit test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_qttoolkit.moc"
