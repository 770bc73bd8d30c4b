// Feeds arbitrary bytes to the saved-game reader. Beyond crashes and sanitizer reports it
// aborts when an accepted game breaks the rules the loader relies on, when reading the
// same bytes one at a time gives another verdict, or when the reader reads too far.

#include "storage/SavedGameFormat.h"
#include "tests/storage/PatternDevice.h"

#include <QBuffer>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace trevak;

namespace {

// 64 lines of at most 1024 bytes plus CR LF, and one chunk read ahead.
constexpr qint64 kMostBytesRead = 64 * 1026 + 512;

[[noreturn]] void violated(const char *what)
{
    std::fprintf(stderr, "saved-game reader: %s\n", what);
    std::abort();
}

void checkAccepted(const SavedGameRead &read)
{
    if (!read.problem.isEmpty() || read.line != 0)
        violated("accepted with a problem");
    if (read.tour[0] != 0)
        violated("entry 0 used");
    if (read.tour[1] == 0)
        violated("accepted without a move");
    std::array<bool, kSquareCount + 1> named{};
    bool ended = false;
    for (int step = 1; step <= kSquareCount; ++step) {
        const int square = read.tour[step];
        if (square > kSquareCount)
            violated("square out of range");
        if (square == 0) {
            ended = true;
            continue;
        }
        if (ended)
            violated("gap accepted");
        if (named[square])
            violated("square named twice accepted");
        named[square] = true;
    }
}

void checkRefused(const SavedGameRead &read)
{
    if (read.problem.isEmpty())
        violated("refused without a reason");
    if (read.line < 0 || read.line > kSquareCount)
        violated("fault on a line that cannot exist");
    if (read.tour != Tour{})
        violated("refused with a tour");
}

SavedGameRead readOneByteAtATime(const QByteArray &bytes)
{
    testing::PatternDevice device(bytes, {}, bytes.size(), 1);
    device.openForReading();
    return readSavedGame(device);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // No copy: reading past the input is then a sanitizer report.
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QByteArray shared = bytes;
    QBuffer buffer(&shared);
    buffer.open(QIODevice::ReadOnly);
    const SavedGameRead read = readSavedGame(buffer);
    if (buffer.pos() > kMostBytesRead)
        violated("read further than 64 lines can reach");

    if (read.ok)
        checkAccepted(read);
    else
        checkRefused(read);

    const SavedGameRead again = readOneByteAtATime(bytes);
    if (again.ok != read.ok || again.tour != read.tour || again.problem != read.problem || again.line != read.line)
        violated("verdict depends on how the bytes are split into reads");

    if (read.ok) {
        QByteArray written = formatSavedGame(read.tour);
        QBuffer writtenBuffer(&written);
        writtenBuffer.open(QIODevice::ReadOnly);
        const SavedGameRead reread = readSavedGame(writtenBuffer);
        if (!reread.ok || reread.tour != read.tour)
            violated("a written game does not read back");
    }
    return 0;
}
