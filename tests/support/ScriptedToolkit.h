#pragma once
// A stand-in for the modal dialogs, the beep, the link opener and the program's end.
// Every call is recorded in `calls`; answers come from the queues, in order.
// Pictures are the program's real ones; the program folder is whatever the test sets.

#include "app/QtToolkit.h"

#include <QList>
#include <functional>
#include <QQueue>
#include <QStringList>

namespace trevak::testing {

struct ToolkitCall {
    QString service;  // "msgBox", "inputBox", "beep", "openDialog", "openAddress", "endProgram"
    QStringList args;
};

class ScriptedToolkit : public QtToolkit {
public:
    QList<ToolkitCall> calls;
    QQueue<int> msgBoxAnswers;         // when empty: Yes/No boxes answer No, others OK
    QQueue<QString> inputBoxAnswers;   // when empty: Cancel
    QQueue<QString> openDialogAnswers; // when empty: Cancel
    QString folder;

    int msgBox(const QString &prompt, int style, const QString &title) override;
    QString inputBox(const QString &prompt, const QString &title) override;
    void beep() override;
    QString programFolder() override { return folder; }
    QString openDialog(const QString &initialFolder, const QString &title,
                       const QString &filterDescription, const QString &filterPattern) override;
    void openAddress(const QString &address) override;
    void endProgram() override;

    // The recorded calls of one service.
    QList<ToolkitCall> callsTo(const QString &service) const;
    int count(const QString &service) const { return int(callsTo(service).size()); }
    // Invoked inside each message box, for tests that look at the window while it is open.
    std::function<void(const QString &prompt)> whileMsgBoxOpen;
};

}  // namespace trevak::testing
