#pragma once
// The platform services as the running program provides them, through Qt's own dialogs.

#include "app/PlatformServices.h"

#include <QPointer>
#include <QWidget>

namespace trevak {

class QtPlatformServices : public PlatformServices {
public:
    // Dialogs are made modal to `parent` once it is set.
    void setDialogParent(QWidget *parent) { m_parent = parent; }

    void showMessage(const QString &title, const QString &text, MessageIcon icon) override;
    Answer askYesNo(const QString &title, const QString &question) override;
    Answer askYesNoCancel(const QString &title, const QString &question) override;
    QString askText(const QString &title, const QString &prompt) override;
    QString chooseFileToOpen(const QString &title, const QString &folder,
                             const QString &filter) override;
    void beep() override;
    void openLink(const QUrl &address, const std::function<void()> &failed) override;
    void endProgram() override;

private:
    QPointer<QWidget> m_parent;
};

}  // namespace trevak
