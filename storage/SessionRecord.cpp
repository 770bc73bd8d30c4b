#include "storage/SessionRecord.h"

#include "storage/SavedGameFormat.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace trevak {

namespace {

constexpr int kExtraLines = 2;  // the step shown, Uložit
constexpr qint64 kMaxRecordBytes = kSquareCount * 4 + kExtraLines * 4;  // "64\r\n" at most

// Plain decimal digits, at most `max`; -1 otherwise.
int numberIn(const QByteArray &line, int max)
{
    if (line.isEmpty() || line.size() > 2
        || !std::all_of(line.begin(), line.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    const int value = line.toInt();
    return value <= max ? value : -1;
}

}  // namespace

QByteArray formatSessionRecord(const GameState &state)
{
    if (state.tour[0] == 0)
        return {};
    QByteArray bytes = formatSavedGame(state.tour);
    for (const int value : {state.shownStep, int(state.saveEnabled)})
        bytes += QByteArray::number(value) + "\r\n";
    return bytes;
}

std::optional<GameState> readSessionRecordFile(const QString &path)
{
    QFile file(path);
    // Only a regular file: a pipe in its place would make the start wait for ever.
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(kMaxRecordBytes + 1);
    if (bytes.size() > kMaxRecordBytes || !bytes.endsWith("\r\n"))
        return std::nullopt;
    QByteArrayList lines = bytes.chopped(1).split('\n');
    if (lines.size() != kSquareCount + kExtraLines)
        return std::nullopt;
    for (QByteArray &line : lines) {
        if (!line.endsWith('\r'))
            return std::nullopt;
        line.chop(1);
    }

    QByteArray savedGame = bytes;
    QBuffer tourLines(&savedGame);
    tourLines.open(QIODevice::ReadOnly);
    const SavedGameRead read = readSavedGame(tourLines);
    if (!read.ok)
        return std::nullopt;
    const int recorded = int(std::find(read.tour.begin(), read.tour.end(), 0) - read.tour.begin());
    const int shownStep = numberIn(lines[kSquareCount], recorded);
    const int save = numberIn(lines[kSquareCount + 1], 1);
    if (shownStep < 0 || save < 0)
        return std::nullopt;
    return GameState {read.tour, shownStep, save == 1};
}

}  // namespace trevak
