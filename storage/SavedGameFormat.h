#pragma once
// The saved-game file: 64 lines, line k holding the square filled at step k (0 for none).
// Kept free of widgets so the fuzzer can build it with QtCore alone.

#include "game/Game.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace trevak {

// The file's bytes: every entry of the tour as plain decimal digits, each line ended by
// CR LF whatever the platform, so files move between systems unchanged.
QByteArray formatSavedGame(const Tour &tour);

struct SavedGameRead {
    bool ok = false;
    Tour tour {};
    QString problem;  // one Czech sentence naming the fault, empty when ok
    int line = 0;  // the line the fault is on, 0 for faults of the whole file
    // A game with more after its 64th line (the player's notes, say): loading ignores the rest,
    // but the file is more than a saved game.
    bool textAfterGame = false;
};

// Reads and checks a saved game. Reads in small chunks and stops at the first byte after line 64
// or at the first fault, so any file, however large or strange, is judged from its first few KiB.
// Moves that are not knight's jumps are accepted: hand-edited games are allowed.
SavedGameRead readSavedGame(QIODevice &device);

// Opens `path` for reading and reads it as above. Anything but a regular file (a folder,
// a pipe, a device) is refused at once, without waiting for it.
SavedGameRead readSavedGameFile(const QString &path);

}  // namespace trevak
