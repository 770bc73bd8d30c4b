#include "GameUnderTest.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

namespace e2e {

namespace {
constexpr int kWindowTimeoutMs = 20000;
constexpr int kDialogCloseTimeoutMs = 3000;
constexpr int kConfirmAttempts = 3;
const QString kMainWindowTitle = QStringLiteral("^Trevak$");
const QString kAnyDialogTitle = QStringLiteral("^(Uložit partii\\.|Uložit|Konec|Otevřít)$");
}  // namespace

QPoint squareCentreInClient(int index)
{
    const int column = (index - 1) % 8;
    const int row = (index - 1) / 8;
    return {24 + 40 * column + 20, 32 + 40 * (7 - row) + 20};
}

QPoint strokeCentreInClient(int stroke)
{
    return {532, stroke <= 35 ? 340 - 5 * stroke : 345 - 5 * stroke};
}

GameUnderTest::GameUnderTest(const QString &builtBinary) : m_builtBinary(builtBinary)
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
}

GameUnderTest::~GameUnderTest()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool GameUnderTest::fail(const QString &reason)
{
    m_error = reason;
    return false;
}

bool GameUnderTest::start()
{
    if (!m_folder.isValid() || !m_home.isValid())
        return fail(QStringLiteral("no temporary folder"));
    const QString binary = m_folder.filePath(QStringLiteral("trevak"));
    if (!QFile::copy(m_builtBinary, binary))
        return fail(QStringLiteral("cannot copy %1 to %2").arg(m_builtBinary, binary));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // A desktop's platform theme would swap Qt's own file dialog for a native one.
    for (const char *name : {"QT_QPA_PLATFORMTHEME", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION",
                             "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID", "QT_SCALE_FACTOR",
                             "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR"})
        environment.remove(QLatin1String(name));
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
        const QString path = m_home.filePath(QLatin1String(name));
        QDir().mkpath(path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        environment.insert(QLatin1String(name), path);
    }
    m_process.setProcessEnvironment(environment);
    m_process.setWorkingDirectory(m_folder.path());
    m_process.start(binary, {});
    if (!m_process.waitForStarted(kWindowTimeoutMs))
        return fail(QStringLiteral("trevak did not start: %1").arg(m_process.errorString()));

    m_window = m_xdo.waitForWindow(pid(), kMainWindowTitle, kWindowTimeoutMs);
    if (m_window == 0)
        return fail(m_xdo.lastError() + QStringLiteral("; output: ") + programOutput());
    const QRect frame = m_xdo.geometry(m_window);
    if (frame.isEmpty())
        return fail(m_xdo.lastError());
    // The client area sits under the menu bar and ends with the window.
    m_clientOrigin = QPoint(frame.x(), frame.y() + frame.height() - kClientHeight);
    return true;
}

QString GameUnderTest::savedGamePath(const QString &name) const
{
    return m_folder.filePath(name + QStringLiteral(".txt"));
}

bool GameUnderTest::clickInClient(QPoint inClient)
{
    if (!m_xdo.click(m_clientOrigin + inClient))
        return fail(m_xdo.lastError());
    return true;
}

bool GameUnderTest::clickSquare(int index)
{
    return clickInClient(squareCentreInClient(index));
}

bool GameUnderTest::clickBack()
{
    return clickInClient(backButtonCentreInClient());
}

bool GameUnderTest::clickForward()
{
    return clickInClient(forwardButtonCentreInClient());
}

bool GameUnderTest::chooseGameMenuItem(QChar accelerator)
{
    if (!waitUntilNoDialog())
        return false;
    if (!m_xdo.focus(m_window) || !m_xdo.key(QStringLiteral("alt+h")) || !m_xdo.key(QString(accelerator)))
        return fail(m_xdo.lastError());
    return true;
}

bool GameUnderTest::answerDialog(const QString &titleRegex, const QString &key)
{
    const XWindow dialog = m_xdo.waitForWindow(pid(), titleRegex, kWindowTimeoutMs);
    if (dialog == 0)
        return fail(m_xdo.lastError());
    if (!m_xdo.focus(dialog) || !m_xdo.key(key))
        return fail(m_xdo.lastError());
    if (!m_xdo.waitForNoWindow(pid(), titleRegex, kWindowTimeoutMs))
        return fail(m_xdo.lastError());
    return true;
}

bool GameUnderTest::fillInDialog(const QString &titleRegex, const QString &text)
{
    const XWindow dialog = m_xdo.waitForWindow(pid(), titleRegex, kWindowTimeoutMs);
    if (dialog == 0)
        return fail(m_xdo.lastError());
    if (!m_xdo.focus(dialog) || !m_xdo.type(text))
        return fail(m_xdo.lastError());
    for (int attempt = 0; attempt < kConfirmAttempts; ++attempt) {
        if (!m_xdo.key(QStringLiteral("Return")))
            return fail(m_xdo.lastError());
        if (m_xdo.waitForNoWindow(pid(), titleRegex, kDialogCloseTimeoutMs))
            return true;
    }
    return fail(QStringLiteral("the dialog %1 stayed open after Enter").arg(titleRegex));
}

bool GameUnderTest::waitUntilNoDialog()
{
    if (!m_xdo.waitForNoWindow(pid(), kAnyDialogTitle, kWindowTimeoutMs))
        return fail(m_xdo.lastError());
    // The main window is titled Trevak too; what is left must be that one alone.
    const QDeadlineTimer deadline(kWindowTimeoutMs);
    while (m_xdo.visibleWindows(pid(), kMainWindowTitle) != QList<XWindow>{m_window}) {
        if (deadline.hasExpired())
            return fail(QStringLiteral("a message box titled Trevak is still shown"));
        QTest::qWait(50);
    }
    return true;
}

QImage GameUnderTest::screenshot() const
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

bool GameUnderTest::waitForExit(int timeoutMs)
{
    if (m_process.state() == QProcess::NotRunning)
        return true;
    return m_process.waitForFinished(timeoutMs);
}

QString GameUnderTest::programOutput()
{
    return QString::fromLocal8Bit(m_process.readAll());
}

}  // namespace e2e
