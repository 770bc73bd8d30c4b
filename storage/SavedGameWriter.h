#pragma once
// Writing a saved game's bytes to disk all at once or not at all.

#include <QByteArray>
#include <QString>

namespace trevak {

// Writes `bytes` to `path` atomically: on any failure an existing file keeps its old content
// and no partial or temporary file is left behind. Whatever already has that name is replaced
// only when it is, after following links, a regular file that reads as a saved game with nothing
// after its 64 lines.
// Returns an empty text on success, otherwise one Czech sentence saying why nothing was written.
QString writeSavedGameFile(const QString &path, const QByteArray &bytes);

}  // namespace trevak
