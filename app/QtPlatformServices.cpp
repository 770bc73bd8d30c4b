#include "app/QtPlatformServices.h"

#include "app/CzechFileListModel.h"
#include "app/Startup.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

namespace trevak {

namespace {

// The buttons' own texts, so that no desktop theme puts them in its language.
QMessageBox::StandardButton addButton(QMessageBox &box, QMessageBox::StandardButton which,
                                      const QString &text)
{
    box.addButton(which)->setText(text);
    return which;
}

// A question only its buttons answer: Escape and the frame's close button would otherwise count
// as "Ne" and throw the game away unasked.
class ButtonsOnlyBox : public QMessageBox {
public:
    explicit ButtonsOnlyBox(QWidget *parent) : QMessageBox(parent)
    {
        setWindowFlags(windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        setWindowFlag(Qt::WindowCloseButtonHint, false);
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (!event->matches(QKeySequence::Cancel))
            QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent *event) override { event->ignore(); }
};

int exec(QMessageBox &box)
{
    useCzechQtTexts();
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}

}  // namespace

void QtPlatformServices::showMessage(const QString &title, const QString &text, MessageIcon icon)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(title);
    box.setText(text);
    addButton(box, QMessageBox::Ok, QStringLiteral("OK"));
    if (icon == MessageIcon::Information)
        box.setIcon(QMessageBox::Information);
    else if (icon == MessageIcon::Warning)
        box.setIcon(QMessageBox::Warning);
    exec(box);
}

Answer QtPlatformServices::askYesNo(const QString &title, const QString &question)
{
    ButtonsOnlyBox box(m_parent);
    box.setWindowTitle(title);
    box.setText(question);
    box.setDefaultButton(addButton(box, QMessageBox::Yes, QStringLiteral("&Ano")));
    addButton(box, QMessageBox::No, QStringLiteral("&Ne"));
    return exec(box) == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

Answer QtPlatformServices::askYesNoCancel(const QString &title, const QString &question)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(title);
    box.setText(question);
    box.setDefaultButton(addButton(box, QMessageBox::Yes, QStringLiteral("&Ano")));
    addButton(box, QMessageBox::No, QStringLiteral("&Ne"));
    box.setEscapeButton(addButton(box, QMessageBox::Cancel, QStringLiteral("&Zrušit")));
    switch (exec(box)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

QString QtPlatformServices::askText(const QString &title, const QString &prompt)
{
    useCzechQtTexts();
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Zrušit"));
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

QString QtPlatformServices::chooseFileToOpen(const QString &title, const QString &folder,
                                             const QString &filter)
{
    useCzechQtTexts();
    // Qt's own dialog: a desktop's native one would speak the desktop's language.
    QFileDialog dialog(m_parent, title, folder, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("&Otevřít"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Zrušit"));
    dialog.setProxyModel(new CzechFileListModel(&dialog));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

void QtPlatformServices::beep()
{
    QApplication::beep();
}

void QtPlatformServices::openLink(const QUrl &address, const std::function<void()> &failed)
{
    // xdg-open, which Qt itself would start detached, says by its exit status whether a
    // program took the address.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        if (!QDesktopServices::openUrl(address))
            failed();
        return;
    }
    auto *process = new QProcess(qApp);
    QObject::connect(process, &QProcess::finished, process,
                     [process, failed](int code, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || code != 0)
                             failed();
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, failed](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         failed();
                         process->deleteLater();
                     });
    process->start(opener, {QString::fromLatin1(address.toEncoded())});
}

void QtPlatformServices::endProgram()
{
    // exit() leaves the event loop at once; quit() would first ask every window to close.
    QCoreApplication::exit(0);
}

}  // namespace trevak
