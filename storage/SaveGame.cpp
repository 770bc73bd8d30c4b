#include "storage/SaveGame.h"

#include "storage/SavedGameFormat.h"
#include "storage/SavedGameWriter.h"

#include <QDir>

namespace trevak {

namespace {
const QString kMessageTitle = QStringLiteral("Trevak");
}

SaveResult SaveGame(GameState &state, Toolkit &toolkit)
{
    const QString name = toolkit.inputBox(QStringLiteral("Zadej název partie."),
                                          QStringLiteral("Uložit partii."));
    if (name.isEmpty())
        return SaveResult::Cancelled;
    // The name becomes one file in the program folder, never a path elsewhere.
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))) {
        toolkit.msgBox(QStringLiteral("Název partie nesmí obsahovat lomítko / ani zpětné lomítko \\."),
                       MsgWarning, kMessageTitle);
        return SaveResult::Failed;
    }
    // The system would cut the path at a NUL and write a file of another name.
    if (name.contains(QChar(0))) {
        toolkit.msgBox(QStringLiteral("Název partie nesmí obsahovat nulový znak."), MsgWarning, kMessageTitle);
        return SaveResult::Failed;
    }

    const QString path = toolkit.programFolder() + QLatin1Char('/') + name + QLatin1String(".txt");
    const QString reason = writeSavedGameFile(path, formatSavedGame(state.tour));
    if (!reason.isEmpty()) {
        toolkit.msgBox(QStringLiteral("Soubor %1 nelze uložit:\n%2")
                           .arg(QDir::toNativeSeparators(path), reason),
                       MsgWarning, kMessageTitle);
        return SaveResult::Failed;
    }
    state.miUlozitEnabled = false;
    return SaveResult::Saved;
}

void offerSave(GameState &state, Toolkit &toolkit, const QString &title)
{
    if (state.tour[2] == 0)
        return;
    while (toolkit.msgBox(QStringLiteral("Přejete si uložit hru?"), MsgYesNo, title) == AnswerYes) {
        if (SaveGame(state, toolkit) != SaveResult::Failed)
            return;
    }
}

}  // namespace trevak
