#include "app/QtPlatformServices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

namespace trevak {

void QtPlatformServices::showMessage(const QString &title, const QString &text, MessageIcon icon)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(title);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    box.setStandardButtons(QMessageBox::Ok);
    if (icon == MessageIcon::Information)
        box.setIcon(QMessageBox::Information);
    else if (icon == MessageIcon::Warning)
        box.setIcon(QMessageBox::Warning);
    box.exec();
}

Answer QtPlatformServices::askYesNo(const QString &title, const QString &question)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(title);
    box.setText(question);
    box.setTextFormat(Qt::PlainText);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString QtPlatformServices::askText(const QString &title, const QString &prompt)
{
    bool accepted = false;
    const QString text = QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, QString(), &accepted);
    return accepted ? text : QString();
}

QString QtPlatformServices::chooseFileToOpen(const QString &title, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(m_parent, title, folder, filter);
}

void QtPlatformServices::beep()
{
    QApplication::beep();
}

bool QtPlatformServices::openLink(const QUrl &address)
{
    return QDesktopServices::openUrl(address);
}

void QtPlatformServices::endProgram()
{
    // exit() leaves the event loop at once; quit() would first ask every window to close.
    QCoreApplication::exit(0);
}

}  // namespace trevak
