#include "storage/SavedGameFormat.h"

#include <QFile>
#include <QIODevice>

#include <algorithm>
#include <array>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trevak {

namespace {

constexpr qint64 kChunkSize = 512;
constexpr int kMaxLineBytes = 1024;
// Values are capped while their digits are read: anything above 64 is refused alike,
// and the cap keeps endless digits from overflowing.
constexpr int kValueCap = kSquareCount + 1;

SavedGameRead refusal(int line, const QString &problem)
{
    SavedGameRead read;
    read.problem = problem;
    read.line = line;
    return read;
}

// Checks the file byte by byte, keeping only the current line's state, so chunk
// boundaries (even one falling between CR and LF) make no difference.
class SavedGameParser {
public:
    enum class Status {
        NeedMore,
        Done
    };

    Status feed(char byte)
    {
        if (m_afterCarriageReturn) {
            m_afterCarriageReturn = false;
            if (byte == '\n')
                return Status::NeedMore;  // the LF of a CR LF pair
        }
        if (m_result.ok) {
            m_result.textAfterGame = true;
            return Status::Done;
        }
        m_sawAnyByte = true;
        if (byte == '\r' || byte == '\n') {
            m_afterCarriageReturn = byte == '\r';
            return endLine();
        }
        if (++m_lineBytes > kMaxLineBytes)
            return fail(m_line, QStringLiteral("Řádek %1 je delší než 1024 bajtů.").arg(m_line));
        if (byte == ' ' || byte == '\t') {
            if (m_shape == Shape::Digits)
                m_shape = Shape::TrailingBlanks;
            return Status::NeedMore;
        }
        if (byte >= '0' && byte <= '9' && m_shape != Shape::TrailingBlanks) {
            m_shape = Shape::Digits;
            m_value = std::min(m_value * 10 + (byte - '0'), kValueCap);
            return Status::NeedMore;
        }
        return fail(m_line, QStringLiteral("Řádek %1 neobsahuje číslo pole.").arg(m_line));
    }

    // End of the file: a last line without a terminator still counts.
    Status finish()
    {
        if (m_lineBytes > 0 && endLine() == Status::Done)
            return Status::Done;
        if (m_result.ok)
            return Status::Done;
        if (!m_sawAnyByte)
            return fail(0, QStringLiteral("Soubor je prázdný."));
        return fail(
            0,
            QStringLiteral("Soubor končí řádkem %1, uložená partie má 64 řádků.").arg(m_line - 1));
    }

    Status failReading() { return fail(0, QStringLiteral("Soubor nelze přečíst.")); }

    SavedGameRead result() const { return m_result; }

private:
    enum class Shape {
        LeadingBlanks,
        Digits,
        TrailingBlanks
    };

    Status endLine()
    {
        if (m_shape == Shape::LeadingBlanks)
            return fail(m_line, QStringLiteral("Řádek %1 je prázdný.").arg(m_line));
        if (m_value > kSquareCount)
            return fail(m_line,
                        QStringLiteral("Řádek %1 obsahuje číslo větší než 64.").arg(m_line));
        if (m_value == 0) {
            if (m_firstZeroLine == 0)
                m_firstZeroLine = m_line;
        } else {
            if (m_firstZeroLine != 0) {
                return fail(m_firstZeroLine,
                            QStringLiteral("Řádek %1 obsahuje 0, ale na řádku %2 partie pokračuje.")
                                .arg(m_firstZeroLine)
                                .arg(m_line));
            }
            const int earlier = m_lineOfSquare[m_value];
            if (earlier != 0) {
                return fail(m_line,
                            QStringLiteral("Pole %1 je uvedeno na řádku %2 i na řádku %3.")
                                .arg(m_value)
                                .arg(earlier)
                                .arg(m_line));
            }
            m_lineOfSquare[m_value] = m_line;
        }
        m_result.tour[m_line - 1] = static_cast<std::uint8_t>(m_value);

        ++m_line;
        m_lineBytes = 0;
        m_shape = Shape::LeadingBlanks;
        m_value = 0;
        if (m_line <= kSquareCount)
            return Status::NeedMore;
        if (m_result.tour[0] == 0)
            return fail(0, QStringLiteral("Soubor neobsahuje žádný tah."));
        // A game; one more byte tells whether anything follows it.
        m_result.ok = true;
        return Status::NeedMore;
    }

    Status fail(int line, const QString &problem)
    {
        m_result = refusal(line, problem);
        return Status::Done;
    }

    SavedGameRead m_result;
    int m_line = 1;
    int m_lineBytes = 0;  // bytes of the current line, terminator not counted
    Shape m_shape = Shape::LeadingBlanks;
    int m_value = 0;
    bool m_afterCarriageReturn = false;
    bool m_sawAnyByte = false;
    int m_firstZeroLine = 0;
    std::array<int, kSquareCount + 1> m_lineOfSquare {};
};

}  // namespace

QByteArray formatSavedGame(const Tour &tour)
{
    QByteArray bytes;
    bytes.reserve(kSquareCount * 4);
    for (const std::uint8_t square : tour) {
        bytes += QByteArray::number(square);
        bytes += "\r\n";
    }
    return bytes;
}

SavedGameRead readSavedGame(QIODevice &device)
{
    SavedGameParser parser;
    if (!device.isReadable()) {
        parser.failReading();
        return parser.result();
    }
    char chunk[kChunkSize];
    for (;;) {
        const qint64 got = device.read(chunk, kChunkSize);
        if (got < 0) {
            parser.failReading();
            return parser.result();
        }
        if (got == 0)
            break;
        for (qint64 i = 0; i < got; ++i) {
            if (parser.feed(chunk[i]) == SavedGameParser::Status::Done)
                return parser.result();
        }
    }
    parser.finish();
    return parser.result();
}

SavedGameRead readSavedGameFile(const QString &path)
{
    // Opened without blocking and judged by what was opened, not by a look at the path first:
    // a pipe put in the file's place meanwhile would otherwise block the program for good.
    const int fd
        = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return refusal(0, QStringLiteral("Soubor neexistuje."));
        if (errno == EACCES)
            return refusal(0, QStringLiteral("Soubor nelze otevřít, chybí oprávnění ke čtení."));
        return refusal(0, QStringLiteral("Soubor nelze otevřít."));
    }
    struct stat status { };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const bool folder = S_ISDIR(status.st_mode);
        ::close(fd);
        return refusal(0,
                       folder ? QStringLiteral("Vybraná cesta je složka.")
                              : QStringLiteral("Vybraná cesta není běžný soubor."));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);

    // Unbuffered: QFile's own buffer would pull in 16 KiB at a time.
    QFile file;
    file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle);
    return readSavedGame(file);
}

}  // namespace trevak
