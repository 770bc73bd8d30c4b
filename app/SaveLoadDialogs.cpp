#include "app/SaveLoadDialogs.h"

#include "app/PlatformServices.h"
#include "storage/SavedGameFormat.h"
#include "storage/SavedGameWriter.h"

#include <QDir>

namespace trevak {

namespace {

// Why a typed name cannot become one file in the games folder, or an empty text.
QString nameProblem(const QString &name)
{
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return QStringLiteral("Název partie nesmí obsahovat lomítko / ani zpětné lomítko \\.");
    // The system would cut the path at a NUL and write a file of another name.
    if (name.contains(QChar(0)))
        return QStringLiteral("Název partie nesmí obsahovat nulový znak.");
    return {};
}

}  // namespace

SaveLoadDialogs::SaveLoadDialogs(Game &game, PlatformServices &services, const QString &folder)
    : m_game(game), m_services(services), m_folder(folder)
{
}

void SaveLoadDialogs::tellProblem(const QString &text)
{
    m_services.showMessage(QStringLiteral("Trevak"), text, MessageIcon::Warning);
}

SaveResult SaveLoadDialogs::save()
{
    const QString name = m_services.askText(QStringLiteral("Uložit partii."), QStringLiteral("Zadej název partie."));
    if (name.isEmpty())
        return SaveResult::Cancelled;
    const QString problem = nameProblem(name);
    if (!problem.isEmpty()) {
        tellProblem(problem);
        return SaveResult::Failed;
    }

    const QString path = m_folder + QLatin1Char('/') + name + QLatin1String(".txt");
    const QString reason = writeSavedGameFile(path, formatSavedGame(m_game.tour()));
    if (!reason.isEmpty()) {
        tellProblem(QStringLiteral("Soubor %1 nelze uložit:\n%2").arg(QDir::toNativeSeparators(path), reason));
        return SaveResult::Failed;
    }
    m_game.markSaved();
    return SaveResult::Saved;
}

void SaveLoadDialogs::offerToSave(const QString &title)
{
    if (!m_game.hasJumpRecorded())
        return;
    while (m_services.askYesNo(title, QStringLiteral("Přejete si uložit hru?")) == Answer::Yes) {
        if (save() != SaveResult::Failed)
            return;
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
        tellProblem(QStringLiteral("Soubor %1 nelze načíst:\n%2").arg(QDir::toNativeSeparators(path), read.problem));
        return std::nullopt;
    }
    return read.tour;
}

}  // namespace trevak
