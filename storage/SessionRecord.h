#pragma once
// The game a desktop session keeps while its user is away: the saved-game file's 64 lines, then
// the step shown and whether Uložit is on (1 on, 0 off), one line each, every line ended by
// CR LF. Zpět and Vpřed follow from the record and the step shown. Its first 64 lines read as a
// saved game of their own.

#include "game/Game.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace trevak {

// The record's bytes; a game with no step recorded has none (the saved-game lines need a step).
QByteArray formatSessionRecord(const GameState &state);

// The game kept in the file at `path`; nothing for a file that is missing, is no regular file, or
// is not exactly such a record of a game that could have been played.
std::optional<GameState> readSessionRecordFile(const QString &path);

}  // namespace trevak
