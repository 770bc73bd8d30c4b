#pragma once
// The platform's modal services that the window's flows use. The program uses
// QtPlatformServices; the tests use a scripted stand-in that records what was asked.

#include <QString>
#include <functional>

class QUrl;

namespace trevak {

enum class MessageIcon {
    None,
    Information,
    Warning
};
enum class Answer {
    Yes,
    No,
    Cancel  // only from askYesNoCancel
};

class PlatformServices {
public:
    virtual ~PlatformServices() = default;

    // A message with one OK button. Lines are separated by '\n'.
    virtual void showMessage(const QString &title, const QString &text, MessageIcon icon) = 0;
    // Yes and No, no icon; Yes is the default. Only the two buttons answer: Escape and the
    // frame's close button do nothing.
    virtual Answer askYesNo(const QString &title, const QString &question) = 0;
    // Yes, No and Cancel, no icon; Yes is the default, Escape and the close box cancel.
    virtual Answer askYesNoCancel(const QString &title, const QString &question) = 0;
    // The typed text, or an empty text on Cancel.
    virtual QString askText(const QString &title, const QString &prompt) = 0;
    // The chosen file's path, or an empty text on Cancel. `filter` is "Description (*.ext)".
    virtual QString chooseFileToOpen(const QString &title, const QString &folder,
                                     const QString &filter)
        = 0;
    virtual void beep() = 0;
    // Hands an e-mail or web address to the desktop's program for it. `failed` runs, maybe
    // later, when no program took it.
    virtual void openLink(const QUrl &address, const std::function<void()> &failed) = 0;
    // Ends the program at once; no further events are handled.
    virtual void endProgram() = 0;
};

}  // namespace trevak
