#pragma once
// Writing a saved game's bytes to disk all at once or not at all.

#include <QByteArray>
#include <QString>

namespace trevak {

// Replaces `path` with `bytes` atomically: on any failure an existing file keeps its old
// content and no partial or temporary file is left behind. Returns an empty text on
// success, otherwise one Czech sentence saying why the file could not be written.
QString writeSavedGameFile(const QString &path, const QByteArray &bytes);

}  // namespace trevak
