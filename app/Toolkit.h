#pragma once
// The platform services the game's logic calls. The program uses QtToolkit; the tests
// use a scripted stand-in that records each call and answers from a script.

#include <QPixmap>
#include <QString>

namespace trevak {

// Message box styles: a button set plus an icon.
enum MsgBoxStyle : int {
    MsgOk = 0,
    MsgYesNo = 4,
    MsgWarning = 48,      // OK with the warning icon, for errors
    MsgInformation = 64,  // OK with the information icon
};
enum MsgBoxResult : int { AnswerOk = 1, AnswerYes = 6, AnswerNo = 7 };

class Toolkit {
public:
    virtual ~Toolkit() = default;

    // Modal. Returns the button pressed (AnswerYes for Yes). Carriage returns break lines.
    virtual int msgBox(const QString &prompt, int style, const QString &title) = 0;
    // Modal. Returns the typed text, or an empty text on Cancel.
    virtual QString inputBox(const QString &prompt, const QString &title) = 0;
    virtual void beep() = 0;
    // The square image with the given number (101..104); a null pixmap for NoPicture.
    virtual QPixmap picture(int id) = 0;
    // Where games are saved and where the open dialog starts.
    virtual QString programFolder() = 0;
    // Modal. Returns the chosen file's path, or an empty text on Cancel.
    virtual QString openDialog(const QString &initialFolder, const QString &title,
                               const QString &filterDescription, const QString &filterPattern) = 0;
    // Hands an e-mail or web address to the desktop's registered program.
    virtual void openAddress(const QString &address) = 0;
    // Ends the program at once; no further events are handled.
    virtual void endProgram() = 0;
};

}  // namespace trevak
