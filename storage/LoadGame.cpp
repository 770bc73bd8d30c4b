#include "storage/LoadGame.h"

#include "history/History.h"
#include "storage/SaveGame.h"
#include "storage/SavedGameFormat.h"

#include <QDir>

namespace trevak {

void applyLoadedTour(GameState &state, const Tour &tour)
{
    ResetBoard(state);
    int last = 0;
    for (int step = 1; step <= kSquareCount && tour[step] != 0; ++step)
        last = step;
    if (last == 0)
        return;

    state.tour = tour;
    for (int step = 1; step <= last; ++step) {
        const int square = tour[step];
        state.picture[square] = visitedPicture(state.tag[square]);
        state.line1Visible[step - 1] = true;
    }
    const int knightSquare = tour[last];
    state.picture[knightSquare] = knightPicture(state.tag[knightSquare]);
    state.knightPlaced = 1;
    state.currentSquare = static_cast<std::int16_t>(knightSquare);
    state.moveCount = static_cast<std::int16_t>(last);
    state.filledCount = static_cast<std::int16_t>(last);
    state.lineCount = static_cast<std::int16_t>(last - 1);
    showPercentage(state, last);
    state.lblBody = last;
    state.cmdZpetEnabled = true;
}

void LoadGame(GameState &state, Toolkit &toolkit, const std::function<void()> &showBoard)
{
    // Asks only when the knight has moved: a knight just placed is no game worth keeping.
    offerSave(state, toolkit, QStringLiteral("Uložit"));
    ResetBoard(state);
    if (showBoard)
        showBoard();

    const QString path = toolkit.openDialog(toolkit.programFolder(), QStringLiteral("Otevřít"),
                                            QStringLiteral("Všechny soubory (*.txt)"),
                                            QStringLiteral("*.txt"));
    if (path.isEmpty())
        return;

    const SavedGameRead read = readSavedGameFile(path);
    if (!read.ok) {
        toolkit.msgBox(QStringLiteral("Soubor %1 nelze načíst:\n%2")
                           .arg(QDir::toNativeSeparators(path), read.problem),
                       MsgWarning, QStringLiteral("Trevak"));
        return;
    }
    applyLoadedTour(state, read.tour);
}

}  // namespace trevak
