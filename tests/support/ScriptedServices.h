#pragma once
// A stand-in for the platform's modal services: every call is recorded, and the answers come
// from queues filled by the test, in order.

#include "app/PlatformServices.h"

#include <QQueue>
#include <QStringList>
#include <functional>

namespace trevak::testing {

struct ServiceCall {
    QString service;  // "showMessage", "askYesNo", "askText", "chooseFileToOpen", "beep", "openLink", "endProgram"
    QStringList args; // as passed; showMessage adds the icon: "none", "information" or "warning"
};

class ScriptedServices : public PlatformServices {
public:
    QList<ServiceCall> calls;
    QQueue<Answer> answers;        // when empty: No
    QQueue<QString> typedTexts;    // when empty: Cancel
    QQueue<QString> chosenFiles;   // when empty: Cancel
    bool linksOpen = true;        // false: no program takes a link
    // Runs inside every modal call, for tests that look at the window while a dialog is up.
    std::function<void()> whileModal;

    void showMessage(const QString &title, const QString &text, MessageIcon icon) override;
    Answer askYesNo(const QString &title, const QString &question) override;
    QString askText(const QString &title, const QString &prompt) override;
    QString chooseFileToOpen(const QString &title, const QString &folder, const QString &filter) override;
    void beep() override;
    void openLink(const QUrl &address, const std::function<void()> &failed) override;
    void endProgram() override;

    // The services called, in order, e.g. {"askYesNo", "askText", "endProgram"}.
    QStringList services() const;
    // The recorded calls of one service.
    QList<ServiceCall> callsTo(const QString &service) const;

private:
    void record(const QString &service, const QStringList &args);
};

}  // namespace trevak::testing
