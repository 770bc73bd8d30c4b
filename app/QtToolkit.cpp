#include "app/QtToolkit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>

namespace trevak {

int QtToolkit::msgBox(const QString &prompt, int style, const QString &title)
{
    QString text = prompt;
    // Help texts join their lines with bare carriage returns.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));

    QMessageBox box(m_parent);
    box.setWindowTitle(title);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    switch (style) {
    case MsgYesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MsgWarning:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgInformation:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    const int pressed = box.exec();
    if (pressed == QMessageBox::Yes)
        return AnswerYes;
    if (pressed == QMessageBox::No)
        return AnswerNo;
    return AnswerOk;
}

QString QtToolkit::inputBox(const QString &prompt, const QString &title)
{
    bool accepted = false;
    const QString text = QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal,
                                               QString(), &accepted);
    return accepted ? text : QString();
}

void QtToolkit::beep()
{
    QApplication::beep();
}

QPixmap QtToolkit::resourcePixmap(const QString &baseName, const char *suffix)
{
    const QString base = QLatin1String(":/pictures/") + baseName;
    if (qApp && qApp->devicePixelRatio() > 1.0) {
        QPixmap sharp;
        if (sharp.load(base + QLatin1String("@2x") + QLatin1String(suffix))) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QPixmap(base + QLatin1String(suffix));
}

QPixmap QtToolkit::picture(int id)
{
    if (id == 0)
        return {};
    return resourcePixmap(QLatin1String("square") + QString::number(id));
}

QString QtToolkit::programFolder()
{
    return programFolderFor(QCoreApplication::applicationDirPath(), QStringLiteral(TREVAK_INSTALL_BINDIR));
}

QString QtToolkit::programFolderFor(const QString &exeFolder, const QString &installedBinFolder)
{
    // An installed copy cannot write beside its binary; it keeps games in the user's data folder.
    const QString installed = QFileInfo(installedBinFolder).canonicalFilePath();
    if (!installed.isEmpty() && QFileInfo(exeFolder).canonicalFilePath() == installed) {
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir().mkpath(data);
        return data;
    }
    return exeFolder;
}

QString QtToolkit::openDialog(const QString &initialFolder, const QString &title,
                              const QString &filterDescription, const QString &filterPattern)
{
    // Qt reads the patterns from the parentheses; the description names the pattern already.
    QString filter = filterDescription;
    if (!filter.contains(QLatin1Char('(')))
        filter += QLatin1String(" (") + filterPattern + QLatin1Char(')');
    return QFileDialog::getOpenFileName(m_parent, title, initialFolder, filter);
}

void QtToolkit::openAddress(const QString &address)
{
    QDesktopServices::openUrl(QUrl(address));
}

void QtToolkit::endProgram()
{
    // exit() leaves the event loop at once; quit() would first ask every window to close.
    QCoreApplication::exit(0);
}

}  // namespace trevak
