#include "app/SaveLoadDialogs.h"

#include "app/PlatformServices.h"
#include "storage/SavedGameFormat.h"
#include "storage/SavedGameWriter.h"

#include <QDir>

#include <algorithm>

namespace trevak {

namespace {

// Marks that change the direction of the text after them: the file list would show the name's
// letters in another order than the file's name holds them.
bool changesDirection(char32_t c)
{
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E)
        || (c >= 0x2066 && c <= 0x2069);
}

// Characters that are drawn as nothing: spaces, format characters such as the zero-width space,
// the other characters Unicode tells to leave unseen (fillers, variation selectors), and the
// braille blank.
bool isInvisible(char32_t c)
{
    if (QChar::isSpace(c) || QChar::category(c) == QChar::Other_Format)
        return true;
    static constexpr std::pair<char32_t, char32_t> unseen[] = {
        {0x034F, 0x034F}, {0x115F, 0x1160}, {0x17B4, 0x17B5}, {0x180B, 0x180F}, {0x2800, 0x2800},
        {0x3164, 0x3164}, {0xFE00, 0xFE0F}, {0xFFA0, 0xFFA0}, {0xFFF0, 0xFFF8}, {0xE0000, 0xE0FFF}};
    return std::any_of(std::begin(unseen), std::end(unseen),
                       [c](const auto &range) { return c >= range.first && c <= range.second; });
}

// Why a typed name cannot become a file the open dialog will list as typed, or an empty text.
// Spaces at either end are not a problem: they are left out of the file's name.
QString nameProblem(const QString &typed)
{
    if (typed.contains(QLatin1Char('/')) || typed.contains(QLatin1Char('\\')))
        return QStringLiteral("Název partie nesmí obsahovat lomítko / ani zpětné lomítko \\.");
    const auto characters = typed.toUcs4();
    // A pasted line end or tab, or a NUL, at which the system would cut the name.
    if (std::any_of(characters.begin(), characters.end(),
                    [](char32_t c) { return QChar::category(c) == QChar::Other_Control; }))
        return QStringLiteral(
            "Název partie nesmí obsahovat řídicí znaky, jako je konec řádku nebo tabulátor.");
    if (std::any_of(characters.begin(), characters.end(), changesDirection))
        return QStringLiteral("Název partie nesmí obsahovat znaky, které mění směr textu.");
    if (std::all_of(characters.begin(), characters.end(), isInvisible))
        return QStringLiteral("Název partie musí obsahovat aspoň jeden viditelný znak.");
    // A name starting with a dot would make a hidden file.
    if (typed.trimmed().startsWith(QLatin1Char('.')))
        return QStringLiteral("Název partie nesmí začínat tečkou.");
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
    // An empty record (the board cleared for loading, the load then cancelled or refused) would
    // make a file that loads as no game, and could replace a real one.
    if (m_game.tour().front() == 0) {
        m_services.showMessage(QStringLiteral("Trevak"),
                               QStringLiteral("Na šachovnici není žádný tah, není co uložit."),
                               MessageIcon::Information);
        return SaveResult::Cancelled;
    }
    if (m_folder.isEmpty()) {
        tellProblem(QStringLiteral("Partii nelze uložit: není známa domovská složka (proměnná "
                                   "prostředí HOME), ve které Trevak partie ukládá."));
        return SaveResult::Failed;
    }
    const QString typed = m_services.askText(QStringLiteral("Uložit partii."),
                                             QStringLiteral("Zadej název partie."));
    if (typed.isEmpty())
        return SaveResult::Cancelled;
    const QString problem = nameProblem(typed);
    if (!problem.isEmpty()) {
        tellProblem(problem);
        return SaveResult::Failed;
    }
    // Spaces at the ends would not be seen in the file list; "  hra" is saved as hra.txt.
    const QString name = typed.trimmed();

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
