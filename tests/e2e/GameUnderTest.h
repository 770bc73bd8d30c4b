#pragma once
// One run of the real trevak program: a copy of the binary in a fresh folder (the game saves
// beside its executable), started on the test's X display and driven with real input.
// Window positions come from the window's geometry; the board's layout in the client area
// is the game's designed one.

#include "XdoTool.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace e2e {

// Client-area layout of the main window.
constexpr int kClientHeight = 384;
QPoint squareCentreInClient(int index);
QPoint strokeCentreInClient(int stroke);
inline QPoint backButtonCentreInClient() { return {416 + 32, 264 + 16}; }
inline QPoint forwardButtonCentreInClient() { return {416 + 32, 312 + 16}; }

// Dialog titles, as regular expressions for xdotool.
inline QString saveNameBoxTitle() { return QStringLiteral("^Uložit partii\\.$"); }
inline QString savePromptOnLoadTitle() { return QStringLiteral("^Uložit$"); }
inline QString savePromptOnQuitTitle() { return QStringLiteral("^Konec$"); }
inline QString openDialogTitle() { return QStringLiteral("^Otevřít$"); }

class GameUnderTest {
public:
    explicit GameUnderTest(const QString &builtBinary);
    ~GameUnderTest();

    // Copies the binary, starts it and waits for its window. False with a reason in error().
    bool start();
    QString error() const { return m_error; }

    QString folder() const { return m_folder.path(); }
    QString savedGamePath(const QString &name) const;
    qint64 pid() const { return m_process.processId(); }
    QPoint clientOrigin() const { return m_clientOrigin; }

    bool clickSquare(int index);
    bool clickBack();
    bool clickForward();

    // Opens the "Hra" menu with Alt+H and picks the item by its underlined letter.
    bool chooseGameMenuItem(QChar accelerator);
    bool newGame() { return chooseGameMenuItem(QLatin1Char('n')); }
    bool save() { return chooseGameMenuItem(QLatin1Char('u')); }
    bool load() { return chooseGameMenuItem(QLatin1Char('a')); }
    bool quit() { return chooseGameMenuItem(QLatin1Char('k')); }

    // Waits for the dialog, gives it the keyboard and presses the key.
    bool answerDialog(const QString &titleRegex, const QString &key);
    bool answerYes(const QString &titleRegex) { return answerDialog(titleRegex, QStringLiteral("Return")); }
    bool answerNo(const QString &titleRegex) { return answerDialog(titleRegex, QStringLiteral("Escape")); }
    // Waits for the dialog, types the text into its focused line edit and confirms with Enter
    // until the dialog goes (a completer popup may take the first Enter).
    bool fillInDialog(const QString &titleRegex, const QString &text);
    bool waitUntilNoDialog();

    // The whole screen, as the X server holds it.
    QImage screenshot() const;

    // Waits for the program to end by itself; false if it is still running after the time.
    bool waitForExit(int timeoutMs);
    int exitCode() const { return m_process.exitCode(); }
    QProcess::ExitStatus exitStatus() const { return m_process.exitStatus(); }
    QString programOutput();

private:
    bool clickInClient(QPoint inClient);
    bool fail(const QString &reason);

    QString m_builtBinary;
    QTemporaryDir m_folder;
    // Settings and runtime files of the game and its dialogs, kept out of the user's home.
    QTemporaryDir m_home;
    QProcess m_process;
    XdoTool m_xdo;
    XWindow m_window = 0;
    QPoint m_clientOrigin;
    QString m_error;
};

}  // namespace e2e
