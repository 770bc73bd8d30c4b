#pragma once
// Real X input and window look-ups through xdotool, on the display the test runs on.
// Every call is bounded in time; failures come back as false or empty, with a reason in
// lastError(), so the tests can say what went wrong instead of hanging.

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

namespace e2e {

using XWindow = unsigned long;

class XdoTool {
public:
    // Visible top-level windows of process `pid` whose title matches the regular expression.
    QList<XWindow> visibleWindows(qint64 pid, const QString &titleRegex);
    // Polls until such a window shows; 0 when none did within the time.
    XWindow waitForWindow(qint64 pid, const QString &titleRegex, int timeoutMs);
    // Polls until no such window is shown.
    bool waitForNoWindow(qint64 pid, const QString &titleRegex, int timeoutMs);

    // The window's outer rectangle in root coordinates.
    QRect geometry(XWindow window);

    bool click(QPoint onScreen);
    // Key names as xdotool spells them: "Return", "Escape", "alt+h".
    bool key(const QString &keys);
    bool type(const QString &text);
    // Gives the window the X input focus. Without a window manager the focus falls back to
    // the root when a dialog closes, and Qt then treats no window as active.
    bool focus(XWindow window);

    QString lastError() const { return m_lastError; }

private:
    bool run(const QStringList &arguments, QByteArray *output = nullptr, bool failureIsError = true);

    QString m_lastError;
};

}  // namespace e2e
