#include "tests/support/ScriptedToolkit.h"

namespace trevak::testing {

int ScriptedToolkit::msgBox(const QString &prompt, int style, const QString &title)
{
    calls.append({QStringLiteral("msgBox"), {prompt, QString::number(style), title}});
    if (whileMsgBoxOpen)
        whileMsgBoxOpen(prompt);
    if (!msgBoxAnswers.isEmpty())
        return msgBoxAnswers.dequeue();
    return style == MsgYesNo ? AnswerNo : AnswerOk;
}

QString ScriptedToolkit::inputBox(const QString &prompt, const QString &title)
{
    calls.append({QStringLiteral("inputBox"), {prompt, title}});
    return inputBoxAnswers.isEmpty() ? QString() : inputBoxAnswers.dequeue();
}

void ScriptedToolkit::beep()
{
    calls.append({QStringLiteral("beep"), {}});
}

QString ScriptedToolkit::openDialog(const QString &initialFolder, const QString &title,
                                    const QString &filterDescription, const QString &filterPattern)
{
    calls.append({QStringLiteral("openDialog"), {initialFolder, title, filterDescription, filterPattern}});
    return openDialogAnswers.isEmpty() ? QString() : openDialogAnswers.dequeue();
}

void ScriptedToolkit::openAddress(const QString &address)
{
    calls.append({QStringLiteral("openAddress"), {address}});
}

void ScriptedToolkit::endProgram()
{
    calls.append({QStringLiteral("endProgram"), {}});
}

QList<ToolkitCall> ScriptedToolkit::callsTo(const QString &service) const
{
    QList<ToolkitCall> found;
    for (const ToolkitCall &call : calls) {
        if (call.service == service)
            found.append(call);
    }
    return found;
}

}  // namespace trevak::testing
