#include "app/SaveLoadDialogs.h"

#include "app/PlatformServices.h"
#include "storage/SavedGameFormat.h"
#include "storage/SavedGameWriter.h"

#include <QDir>

namespace trevak {

namespace {

// Why a typed name cannot become a file the open dialog will list, or an empty text.
QString nameProblem(const QString &name)
{
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return QStringLiteral("Název partie nesmí obsahovat lomítko / ani zpětné lomítko \\.");
    if (name.trimmed().isEmpty())
        return QStringLiteral("Název partie nesmí být složen jen z mezer.");
    // A name starting with a dot would make a hidden file.
    if (name.startsWith(QLatin1Char('.')))
        return QStringLiteral("Název partie nesmí začínat tečkou.");
    // A pasted line end or tab, or a NUL, at which the system would cut the name.
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return QStringLiteral(
                "Název partie nesmí obsahovat řídicí znaky, jako je konec řádku nebo tabulátor.");
    }
    return {};
}

}  // namespace

SaveLoadDialogs::SaveLoadDialogs(Game &game, PlatformServices &services, const QString &folder)
    : m_game(game), m_services(services), m_folder(folder)
{ }

void SaveLoadDialogs::tellProblem(const QString &text)
{
    m_services.showMessage(QStringLiteral("Trevak"), text, MessageIcon::Warning);
}

SaveResult SaveLoadDialogs::save()
{
    const QString name = m_services.askText(QStringLiteral("Uložit partii."),
                                            QStringLiteral("Zadej název partie."));
    if (name.isEmpty())
        return SaveResult::Cancelled;
    const QString problem = nameProblem(name);
    if (!problem.isEmpty()) {
        tellProblem(problem);
        return SaveResult::Failed;
    }

    QDir().mkpath(
        m_folder);  // the user's data folder of an installed copy is made at its first game
    const QString path = m_folder + QLatin1Char('/') + name + QLatin1String(".txt");
    const QString reason = writeSavedGameFile(path, formatSavedGame(m_game.tour()));
    if (!reason.isEmpty()) {
        tellProblem(QStringLiteral("Soubor %1 nelze uložit:\n%2")
                        .arg(QDir::toNativeSeparators(path), reason));
        return SaveResult::Failed;
    }
    m_game.markSaved();
    return SaveResult::Saved;
}

void SaveLoadDialogs::offerToSave(const QString &title)
{
    if (!m_game.hasJumpRecorded())
        return;
    // Only "Ne" goes on without saving: a cancelled name box or a failed save asks again.
    while (m_services.askYesNo(title, QStringLiteral("Přejete si uložit hru?")) == Answer::Yes) {
        if (save() == SaveResult::Saved)
            return;
    }
}

Answer SaveLoadDialogs::offerToSaveOrCancel(const QString &title)
{
    if (!m_game.hasJumpRecorded())
        return Answer::Yes;
    for (;;) {
        const Answer answer
            = m_services.askYesNoCancel(title, QStringLiteral("Přejete si uložit hru?"));
        if (answer != Answer::Yes || save() == SaveResult::Saved)
            return answer;
    }
}

std::optional<Tour> SaveLoadDialogs::chooseSavedGame()
{
    const QString path = m_services.chooseFileToOpen(QStringLiteral("Otevřít"), m_folder,
                                                     QStringLiteral("Všechny soubory (*.txt)"));
    if (path.isEmpty())
        return std::nullopt;
    const SavedGameRead read = readSavedGameFile(path);
    if (!read.ok) {
        tellProblem(QStringLiteral("Soubor %1 nelze načíst:\n%2")
                        .arg(QDir::toNativeSeparators(path), read.problem));
        return std::nullopt;
    }
    return read.tour;
}

}  // namespace trevak
