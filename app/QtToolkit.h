#pragma once
// The toolkit services as the running program provides them, through Qt's own dialogs.

#include "app/Toolkit.h"

#include <QPointer>

#include <QWidget>

namespace trevak {

class QtToolkit : public Toolkit {
public:
    // Dialogs are made modal to `dialogParent` once it is set.
    void setDialogParent(QWidget *parent) { m_parent = parent; }

    int msgBox(const QString &prompt, int style, const QString &title) override;
    QString inputBox(const QString &prompt, const QString &title) override;
    void beep() override;
    QPixmap picture(int id) override;
    QString programFolder() override;
    QString openDialog(const QString &initialFolder, const QString &title,
                       const QString &filterDescription, const QString &filterPattern) override;
    void openAddress(const QString &address) override;
    void endProgram() override;

    // Where games go for a program run from `exeFolder`: beside it, unless that is the folder
    // the program is installed to, where the user's data folder takes its place.
    static QString programFolderFor(const QString &exeFolder, const QString &installedBinFolder);

    // An image of the program's resources, in its 2x version on high-density screens.
    static QPixmap resourcePixmap(const QString &baseName, const char *suffix = ".png");

private:
    QPointer<QWidget> m_parent;
};

}  // namespace trevak
