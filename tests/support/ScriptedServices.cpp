#include "tests/support/ScriptedServices.h"

#include <QUrl>

namespace trevak::testing {

void ScriptedServices::record(const QString &service, const QStringList &args)
{
    calls.append({service, args});
}

void ScriptedServices::showMessage(const QString &title, const QString &text, MessageIcon icon)
{
    const char *const icons[] = {"none", "information", "warning"};
    record(QStringLiteral("showMessage"), {title, text, QLatin1String(icons[int(icon)])});
    if (whileModal)
        whileModal();
}

Answer ScriptedServices::askYesNo(const QString &title, const QString &question)
{
    record(QStringLiteral("askYesNo"), {title, question});
    if (whileModal)
        whileModal();
    return answers.isEmpty() ? Answer::No : answers.dequeue();
}

QString ScriptedServices::askText(const QString &title, const QString &prompt)
{
    record(QStringLiteral("askText"), {title, prompt});
    if (whileModal)
        whileModal();
    return typedTexts.isEmpty() ? QString() : typedTexts.dequeue();
}

QString ScriptedServices::chooseFileToOpen(const QString &title, const QString &folder, const QString &filter)
{
    record(QStringLiteral("chooseFileToOpen"), {title, folder, filter});
    if (whileModal)
        whileModal();
    return chosenFiles.isEmpty() ? QString() : chosenFiles.dequeue();
}

void ScriptedServices::beep()
{
    record(QStringLiteral("beep"), {});
}

void ScriptedServices::openLink(const QUrl &address, const std::function<void()> &failed)
{
    record(QStringLiteral("openLink"), {address.toString()});
    if (!linksOpen)
        failed();
}

void ScriptedServices::endProgram()
{
    record(QStringLiteral("endProgram"), {});
}

QStringList ScriptedServices::services() const
{
    QStringList names;
    for (const ServiceCall &call : calls)
        names.append(call.service);
    return names;
}

QList<ServiceCall> ScriptedServices::callsTo(const QString &service) const
{
    QList<ServiceCall> found;
    for (const ServiceCall &call : calls) {
        if (call.service == service)
            found.append(call);
    }
    return found;
}

}  // namespace trevak::testing
