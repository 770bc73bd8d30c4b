// Arbitrary bytes for the saved-game reader. Beyond sanitizer reports it aborts when it reads too
// far, when a verdict is malformed or accepts a broken game, or a written game reads back changed.
#include "storage/SavedGameFormat.h"
#include <QBuffer>
using namespace trevak;
static void check(bool holds, const char *what)
{
    if (!holds)
        qFatal("saved-game reader: %s", what);  // aborts, and libFuzzer keeps the input
}
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // No copy: reading past the input is then a sanitizer report.
    QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const SavedGameRead read = readSavedGame(buffer);
    const bool wellFormed = read.ok ? read.problem.isEmpty() && read.line == 0
                                    : !read.problem.isEmpty() && read.tour == Tour {}
            && read.line >= 0 && read.line <= 64 && !read.textAfterGame;
    check(wellFormed && buffer.pos() <= 64 * 1026 + 512,
          "a malformed verdict, or read beyond 64 longest lines");
    std::array<bool, kSquareCount + 1> named {};
    for (int k = 0; read.ok && k < kSquareCount; ++k) {
        const int square = read.tour[k];
        check(square <= kSquareCount
                  && (square ? !std::exchange(named[square], true) && (k == 0 || read.tour[k - 1])
                             : k > 0),
              "accepted a broken game");
    }
    QByteArray written = formatSavedGame(read.tour);
    QBuffer back(&written);
    back.open(QIODevice::ReadOnly);
    check(!read.ok || readSavedGame(back).tour == read.tour, "a written game reads back changed");
    return 0;
}
