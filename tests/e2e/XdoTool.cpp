#include "XdoTool.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace e2e {

namespace {
constexpr int kCommandTimeoutMs = 10000;
constexpr int kPollIntervalMs = 50;
// Pauses between typed characters keep xdotool's keymap changes from overtaking each other.
const QString kTypeDelayMs = QStringLiteral("15");
}  // namespace

bool XdoTool::run(const QStringList &arguments, QByteArray *output, bool failureIsError)
{
    QProcess xdo;
    xdo.start(QStringLiteral("xdotool"), arguments);
    if (!xdo.waitForStarted(kCommandTimeoutMs)) {
        m_lastError = QStringLiteral("xdotool did not start: %1").arg(xdo.errorString());
        return false;
    }
    if (!xdo.waitForFinished(kCommandTimeoutMs)) {
        xdo.kill();
        xdo.waitForFinished();
        m_lastError = QStringLiteral("xdotool %1 did not finish").arg(arguments.join(QLatin1Char(' ')));
        return false;
    }
    if (output)
        *output = xdo.readAllStandardOutput();
    const bool ok = xdo.exitStatus() == QProcess::NormalExit && xdo.exitCode() == 0;
    if (!ok && failureIsError) {
        m_lastError = QStringLiteral("xdotool %1 failed: %2")
                          .arg(arguments.join(QLatin1Char(' ')),
                               QString::fromLocal8Bit(xdo.readAllStandardError()).trimmed());
    }
    return ok;
}

QList<XWindow> XdoTool::visibleWindows(qint64 pid, const QString &titleRegex)
{
    QByteArray output;
    // "search" exits with 1 when nothing matches: that is an answer, not a failure.
    // Without --all xdotool takes the windows that meet any one of the conditions.
    run({QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
         QString::number(pid), QStringLiteral("--name"), titleRegex},
        &output, false);
    QList<XWindow> windows;
    for (const QByteArray &line : output.split('\n')) {
        bool ok = false;
        const XWindow window = line.trimmed().toULong(&ok);
        if (ok)
            windows.append(window);
    }
    return windows;
}

XWindow XdoTool::waitForWindow(qint64 pid, const QString &titleRegex, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    do {
        const QList<XWindow> windows = visibleWindows(pid, titleRegex);
        if (!windows.isEmpty())
            return windows.first();
        QTest::qWait(kPollIntervalMs);
    } while (!deadline.hasExpired());
    m_lastError = QStringLiteral("no window titled %1 showed within %2 ms").arg(titleRegex).arg(timeoutMs);
    return 0;
}

bool XdoTool::waitForNoWindow(qint64 pid, const QString &titleRegex, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    do {
        if (visibleWindows(pid, titleRegex).isEmpty())
            return true;
        QTest::qWait(kPollIntervalMs);
    } while (!deadline.hasExpired());
    m_lastError = QStringLiteral("the window titled %1 was still shown after %2 ms").arg(titleRegex).arg(timeoutMs);
    return false;
}

QRect XdoTool::geometry(XWindow window)
{
    QByteArray output;
    if (!run({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), QString::number(window)}, &output))
        return {};
    int x = -1, y = -1, width = -1, height = -1;
    for (const QByteArray &line : output.split('\n')) {
        const QList<QByteArray> pair = line.trimmed().split('=');
        if (pair.size() != 2)
            continue;
        const int value = pair[1].toInt();
        if (pair[0] == "X")
            x = value;
        else if (pair[0] == "Y")
            y = value;
        else if (pair[0] == "WIDTH")
            width = value;
        else if (pair[0] == "HEIGHT")
            height = value;
    }
    if (x < 0 || y < 0 || width <= 0 || height <= 0) {
        m_lastError = QStringLiteral("unreadable geometry: %1").arg(QString::fromLocal8Bit(output));
        return {};
    }
    return QRect(x, y, width, height);
}

bool XdoTool::click(QPoint onScreen)
{
    // No --sync: it waits for the pointer to move, forever when it is there already.
    return run({QStringLiteral("mousemove"), QString::number(onScreen.x()),
                QString::number(onScreen.y()), QStringLiteral("click"), QStringLiteral("1")});
}

bool XdoTool::key(const QString &keys)
{
    return run({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), keys});
}

bool XdoTool::type(const QString &text)
{
    return run({QStringLiteral("type"), QStringLiteral("--delay"), kTypeDelayMs, text});
}

bool XdoTool::focus(XWindow window)
{
    return run({QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::number(window)});
}

}  // namespace e2e
