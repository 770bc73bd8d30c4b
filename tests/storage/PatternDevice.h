#pragma once
// Sequential devices for reading tests: a head followed by a pattern repeated up to a
// size (a gibibyte costs nothing, nothing is stored), handed out in pieces of at most
// `pieceSize` bytes, optionally failing after some bytes. Counts what it hands out.

#include <QIODevice>

#include <algorithm>

namespace trevak::testing {

class PatternDevice : public QIODevice {
public:
    PatternDevice(QByteArray head, QByteArray pattern, qint64 size, qint64 pieceSize = 1 << 16)
        : m_head(std::move(head)), m_pattern(std::move(pattern)), m_size(size), m_pieceSize(pieceSize)
    {
    }

    // read() fails once this many bytes were handed out.
    void failAfter(qint64 bytes) { m_failAfter = bytes; }

    qint64 handedOut() const { return m_position; }
    bool isSequential() const override { return true; }

    // Unbuffered, so handedOut() is what the reader asked for.
    bool openForReading() { return open(QIODevice::ReadOnly | QIODevice::Unbuffered); }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_failAfter >= 0 && m_position >= m_failAfter)
            return -1;
        const qint64 count = std::min({maxSize, m_pieceSize, m_size - m_position});
        for (qint64 i = 0; i < count; ++i, ++m_position) {
            if (m_position < m_head.size())
                data[i] = m_head[m_position];
            else
                data[i] = m_pattern.isEmpty() ? '\0' : m_pattern[(m_position - m_head.size()) % m_pattern.size()];
        }
        return count;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_head;
    QByteArray m_pattern;
    qint64 m_size;
    qint64 m_pieceSize;
    qint64 m_position = 0;
    qint64 m_failAfter = -1;
};

}  // namespace trevak::testing
