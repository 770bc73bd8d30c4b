#pragma once
// The dialogs around saved games: the name box, the offer to save before a game is thrown
// away, the open dialog, and the messages that tell why a file was not written or read.

#include "game/Game.h"

#include <QString>
#include <optional>

namespace trevak {

class PlatformServices;
enum class Answer;

enum class SaveResult {
    Saved,
    Cancelled,
    Failed
};

class SaveLoadDialogs {
public:
    SaveLoadDialogs(Game &game, PlatformServices &services, const QString &folder);

    // Asks for a name and writes the whole record to "<folder>/<name>.txt". A refused name or
    // a failed write is told in a message and leaves Save enabled; only a written file
    // disables it. An empty record is not saved: a message says there is nothing to save.
    // Without a folder (an installed copy run without a home) a message says why nothing is saved.
    SaveResult save();
    // Before the game is thrown away (new game, loading, leaving): when a jump is recorded,
    // asks whether to save it until the game is saved or the answer is No. A cancelled name
    // box or a failed save asks again, so only an explicit No loses the game.
    void offerToSave(const QString &title);
    // Before a logout, which may still be stopped: as offerToSave, with Cancel as a third answer
    // that keeps the game. Yes once the game is saved or when there is none worth saving.
    Answer offerToSaveOrCancel(const QString &title);
    // Lets the player pick a saved game; a file that cannot be read is told in a message.
    std::optional<Tour> chooseSavedGame();

private:
    void tellProblem(const QString &text);

    Game &m_game;
    PlatformServices &m_services;
    QString m_folder;
};

}  // namespace trevak
